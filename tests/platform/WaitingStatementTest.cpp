// The data layer waits without freezing: inside a run the event loop turns
// between statements and during a long one, which the run's Stop interrupts (on
// the SQL Server road by a cancel at the server); outside runs the embedded engine
// turns nothing, and a SQL Server statement's wait is a run of its own. What a
// statement gives is the same either way.
#include "StatementCatalog.h"

#include "platform/core/ActiveRun.h"
#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/ui/RunGuard.h"
#include "support/DemoModel.h"
#include "support/SlowLike.h"
#include "support/TdsStandIn.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::db;

namespace {

// Counts the turns of the event loop while it lives, and runs `onTurn` at each.
class TurnCounter {
public:
    explicit TurnCounter(std::function<void()> onTurn = {}) : onTurn_(std::move(onTurn))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            ++turns;
            if (onTurn_)
                onTurn_();
        });
        timer_.start(0);
    }
    int turns = 0;

private:
    QTimer timer_;
    std::function<void()> onTurn_;
};

// 41 x 41 rows, each pair tested by LIKE.
const QString kPairs = QStringLiteral("SELECT COUNT(*) AS N, MIN(a.[Name] + b.[Name]) AS First FROM Calculation a "
                                      "CROSS JOIN Calculation b WHERE a.[Name] + b.[Name] LIKE '%a%'");
constexpr int kPairCount = 41 * 41;

} // namespace

TEST(WaitingStatement, AnEmbeddedStatementTurnsTheLoopInsideARunAndStopInterruptsIt)
{
    test::SlowLike slow(100);
    Connection cn = test::OpenDemoModel(test::kSourceModel);
    SetPumpSliceMsForTesting(0);

    // Outside a run nothing turns the loop.
    ResultSet plain;
    {
        TurnCounter counter;
        plain = cn.execute(kPairs);
        EXPECT_EQ(counter.turns, 0);
    }
    ASSERT_EQ(plain.rows.size(), 1u);
    EXPECT_GT(plain.rows[0][0].toDouble(), 0);
    EXPECT_EQ(test::SlowLike::calls(), kPairCount);

    // Inside a run it turns during the statement, which gives the same rows.
    {
        RunGuard run({}, false);
        TurnCounter counter;
        test::ExpectSameResult(cn.execute(kPairs), plain);
        EXPECT_GT(counter.turns, 2);
        Recordset rs;
        rs.openForwardOnly(kPairs, cn);
        EXPECT_EQ(rs.field(0), plain.rows[0][0]);
        EXPECT_EQ(rs.field(1), plain.rows[0][1]);
    }

    // Stop pressed at a turn interrupts the statement, read whole or row by row; it ends as a
    // stop, not as a failure, and the connection goes on.
    for (const bool forwardOnly : {false, true}) {
        SCOPED_TRACE(forwardOnly ? "forward-only" : "whole result");
        RunGuard run({}, false);
        bool stop = false;
        run.watchStop(stop);
        {
            // Pressed once the statement steps.
            TurnCounter counter([&] { stop = stop || test::SlowLike::calls() > 0; });
            test::SlowLike::resetCalls();
            Recordset rs;
            EXPECT_THROW(forwardOnly ? rs.openForwardOnly(kPairs, cn) : rs.open(kPairs, cn), StatementStopped);
            EXPECT_GT(test::SlowLike::calls(), 0);
            EXPECT_LT(test::SlowLike::calls(), kPairCount);
        }
        stop = false;
        test::ExpectSameResult(cn.execute(kPairs), plain);
    }
    // A connection without a command timeout is watched the same: Stop ends its statement.
    {
        Connection untimed = test::OpenDemoModel(test::kSourceModel);
        untimed.setCommandTimeout(0);
        RunGuard run({}, false);
        bool stop = false;
        run.watchStop(stop);
        TurnCounter counter([&] { stop = stop || test::SlowLike::calls() > 0; });
        test::SlowLike::resetCalls();
        EXPECT_THROW(untimed.execute(kPairs), StatementStopped);
        EXPECT_LT(test::SlowLike::calls(), kPairCount);
    }
    // A stop flag is watched only while its run is active.
    {
        bool stop = true;
        {
            RunGuard run({}, false);
            run.watchStop(stop);
        }
        RunGuard next({}, false);
        test::ExpectSameResult(cn.execute(kPairs), plain);
    }
    // Past the command timeout a statement still ends as a timeout.
    {
        RunGuard run({}, false);
        test::SlowLike slower(2000);
        Connection timed = test::OpenDemoModel(test::kSourceModel);
        timed.setCommandTimeout(1);
        try {
            timed.execute(kPairs);
            ADD_FAILURE() << "no timeout";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.description().startsWith("Query timeout expired after 1 seconds")) << e.description().toStdString();
        }
    }
}

