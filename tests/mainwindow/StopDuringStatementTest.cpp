// Stop pressed while the embedded engine steps a long find statement: the event
// loop turns during the statement, the statement is interrupted, and the find ends
// in order with the rows it had listed, as at any other stop; whatever would start
// a second run or end the windows from that turning loop is refused. The Stop ends
// only the find's statement: what the user starts meanwhile in another window runs
// whole. On the SQL Server road the same holds for a statement the server holds:
// Stop cancels it there.
#include "compare/ui/frmBKLCompareObjects.h"
#include "platform/core/TimeSlice.h"
#include "shell/Globals.h"
#include "support/DemoModel.h"
#include "support/SlowLike.h"
#include "support/TdsStandIn.h"
#include "support/WindowTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidgetItem>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>

using bkl::mainwindow::ObjectKind;

namespace {

class StopDuringStatement : public bkl::test::WindowTest {
protected:
    // The frame on the stand-in's source model, set to find "Lookup" among the tables
    // and the calculations, a turn of the loop after every row; returns the tables it lists.
    QStringList FindLookupOn(const bkl::test::TdsStandIn& standIn)
    {
        OpenFrame();
        g_cnModel = bkl::db::Connection();
        g_cnModel.setConnectionString(standIn.connectionString(bkl::test::kSourceModel));
        g_cnModel.open();
        for (ObjectKind kind : bkl::mainwindow::kAllKinds)
            objects->KindPickerItem(kind)->setCheckState(
                kind == ObjectKind::Tables || kind == ObjectKind::Calculations ? Qt::Checked : Qt::Unchecked);
        objects->txtFind->setText("Lookup");
        bkl::SetPumpSliceMsForTesting(0);
        MarkLog();
        statements.clear();
        return {"ProductLookup|Table", "RegionLookup|Table"};
    }
};

// 4,000 more calculations that the find's text does not match, and one last in
// name order that it does: the find's statement tests each by the slowed LIKE
// before its first row.
constexpr int kAddedCalculations = 4000;
const char kMoreCalculations[] =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
    "INSERT INTO Calculation (CalculationID, Name) SELECT 900000 + i, 'Filler ' || (10000 + i) FROM n;"
    "INSERT INTO Calculation (CalculationID, Name) VALUES (999999, 'Zone Lookup Rate')";

} // namespace

TEST_F(StopDuringStatement, FindEndsInOrderKeepingItsRowsAndRefusesASecondRun)
{
    OpenFrame();
    bkl::test::SlowLike slow(100);
    g_cnModel = bkl::test::OpenAlteredDemoModel(bkl::test::kSourceModel, kMoreCalculations);
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        objects->KindPickerItem(kind)->setCheckState(
            kind == ObjectKind::Tables || kind == ObjectKind::Calculations ? Qt::Checked : Qt::Unchecked);
    objects->txtFind->setText("Lookup");
    objects->cmdFind_Click();
    const QStringList all = Rows();
    const QStringList tables = all.filter("|Table");
    ASSERT_EQ(all, QStringList({"ProductLookup|Table", "RegionLookup|Table", "Zone Lookup Rate|Calculation"}));

    bkl::SetPumpSliceMsForTesting(0);
    statements.clear();
    MarkLog();
    bool pressed = false;
    qsizetype statementsAtStop = 0;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        // While the calculations' statement steps, before any of its rows is listed.
        if (pressed || statements.size() != 2 || Rows().size() != tables.size())
            return;
        pressed = true;
        statementsAtStop = statements.size();
        objects->cmdFind_Click();          // a second find
        objects->cmdGetDetails_Click();    // a preview
        frame->mnuSwitchModel_Click();     // would close the frame and the connection
        frame->close();
        objects->cmdStop->click();
    });
    turn.start(0);
    bkl::test::SlowLike::resetCalls();
    objects->cmdFind_Click();
    turn.stop();

    ASSERT_TRUE(pressed);
    EXPECT_LT(bkl::test::SlowLike::calls(), kAddedCalculations); // the statement was interrupted
    EXPECT_EQ(statements.size(), statementsAtStop);
    EXPECT_EQ(Rows(), tables);
    EXPECT_EQ(objects->lblSearchResults->text(), QString::number(tables.size()) + " Object(s) found");
    EXPECT_TRUE(objects->cmdFind->isEnabled());
    EXPECT_FALSE(objects->cmdStop->isEnabled());
    EXPECT_FALSE(objects->FindRunning());
    EXPECT_EQ(BoxTexts(), QStringList());
    EXPECT_EQ(LogMessages("ERROR"), QStringList());
    EXPECT_EQ(LogMessages().filter("Find Objects").join(";"), "Find Objects begin...;Find Objects end");
    EXPECT_EQ(frmMDIBKLMain::current(), frame);
    EXPECT_TRUE(frame->isVisible() && g_cnModel.isOpen());

    // The connection goes on: the next find lists every row again.
    bkl::SetPumpSliceMsForTesting(-1);
    objects->cmdFind_Click();
    EXPECT_EQ(Rows(), all);
}

