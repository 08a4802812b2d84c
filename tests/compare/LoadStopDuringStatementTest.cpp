// Stop pressed while the embedded engine steps a long Load Objects statement: the
// statement is interrupted and the load ends in order, as at any other stop, with
// no failure reported. The Stop ends only the load's statement: what the user
// starts meanwhile in the target login runs whole.
#include "CompareWindowFixture.h"

#include "platform/core/TimeSlice.h"
#include "shell/Globals.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

class LoadStopDuringStatement : public CompareWindowFixture {};

// 200,000 more calendars: the listing statement sorts them all before its first row.
const char kManyCalendars[] =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200000) "
    "INSERT INTO [Time] (TimeID, Name) SELECT 'F' || i, 'Filler ' || i FROM n";

} // namespace

TEST_F(LoadStopDuringStatement, TheLoadEndsInOrderWithoutAFailure)
{
    g_cnModel = bkl::test::OpenAlteredDemoModel(bkl::test::kSourceModel, kManyCalendars);
    frmBKLCompareObjects& w = Window();
    bkl::SetPumpSliceMsForTesting(0);
    statements.clear();
    // Stop is pressed at the first turn once the listing statement runs: while SQLite
    // sorts its rows, before any of them is listed.
    int listedAtStop = -1;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (listedAtStop < 0 && !statements.isEmpty() && w.LoadRunning()) {
            listedAtStop = w.lvObjects->topLevelItemCount();
            w.cmdStop->click();
        }
    });
    stopper.start(0);
    LoadKind("Calendars");
    stopper.stop();

    EXPECT_EQ(listedAtStop, 0);
    EXPECT_EQ(statements.size(), 1);
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 0);
    EXPECT_EQ(w.lblObjectCount->text(), "Count: 0");
    EXPECT_TRUE(w.cmdLoadObjects->isEnabled() && !w.cmdStop->isEnabled() && !w.m_bStopLoad && !w.LoadRunning());
    EXPECT_EQ(BoxTexts(), QStringList());
    EXPECT_EQ(LogMessages("ERROR"), QStringList());

    // The next load lists every calendar.
    bkl::SetPumpSliceMsForTesting(-1);
    LoadKind("Calendars");
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 200003);
}

TEST_F(LoadStopDuringStatement, TheTargetLoginListsEveryModelWhileTheStoppedLoadWaits)
{
    g_cnModel = bkl::test::OpenAlteredDemoModel(bkl::test::kSourceModel, kManyCalendars);
    // A target whose model test reads 3,000 more tables: long enough to turn the loop.
    const QString targetServer = bkl::test::ServerWithMoreTables(bkl::test::kTargetModel, 3000);
    frmBKLCompareObjects& w = Window();
    bkl::SetPumpSliceMsForTesting(0);
    statements.clear();
    // While the listing statement sorts: Stop, and in the same turn Connect, then
    // Refresh Model(s) in the target login.
    bool pressed = false;
    QStringList models;
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        if (pressed || statements.isEmpty() || !w.LoadRunning())
            return;
        pressed = true;
        w.cmdStop->click();
        RefreshModelsInNextTargetLogin(targetServer, models);
        w.cmdTargetConnect_Click();
    });
    stopper.start(0);
    LoadKind("Calendars");
    stopper.stop();

    ASSERT_TRUE(pressed);
    EXPECT_EQ(models, QStringList({"SalesModel2026_Target"}));
    EXPECT_EQ(LogMessages("ERROR"), QStringList());
    EXPECT_EQ(BoxTexts(), QStringList());
    // The load was stopped all the same.
    EXPECT_EQ(w.lvObjects->topLevelItemCount(), 0);
    EXPECT_TRUE(w.cmdLoadObjects->isEnabled() && !w.cmdStop->isEnabled() && !w.m_bStopLoad && !w.LoadRunning());
}