// Inside a run a statement ends with a turn of the loop as well: what the user did
// while it ran (a Stop, a close) is seen before the run goes on with its rows.
TEST(WaitingStatement, InsideARunTheLoopTurnsBeforeAndAfterAStatement)
{
    Connection cn = test::OpenDemoModel(test::kSourceModel);
    SetPumpSliceMsForTesting(0);
    QStringList order;
    SetStatementObserver([&](const QString&) { order << QStringLiteral("statement"); });
    {
        RunGuard run({}, false);
        TurnCounter counter([&] { order << QStringLiteral("turn"); });
        EXPECT_EQ(cn.execute(QStringLiteral("SELECT 1 AS N")).rows.size(), 1u);
    }
    SetStatementObserver({});
    ASSERT_EQ(order.count(QStringLiteral("statement")), 1);
    EXPECT_EQ(order.first(), "turn");
    EXPECT_EQ(order.last(), "turn");
}

// Stop ends the run it belongs to and only that run's statements. What the loop
// dispatches while a run's statement turns it (a click in another window) runs
// outside that run: its statements on other connections are not stopped by the
// run's Stop, a run it starts is ended only by its own Stop, and once the turn is
// over the run's own statement is stopped.
TEST(WaitingStatement, StopEndsOnlyTheStatementsOfItsOwnRun)
{
    test::SlowLike slow(50);
    Connection source = test::OpenDemoModel(test::kSourceModel);
    Connection target = test::OpenDemoModel(test::kTargetModel);
    const ResultSet plain = target.execute(kPairs);
    SetPumpSliceMsForTesting(0);

    RunGuard run({}, false);
    bool stop = false;
    run.watchStop(stop);
    bool innerStop = false;
    QStringList seen;
    const auto attempt = [&](const QString& what) {
        try {
            test::ExpectSameResult(target.execute(kPairs), plain);
            seen << what + QStringLiteral(" ran");
        } catch (const StatementStopped&) {
            seen << what + QStringLiteral(" stopped");
        }
    };
    TurnCounter counter([&] {
        if (!seen.isEmpty() || test::SlowLike::calls() == 0)
            return;
        // The user presses the run's Stop, and in the same turn works in another window.
        stop = true;
        seen << QStringLiteral("pressed");
        EXPECT_FALSE(RunStopRequested());
        attempt(QStringLiteral("outside any run"));
        RunGuard second({}, false);
        second.watchStop(innerStop);
        attempt(QStringLiteral("a run of its own"));
        {
            TurnCounter presser([&] { innerStop = true; }); // the second run's Stop, at its statement's turn
            attempt(QStringLiteral("a run of its own, its Stop pressed"));
        }
        EXPECT_TRUE(RunStopRequested());
    });
    test::SlowLike::resetCalls();
    EXPECT_THROW(source.execute(kPairs), StatementStopped);
    EXPECT_TRUE(RunStopRequested());
    EXPECT_EQ(seen, QStringList({"pressed", "outside any run ran", "a run of its own ran",
                                 "a run of its own, its Stop pressed stopped"}));
}

TEST(WaitingStatement, NothingStartedFromTheTurningLoopRunsOnTheStatementsConnectionOrClosesIt)
{
    test::SlowLike slow(100);
    Connection cn = test::OpenDemoModel(test::kSourceModel);
    const ResultSet plain = cn.execute(kPairs);
    SetPumpSliceMsForTesting(0);

    RunGuard run({}, false);
    QStringList refused;
    bool closed = false;
    test::SlowLike::resetCalls();
    TurnCounter counter([&] {
        if (!refused.isEmpty() || closed || test::SlowLike::calls() == 0)
            return;
        try {
            cn.execute(QStringLiteral("SELECT COUNT(*) FROM Calculation"));
            refused << QStringLiteral("ran");
        } catch (const DbError& e) {
            refused << e.description();
        }
        // Closing the connection meanwhile leaves the statement its backend.
        cn.close();
        closed = true;
    });
    test::ExpectSameResult(cn.execute(kPairs), plain);
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0], "The connection is busy with another statement: SELECT COUNT(*) FROM Calculation");
    EXPECT_TRUE(closed);
    EXPECT_FALSE(cn.isOpen());
}

