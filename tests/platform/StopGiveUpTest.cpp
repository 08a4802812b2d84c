// A stopped statement that the driver does not end (the server stopped answering
// while it held it) ends the run all the same: its connection is given up within
// the Stop's bound, the user is told once, and the connection is opened again with
// the same settings for the next statement, which returns the right rows.
#include "StatementCatalog.h"

#include "platform/core/TimeSlice.h"
#include "platform/db/ConnectionNotice.h"
#include "support/DemoModel.h"
#include "support/StopAtMoment.h"
#include "support/TdsStandIn.h"

#include <QTimer>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::db;

TEST(StopGiveUp, AStatementTheDriverDoesNotEndHasItsConnectionClosedAndOpenedAgain)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    test::TdsStandIn standIn({}, {QStringLiteral("--delay"), QStringLiteral("5"), QStringLiteral("--hold-ms"),
                                  QStringLiteral("20000"), QStringLiteral("--hold-when"), QStringLiteral("HoldMe")});
    ASSERT_TRUE(standIn.running());
    Connection server = standIn.open(test::kSourceModel);
    const QString check = QStringLiteral("SELECT CalculationID, [Name] FROM Calculation ORDER BY CalculationID");
    const ResultSet expected = server.execute(check);
    QStringList notices;
    SetConnectionNoticeHandler([&](const QString& text) { notices << text; });
    SetPumpSliceMsForTesting(0);

    // The server stops while it holds the statement: the cancel is never answered.
    QTimer pause;
    pause.setSingleShot(true);
    QObject::connect(&pause, &QTimer::timeout, [&] { standIn.pause(true); });
    pause.start(30);
    const test::StopOutcome stop =
        test::StopAfter(server, QStringLiteral("SELECT COUNT(*) AS N FROM Calculation WHERE [Name] <> 'HoldMe'"), 60);
    standIn.pause(false);

    EXPECT_TRUE(stop.stopped) << stop.error.toStdString();
    EXPECT_GE(stop.pressToEndMs, 0);
    EXPECT_LT(stop.pressToEndMs, 10000); // long before the server's 20 s hold, or the command timeout
    EXPECT_EQ(notices, QStringList({"A stopped statement on " + standIn.server()
                                    + " (SalesModel2026) did not end within 1.5 seconds; the connection was closed and "
                                      "opened again."}));
    // The next statement runs on the connection opened again, and so do the ones after it.
    for (int i = 0; i < 2; ++i)
        test::ExpectSameResult(server.execute(check), expected);
    EXPECT_EQ(notices.size(), 1);
    SetConnectionNoticeHandler({});
}
