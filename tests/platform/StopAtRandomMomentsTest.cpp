// Stop pressed at random moments of a statement on the SQL Server road (before it
// is sent, while the server holds it, while its rows stream back) always ends the
// statement, and the connection serves the next statement with the right rows.
#include "StatementCatalog.h"

#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "support/ConnectionNotices.h"
#include "support/DemoModel.h"
#include "support/StopAtMoment.h"
#include "support/TdsStandIn.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::db;

namespace {

// 41 x 41 x 41 rows: long enough to stream back that a stop lands in the middle.
const QString kStreamed = QStringLiteral(
    "SELECT a.CalculationID AS A, b.CalculationID AS B, c.[Name] AS C FROM Calculation a "
    "CROSS JOIN Calculation b CROSS JOIN Calculation c ORDER BY a.CalculationID, b.CalculationID, c.CalculationID");
// Held 20 s by the server unless cancelled.
const QString kHeld = QStringLiteral("SELECT COUNT(*) AS N FROM Calculation WHERE [Name] <> 'HoldMe'");
const QString kCheck = QStringLiteral("SELECT CalculationID, [Name] FROM Calculation ORDER BY CalculationID");

} // namespace

TEST(StopAtRandomMoments, EveryStopEndsItsStatementAndTheConnectionServesTheNext)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    test::TdsStandIn standIn({}, {QStringLiteral("--delay"), QStringLiteral("5"), QStringLiteral("--hold-ms"),
                                  QStringLiteral("20000"), QStringLiteral("--hold-when"), QStringLiteral("HoldMe")});
    ASSERT_TRUE(standIn.running());
    Connection server = standIn.open(test::kSourceModel);
    server.setCommandTimeout(20);
    const ResultSet expected = test::OpenDemoModel(test::kSourceModel).execute(kCheck);
    QElapsedTimer whole;
    whole.start();
    const size_t streamedRows = server.execute(kStreamed).rows.size();
    const int streamMs = int(whole.elapsed());
    ASSERT_EQ(streamedRows, 41u * 41u * 41u);
    SetPumpSliceMsForTesting(0);

    // A quarter held by the server, pressed before it is sent or while it holds it;
    // the others pressed any time from before the statement is sent to its last row.
    QRandomGenerator random(20260517);
    for (int i = 0; i < 100; ++i) {
        const bool held = i % 4 == 0;
        const int pressAt = int(random.bounded(held ? 60 : streamMs + 20));
        const test::StopOutcome stop = test::StopAfter(server, held ? kHeld : kStreamed, pressAt);
        SCOPED_TRACE(QStringLiteral("stop %1, %2, pressed at %3 ms").arg(i).arg(held ? "held" : "streamed").arg(pressAt)
                         .toStdString());
        // A stuck statement would end only at the command timeout (20 s).
        ASSERT_LT(stop.pressToEndMs, 10000) << "the statement went on long after Stop";
        ASSERT_EQ(stop.error, QString());
        if (held)
            ASSERT_TRUE(stop.stopped);
        try {
            test::ExpectSameResult(server.execute(kCheck), expected);
        } catch (const DbError& e) {
            FAIL() << "the next statement failed: " << e.description().toStdString();
        }
    }
}

// A Stop pressed while a long statement is still being handed to the driver (before
// the server has it to cancel) ends it once the server holds it, without giving the
// connection up; and the next statements get their own rows, not the reply to a
// piece of the stopped one.
TEST(StopAtRandomMoments, AStopWhileALongStatementIsHandedToTheDriverEndsItAndTheNextStatementsAreRight)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    test::TdsStandIn standIn({}, {QStringLiteral("--hold-ms"), QStringLiteral("20000"), QStringLiteral("--hold-when"),
                                  QStringLiteral("HoldMe")});
    ASSERT_TRUE(standIn.running());
    Connection server = standIn.open(test::kSourceModel);
    const ResultSet expected = server.execute(kCheck);
    test::ConnectionNotices notices;
    SetPumpSliceMsForTesting(0);
    // Megabytes of text: the driver takes a while to convert and send it.
    const QString held = kHeld + QStringLiteral(" AND [Name] <> N'%1'").arg(QString(8'000'000, QLatin1Char('x')));

    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const test::StopOutcome stop = test::StopAfter(server, held, 1);
        EXPECT_TRUE(stop.stopped) << stop.error.toStdString();
        EXPECT_EQ(notices.texts, QStringList()) << "the connection was given up";
        for (int next = 0; next < 2; ++next)
            try {
                test::ExpectSameResult(server.execute(kCheck), expected);
            } catch (const DbError& e) {
                ADD_FAILURE() << "the next statement failed: " << e.description().toStdString();
            }
        notices.texts.clear();
    }
}
