// A stopped statement that the driver does not end (the server stopped answering
// while it held it) ends the run all the same: its connection is given up within
// the Stop's bound, the user is told once, and the connection is opened again with
// the same settings for the next statement, which returns the right rows.
#include "StatementCatalog.h"

#include "platform/core/TimeSlice.h"
#include "platform/db/DbError.h"
#include "support/ConnectionNotices.h"
#include "support/DemoModel.h"
#include "support/StopAtMoment.h"
#include "support/TdsStandIn.h"

#include <QFile>
#include <QSet>
#include <QTimer>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::db;

namespace {

const QString kHeld = QStringLiteral("SELECT COUNT(*) AS N FROM Calculation WHERE [Name] <> 'HoldMe'");
const QString kCheck = QStringLiteral("SELECT CalculationID, [Name] FROM Calculation ORDER BY CalculationID");

QStringList HoldingServer(const QString& delayMs)
{
    return {QStringLiteral("--delay"), delayMs, QStringLiteral("--hold-ms"), QStringLiteral("20000"),
            QStringLiteral("--hold-when"), QStringLiteral("HoldMe")};
}

// Stops a held statement while the server has stopped answering (its cancel is never
// answered), runs `meanwhile` once the stop has ended, then lets the server go on.
test::StopOutcome StopWhileTheServerIsStopped(test::TdsStandIn& standIn, const Connection& cn,
                                              const std::function<void()>& meanwhile = {})
{
    QTimer pause;
    pause.setSingleShot(true);
    QObject::connect(&pause, &QTimer::timeout, [&] { standIn.pause(true); });
    pause.start(30);
    const test::StopOutcome stop = test::StopAfter(cn, kHeld, 60);
    if (meanwhile)
        meanwhile();
    standIn.pause(false);
    return stop;
}

// The inodes of this process's TCP connections to the loopback port that are
// established (not shut down, not closing).
QSet<QString> EstablishedTo(int port)
{
    QSet<QString> inodes;
    const QString peer = QStringLiteral(":%1").arg(port, 4, 16, QLatin1Char('0')).toUpper();
    for (const char* table : {"/proc/self/net/tcp", "/proc/self/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        file.readLine(); // the header
        while (!file.atEnd()) {
            // sl local remote state queues timer retransmits uid timeout inode ...
            const QStringList f = QString::fromLatin1(file.readLine()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (f.size() > 9 && f[2].endsWith(peer) && f[3] == QLatin1String("01"))
                inodes.insert(f[9]);
        }
    }
    return inodes;
}

} // namespace

TEST(StopGiveUp, AStatementTheDriverDoesNotEndHasItsConnectionClosedAndOpenedAgain)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    test::TdsStandIn standIn({}, HoldingServer(QStringLiteral("5")));
    ASSERT_TRUE(standIn.running());
    Connection server = standIn.open(test::kSourceModel);
    const ResultSet expected = server.execute(kCheck);
    test::ConnectionNotices notices;
    SetPumpSliceMsForTesting(0);
    const QSet<QString> connected = EstablishedTo(standIn.port());
    ASSERT_EQ(connected.size(), 1);

    // The server stops while it holds the statement: the cancel is never answered. The
    // connection given up is closed at the server, not left open beside the new one.
    const test::StopOutcome stop = StopWhileTheServerIsStopped(
        standIn, server, [&] {
            EXPECT_FALSE(EstablishedTo(standIn.port()).intersects(connected)) << "the connection given up is still open";
        });

    EXPECT_TRUE(stop.stopped) << stop.error.toStdString();
    EXPECT_GE(stop.pressToEndMs, 0);
    EXPECT_LT(stop.pressToEndMs, 10000); // long before the server's 20 s hold, or the command timeout
    EXPECT_EQ(notices.texts, QStringList({"A stopped statement on " + standIn.server()
                                    + " (SalesModel2026) did not end within 1.5 seconds; the connection was closed and "
                                      "opened again."}));
    // The next statement runs on the connection opened again, and so do the ones after it.
    for (int i = 0; i < 2; ++i)
        test::ExpectSameResult(server.execute(kCheck), expected);
    EXPECT_EQ(notices.texts.size(), 1);
}

// A connection made while another is being opened again in the background (after a
// give-up) is that connection's alone: giving the other up again leaves it working.
TEST(StopGiveUp, AGiveUpNeverClosesAnotherConnectionMadeMeanwhile)
{
    if (!test::FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    // Each reply held 300 ms: opening a connection there takes a while.
    test::TdsStandIn slow({}, HoldingServer(QStringLiteral("300")));
    test::TdsStandIn other;
    ASSERT_TRUE(slow.running());
    ASSERT_TRUE(other.running());
    Connection source = slow.open(test::kSourceModel);
    test::ConnectionNotices notices;
    SetPumpSliceMsForTesting(0);

    EXPECT_TRUE(StopWhileTheServerIsStopped(slow, source).stopped);
    // The source is being opened again; the target connects meanwhile.
    Connection target = other.open(test::kTargetModel);
    const ResultSet expected = target.execute(kCheck);
    EXPECT_EQ(source.execute(kCheck).rows.size(), 41u);
    EXPECT_TRUE(StopWhileTheServerIsStopped(slow, source).stopped);

    try {
        test::ExpectSameResult(target.execute(kCheck), expected);
    } catch (const DbError& e) {
        ADD_FAILURE() << "the target's connection was closed with the source's: " << e.description().toStdString();
    }
    EXPECT_EQ(notices.texts.size(), 2);
    for (const QString& notice : notices.texts)
        EXPECT_TRUE(notice.startsWith("A stopped statement on " + slow.server())) << notice.toStdString();
}
