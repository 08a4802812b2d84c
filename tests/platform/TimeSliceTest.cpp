#include "platform/core/TimeSlice.h"

#include "platform/core/ActiveRun.h"
#include "platform/ui/RunGuard.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

using bkl::TimeSlice;

namespace {

// A run of `rows` rows on a clock that advances `msPerRow` with each row: the
// flush moves the gathered rows into `listed`; `events` records flushes ("f<n>")
// and turns ("p") in order.
struct SlicedRun {
    qint64 clock = 0;
    QList<int> batch;
    QList<int> listed;
    QStringList events;
    bool stop = false;
    TimeSlice slice{[this] {
        events << QStringLiteral("f%1").arg(batch.size());
        listed += batch;
        batch.clear();
    }};

    explicit SlicedRun(bool realPump = false)
    {
        slice.setClock([this] { return clock; });
        if (!realPump)
            slice.setPump([this] { events << QStringLiteral("p"); });
    }
    // Lists rows until the end or a stop seen at a turn; then the last turn.
    void run(int rows, qint64 msPerRow)
    {
        for (int row = 0; row < rows; ++row) {
            clock += msPerRow;
            batch << row;
            if (slice.tick() && stop)
                return;
        }
        slice.pumpNow();
    }
};

} // namespace

TEST(TimeSlice, TurnsOnTimeNotOnCountAndFlushesTheLastBatch)
{
    // rows, ms per row, turns (the last one after the run included), rows in the first batch
    for (const auto& [rows, msPerRow, turns, firstBatch] : std::initializer_list<std::tuple<int, qint64, int, int>>{
             {10000, 0, 1, 10000}, {100, 1, 6, 20}, {100, 7, 34, 3}, {10, 25, 11, 1}, {19, 1, 1, 19}}) {
        SlicedRun r;
        r.run(rows, msPerRow);
        EXPECT_EQ(r.events.count(QStringLiteral("p")), turns) << rows << " rows, " << msPerRow << " ms";
        EXPECT_EQ(r.events.value(0), QStringLiteral("f%1").arg(firstBatch));
        EXPECT_EQ(r.events.value(1), QStringLiteral("p")); // the rows are in before the loop turns
        EXPECT_EQ(r.listed.size(), rows);
        EXPECT_TRUE(std::is_sorted(r.listed.begin(), r.listed.end()));
    }
}

TEST(TimeSlice, StopIsSeenAtATurnWithTheRowsGatheredSoFar)
{
    // A click on Stop arrives while the event loop turns (a real turn of it here).
    {
        const bkl::RunGuard running({}, false);
        SlicedRun r(true);
        QTimer::singleShot(0, [&r] { r.stop = true; });
        r.run(100, 1);
        EXPECT_EQ(r.listed.size(), 20);
        EXPECT_EQ(r.events, QStringList({"f20"}));
    }
    // Outside a run the slice only flushes: nothing guards the windows, so no turn
    // dispatches the click.
    {
        SlicedRun r(true);
        QTimer::singleShot(0, [&r] { r.stop = true; });
        r.run(100, 1);
        EXPECT_FALSE(r.stop);
        EXPECT_EQ(r.listed.size(), 100);
        QCoreApplication::processEvents();
    }

    // The process's slice decides when none is given: 0 turns after every row.
    bkl::SetPumpSliceMsForTesting(0);
    SlicedRun everyRow;
    bkl::SetPumpSliceMsForTesting(-1);
    everyRow.run(3, 0);
    EXPECT_EQ(everyRow.events.join(QLatin1Char(' ')), "f1 p f1 p f1 p f0 p");
}

// A turn of the loop inside a run dispatches outside the run's stop scope (a Stop
// of the run does not reach what another window does meanwhile); the run's own
// code sees its stop again once the turn is over. The slice's flush is the run's.
TEST(TimeSlice, ATurnDispatchesOutsideTheRunsStopScope)
{
    bkl::RunGuard run({}, false);
    bool stop = true;
    run.watchStop(stop);
    QList<bool> seen;
    const auto dispatchLater = [&] {
        QMetaObject::invokeMethod(qApp, [&] { seen << bkl::RunStopRequested(); }, Qt::QueuedConnection);
    };
    TimeSlice slice([&] { seen << bkl::RunStopRequested(); });
    dispatchLater();
    slice.pumpNow();
    TimeSlice ownPump;
    ownPump.setPump([&] { seen << bkl::RunStopRequested(); });
    ownPump.pumpNow();
    bkl::SetPumpSliceMsForTesting(0);
    dispatchLater();
    bkl::PumpWhenDue();
    EXPECT_EQ(seen, QList<bool>({true, false, false, false}));
    EXPECT_TRUE(bkl::RunStopRequested());
}