TEST(WaitingStatement, OnTheSqlServerRoadTheLoopTurnsBetweenStatementsWhileEachWaitsForItsDelayedReply)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    test::TdsStandIn standIn({}, {QStringLiteral("--delay"), QStringLiteral("40")});
    ASSERT_TRUE(standIn.running());
    Connection server;
    server.setConnectionString(standIn.connectionString(test::kSourceModel));
    server.open();
    Connection embedded = test::OpenDemoModel(test::kSourceModel);
    const QStringList statements{QStringLiteral("SELECT CalculationID, [Name] FROM Calculation ORDER BY CalculationID"),
                                 QStringLiteral("SELECT TableName FROM CustomTable ORDER BY TableName"),
                                 QStringLiteral("SELECT COUNT(*) AS N FROM [Time]")};
    SetPumpSliceMsForTesting(0);

    // Each reply waits for the delay; outside a run the loop turns meanwhile too, each
    // wait a run of its own: the run guard is up at every turn.
    {
        int guarded = 0;
        TurnCounter counter([&] { guarded += RunActive(); });
        QElapsedTimer clock;
        clock.start();
        for (const QString& sql : statements)
            test::ExpectSameResult(server.execute(sql), embedded.execute(sql));
        EXPECT_GE(clock.elapsed(), 3 * 40);
        EXPECT_GE(counter.turns, int(statements.size()));
        EXPECT_EQ(guarded, counter.turns);
        EXPECT_FALSE(RunActive());
    }
    // Inside a run it turns between statements, and the rows are the same.
    RunGuard run({}, false);
    TurnCounter counter;
    for (const QString& sql : statements)
        test::ExpectSameResult(server.execute(sql), embedded.execute(sql));
    EXPECT_GE(counter.turns, int(statements.size()));
}

TEST(WaitingStatement, OnTheSqlServerRoadAStatementTurnsTheLoopWhileItWaitsAndStopCancelsItAtTheServer)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    // Each reply waits 100 ms; a statement that names "HoldMe" waits 20 s more unless cancelled.
    test::TdsStandIn standIn({}, {QStringLiteral("--delay"), QStringLiteral("100"), QStringLiteral("--hold-ms"),
                                  QStringLiteral("20000"), QStringLiteral("--hold-when"), QStringLiteral("HoldMe")});
    ASSERT_TRUE(standIn.running());
    Connection server;
    server.setConnectionString(standIn.connectionString(test::kSourceModel));
    server.open();
    Connection embedded = test::OpenDemoModel(test::kSourceModel);
    const QString rows = QStringLiteral("SELECT CalculationID, [Name] FROM Calculation ORDER BY CalculationID");
    const QString held = QStringLiteral("SELECT COUNT(*) AS N FROM Calculation WHERE [Name] <> 'HoldMe'");
    const ResultSet plain = server.execute(rows);
    test::ExpectSameResult(plain, embedded.execute(rows));
    SetPumpSliceMsForTesting(0);

    // Inside a run the loop turns while the statement waits for its reply, and the
    // rows are the same, read whole or row by row.
    {
        RunGuard run({}, false);
        TurnCounter counter;
        test::ExpectSameResult(server.execute(rows), plain);
        EXPECT_GE(counter.turns, 5);
        Recordset rs;
        rs.openForwardOnly(rows, server);
        for (const auto& row : plain.rows) {
            ASSERT_FALSE(rs.eof());
            for (size_t i = 0; i < row.size(); ++i)
                EXPECT_EQ(rs.field(int(i)), row[i]);
            rs.moveNext();
        }
        EXPECT_TRUE(rs.eof());
        EXPECT_GE(counter.turns, 10);
    }

    // Stop pressed while the server holds the statement cancels it there: it ends as a
    // stop, long before the server would answer, and the connection serves the next one.
    for (const bool forwardOnly : {false, true}) {
        SCOPED_TRACE(forwardOnly ? "forward-only" : "whole result");
        RunGuard run({}, false);
        bool stop = false;
        run.watchStop(stop);
        QElapsedTimer clock;
        {
            int turns = 0;
            TurnCounter counter([&] { stop = ++turns >= 5; });
            clock.start();
            Recordset rs;
            EXPECT_THROW(forwardOnly ? rs.openForwardOnly(held, server) : rs.open(held, server), StatementStopped);
        }
        EXPECT_LT(clock.elapsed(), 10000);
        stop = false;
        test::ExpectSameResult(server.execute(rows), plain);
    }

    // A turn meanwhile runs nothing on the statement's connection, and closing it leaves
    // the statement its backend.
    {
        RunGuard run({}, false);
        QStringList refused;
        int turns = 0;
        TurnCounter counter([&] {
            // The first turn comes before the statement starts.
            if (++turns < 3 || !refused.isEmpty())
                return;
            try {
                server.execute(QStringLiteral("SELECT COUNT(*) FROM Calculation"));
                refused << QStringLiteral("ran");
            } catch (const DbError& e) {
                refused << e.description();
            }
            server.close();
        });
        test::ExpectSameResult(server.execute(rows), plain);
        ASSERT_EQ(refused.size(), 1);
        EXPECT_EQ(refused[0], "The connection is busy with another statement: SELECT COUNT(*) FROM Calculation");
        EXPECT_FALSE(server.isOpen());
    }

    // The command timeout still ends a held statement, as a failure, inside a run too.
    {
        Connection timed;
        timed.setConnectionString(standIn.connectionString(test::kSourceModel));
        timed.setCommandTimeout(1);
        timed.open();
        RunGuard run({}, false);
        QElapsedTimer clock;
        clock.start();
        EXPECT_THROW(timed.execute(held), DbError);
        EXPECT_LT(clock.elapsed(), 10000);
        test::ExpectSameResult(timed.execute(rows), plain);
    }
}