TEST_F(StopDuringStatement, TheCompareWindowsTargetLoginListsEveryModelWhileTheStoppedFindWaits)
{
    OpenFrame();
    bkl::test::SlowLike slow(100);
    g_cnModel = bkl::test::OpenAlteredDemoModel(bkl::test::kSourceModel, kMoreCalculations);
    // A target whose model test reads 3,000 more tables: long enough to turn the loop.
    const QString targetServer = bkl::test::ServerWithMoreTables(bkl::test::kTargetModel, 3000);
    frmBKLCompareObjects& compare = frmBKLCompareObjects::instance();
    compare.Load();
    for (ObjectKind kind : bkl::mainwindow::kAllKinds)
        objects->KindPickerItem(kind)->setCheckState(kind == ObjectKind::Calculations ? Qt::Checked : Qt::Unchecked);
    objects->txtFind->setText("Lookup");

    bkl::SetPumpSliceMsForTesting(0);
    statements.clear();
    // While the find's statement steps: Stop, and in the same turn Connect in the
    // compare window, then Refresh Model(s) in its target login.
    bool pressed = false;
    QStringList models;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        if (pressed || statements.isEmpty() || !objects->FindRunning())
            return;
        pressed = true;
        objects->cmdStop->click();
        RefreshModelsInNextTargetLogin(targetServer, models);
        compare.cmdTargetConnect_Click();
    });
    turn.start(0);
    bkl::test::SlowLike::resetCalls();
    objects->cmdFind_Click();
    turn.stop();

    ASSERT_TRUE(pressed);
    EXPECT_EQ(models, QStringList({"SalesModel2026_Target"}));
    EXPECT_EQ(LogMessages("ERROR"), QStringList());
    EXPECT_EQ(BoxTexts(), QStringList());
    // The find was stopped all the same.
    EXPECT_LT(bkl::test::SlowLike::calls(), kAddedCalculations);
    EXPECT_EQ(Rows(), QStringList());
    EXPECT_TRUE(objects->cmdFind->isEnabled() && !objects->cmdStop->isEnabled() && !objects->FindRunning());
}

TEST_F(StopDuringStatement, OnSqlServerStopCancelsTheStatementTheServerHoldsAndTheFindEndsInOrder)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    // The server holds the calculations' find statement 20 s before it answers.
    bkl::test::TdsStandIn standIn({}, {"--delay", "5", "--hold-ms", "20000", "--hold-when", "'Calculation' AS ColType"});
    ASSERT_TRUE(standIn.running());
    const QStringList tables = FindLookupOn(standIn);
    bool pressed = false;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        // While the server holds the calculations' statement, the tables listed.
        if (pressed || statements.size() != 2 || Rows() != tables)
            return;
        pressed = true;
        objects->cmdFind_Click(); // a second find
        objects->cmdStop->click();
    });
    turn.start(0);
    QElapsedTimer clock;
    clock.start();
    objects->cmdFind_Click();
    turn.stop();

    ASSERT_TRUE(pressed) << statements.join("\n").toStdString() << "\n" << Rows().join(";").toStdString();
    EXPECT_LT(clock.elapsed(), 10000); // long before the server would answer
    EXPECT_EQ(statements.size(), 2);
    EXPECT_EQ(Rows(), tables);
    EXPECT_EQ(objects->lblSearchResults->text(), "2 Object(s) found");
    EXPECT_TRUE(objects->cmdFind->isEnabled());
    EXPECT_FALSE(objects->FindRunning());
    EXPECT_EQ(BoxTexts(), QStringList());
    EXPECT_EQ(LogMessages("ERROR"), QStringList());

    // The connection goes on: the next find, of the tables alone, sends its statement and lists them again.
    bkl::SetPumpSliceMsForTesting(-1);
    objects->KindPickerItem(ObjectKind::Calculations)->setCheckState(Qt::Unchecked);
    objects->lvObjects->clear();
    objects->cmdFind_Click();
    EXPECT_EQ(statements.size(), 3);
    EXPECT_EQ(Rows(), tables);
    EXPECT_EQ(BoxTexts(), QStringList());
    EXPECT_EQ(LogMessages("ERROR"), QStringList());
}

// Stop pressed while the server holds the find's statement and no longer answers:
// the find ends within the Stop's bound, the frame's status bar and an ERROR line
// say that the connection was given up and opened again, and the next find lists
// its rows on the connection opened again.
TEST_F(StopDuringStatement, TheFindEndsAndTheStatusBarAndTheLogSayTheConnectionWasOpenedAgain)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn({}, {"--delay", "5", "--hold-ms", "20000", "--hold-when", "'Calculation' AS ColType"});
    ASSERT_TRUE(standIn.running());
    const QStringList tables = FindLookupOn(standIn);
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

// A statement outside any run waits for a slow server with the loop turning: Switch
// Model and Close pressed at each of those turns are refused, the summary is read
// whole, and Switch Model goes on as ever once the wait is over. (Quit is never
// refused: see UserNeverTrapped.)
TEST_F(StopDuringStatement, OnSqlServerSwitchModelAndCloseAreRefusedWhileTheSummaryWaits)
{
    if (!bkl::test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    bkl::test::TdsStandIn standIn({}, {"--delay", "20"});
    ASSERT_TRUE(standIn.running());
    FindLookupOn(standIn);
    const QPointer<frmMDIBKLMain> shown(frame);
    int pressedTurns = 0;
    QTimer turn;
    QObject::connect(&turn, &QTimer::timeout, [&] {
        if (!shown)
            return;
        ++pressedTurns;
        shown->mnuSwitchModel_Click();
        shown->close();
    });
    turn.start(0);
    frame->mnuReloadModelSummary_Click();
    turn.stop();

    EXPECT_GT(pressedTurns, 0);
    ASSERT_TRUE(shown);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(programEnds, 0);
    EXPECT_FALSE(LogMessages().contains(QStringLiteral("Launch Switch Model")));
    EXPECT_EQ(LogMessages("ERROR"), QStringList());
    EXPECT_EQ(BoxTexts(), QStringList());

    shown->mnuSwitchModel_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(frmMDIBKLMain::current(), nullptr);
}
