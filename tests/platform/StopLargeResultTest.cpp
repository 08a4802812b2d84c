// A Stop while the server computes a large result, or while the rows of one come in
// slowly, ends the statement well inside the Stop's bound: the server stops where it
// is, the connection is not given up (nobody is told it was reopened), and the next
// statement returns the right rows.
#include "StatementCatalog.h"

#include "platform/core/TimeSlice.h"
#include "support/ConnectionNotices.h"
#include "support/DemoModel.h"
#include "support/StopAtMoment.h"
#include "support/TdsStandIn.h"

#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::db;

namespace {

// Every pair of transactions for every payee, sorted: seconds of work before the first row.
const QString kComputed = QStringLiteral(
    "SELECT TOP 1000 a.TransactionID AS A, b.TransactionID AS B, p.PayeeName AS P FROM SalesTransactions a "
    "CROSS JOIN SalesTransactions b CROSS JOIN PayeeMaster p "
    "ORDER BY p.PayeeName, a.TransactionID + b.TransactionID, a.TransactionID");
// 60,000 rows, about 2 MB: some 30 pieces that come 100 ms apart.
const QString kStreamedSlowly = QStringLiteral("SELECT t.TransactionID, p.PayeeName FROM SalesTransactions t "
                                               "CROSS JOIN PayeeMaster p ORDER BY t.TransactionID, p.PayeeID");
const QString kCheck = QStringLiteral("SELECT CalculationID, [Name] FROM Calculation ORDER BY CalculationID");

} // namespace

TEST(StopLargeResult, AStopWhileTheServerComputesOrStreamsALargeResultEndsItWithoutGivingTheConnectionUp)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    test::TdsStandIn standIn({}, {QStringLiteral("--piece-delay"), QStringLiteral("100")});
    ASSERT_TRUE(standIn.running());
    Connection server = standIn.open(test::kSourceModel);
    server.setCommandTimeout(60);
    const ResultSet expected = server.execute(kCheck);
    test::ConnectionNotices notices;
    SetPumpSliceMsForTesting(0);

    for (const QString& sql : {kComputed, kStreamedSlowly}) {
        SCOPED_TRACE(sql.toStdString());
        const test::StopOutcome stop = test::StopAfter(server, sql, 300);
        EXPECT_TRUE(stop.stopped) << stop.error.toStdString();
        EXPECT_EQ(notices.texts, QStringList()) << "the connection was given up";
        test::ExpectSameResult(server.execute(kCheck), expected);
        notices.texts.clear();
    }
}
