// Stop pressed while the server holds the find's statement and no longer answers:
// the find ends within the Stop's bound, the frame's status bar and an ERROR line
// say that the connection was given up and opened again, and the next find lists
// its rows on the connection opened again.
#include "platform/core/TimeSlice.h"
#include "shell/Globals.h"
#include "support/DemoModel.h"
#include "support/TdsStandIn.h"
#include "support/WindowTest.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QTreeWidget>
#include <QListWidgetItem>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QLineEdit>

using bkl::mainwindow::ObjectKind;

namespace {
class StopGiveUpWindow : public bkl::test::WindowTest {};
} // namespace

TEST_F(StopGiveUpWindow, TheFindEndsAndTheStatusBarAndTheLogSayTheConnectionWasOpenedAgain)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn({}, {"--delay", "5", "--hold-ms", "20000", "--hold-when", "'Calculation' AS ColType"});
    ASSERT_TRUE(standIn.running());
    OpenFrame();
    g_cnModel = bkl::db::Connection();
    g_cnModel.setConnectionString(standIn.connectionString(bkl::test::kSourceModel));
    g_cnModel.open();
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        objects->KindPickerItem(kind)->setCheckState(
            kind == ObjectKind::Tables || kind == ObjectKind::Calculations ? Qt::Checked : Qt::Unchecked);
    objects->txtFind->setText("Lookup");
    const QStringList tables{"ProductLookup|Table", "RegionLookup|Table"};

    bkl::SetPumpSliceMsForTesting(0);
    MarkLog();
    statements.clear();
    // While the server holds the calculations' statement, it stops; then Stop is pressed.
    bool pressed = false;
    QElapsedTimer held;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        if (pressed || statements.size() != 2 || Rows() != tables)
            return;
        if (!held.isValid()) {
            held.start();
            standIn.pause(true);
        } else if (held.elapsed() >= 50) {
            pressed = true;
            objects->cmdStop->click();
        }
    });
    turn.start(0);
    QElapsedTimer clock;
    clock.start();
    objects->cmdFind_Click();
    turn.stop();
    standIn.pause(false);

    ASSERT_TRUE(pressed);
    EXPECT_LT(clock.elapsed(), 10000); // long before the server's hold, or the command timeout
    EXPECT_EQ(Rows(), tables);
    EXPECT_EQ(objects->lblSearchResults->text(), "2 Object(s) found");
    EXPECT_FALSE(objects->FindRunning());
    EXPECT_EQ(BoxTexts(), QStringList());
    const QString told = "A stopped statement on " + standIn.server()
                         + " (SalesModel2026) did not end within 1.5 seconds; the connection was closed and opened again.";
    EXPECT_EQ(objects->sbRelease->currentMessage(), told);
    EXPECT_EQ(LogMessages("ERROR"), QStringList({told}));

    // The next find runs on the connection opened again.
    bkl::SetPumpSliceMsForTesting(-1);
    objects->KindPickerItem(ObjectKind::Calculations)->setCheckState(Qt::Unchecked);
    objects->lvObjects->clear();
    objects->cmdFind_Click();
    EXPECT_EQ(Rows(), tables);
    EXPECT_EQ(BoxTexts(), QStringList());
    EXPECT_EQ(LogMessages("ERROR"), QStringList({told}));
}
