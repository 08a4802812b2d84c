// tds-standin holds no more of a client's unfinished message than its bound: 4 MB
// before a login, 64 MB after. Past it the connection is closed. It also bounds
// what a connection holds of whole requests not answered yet (their number, and
// their bytes with the unfinished message's), of replies its client has not read,
// the connections at once, and how long a connection may take to log in.
#include "support/TdsStandIn.h"
#include "support/TdsWireClient.h"
#include "support/DemoModel.h"

#include <QTcpSocket>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

constexpr uint8_t kBatch = 0x01;
constexpr uint8_t kPrelogin = 0x12;

// One packet of `bodyBytes`; `last` marks the end of its message.
QByteArray Packet(uint8_t type, int bodyBytes, bool last)
{
    QByteArray p(8, '\0');
    const int length = bodyBytes + 8;
    p[0] = char(type);
    p[1] = last ? 0x01 : 0x00;
    p[2] = char(length >> 8);
    p[3] = char(length & 0xff);
    return p + QByteArray(bodyBytes, 'x');
}

// A whole message of `bytes` in packets of 32,000.
QByteArray Message(uint8_t type, int bytes)
{
    QByteArray m;
    for (int left = bytes; left > 0; left -= 32000)
        m += Packet(type, qMin(left, 32000), left <= 32000);
    return m;
}

bool Connect(QTcpSocket& socket, const bkl::test::TdsStandIn& standIn)
{
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(standIn.server().section(',', 1).toInt()));
    return socket.waitForConnected(5000);
}

bool Closed(QTcpSocket& socket, int waitMs)
{
    return socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(waitMs);
}

// Packets of a SQL batch whose last packet never comes, before any login: kept up
// to the bound, closed past it.
void ExpectUnfinishedMessageBound(const QStringList& arguments)
{
    bkl::test::TdsStandIn standIn({}, arguments);
    ASSERT_TRUE(standIn.running());
    QTcpSocket socket;
    ASSERT_TRUE(Connect(socket, standIn));
    const auto send = [&](int bytes) {
        for (int sent = 0; sent < bytes && socket.state() == QAbstractSocket::ConnectedState; sent += 32000) {
            socket.write(Packet(kBatch, 32000, false));
            socket.waitForBytesWritten(5000);
        }
    };
    send(3 * 1024 * 1024); // under the 4 MB before a login: kept
    EXPECT_FALSE(socket.waitForDisconnected(500));
    send(2 * 1024 * 1024);
    EXPECT_TRUE(Closed(socket, 5000));
}

} // namespace

TEST(TdsStandInLimits, AConnectionWhoseUnfinishedMessagePassesItsBoundIsClosed)
{
    ExpectUnfinishedMessageBound({});
}

TEST(TdsStandInLimits, TheUnfinishedMessageBoundHoldsWhileRepliesAreDelayed)
{
    ExpectUnfinishedMessageBound({QStringLiteral("--delay"), QStringLiteral("3000")});
}

// A client holds a whole request the server keeps waiting, then sends a message it
// never finishes: the two together pass the 4 MB a connection may hold before its login.
TEST(TdsStandInLimits, TheUnfinishedMessageBoundCountsTheWholeRequestsHeldBeforeIt)
{
    bkl::test::TdsStandIn standIn({}, {QStringLiteral("--delay"), QStringLiteral("60000")});
    ASSERT_TRUE(standIn.running());
    QTcpSocket socket;
    ASSERT_TRUE(Connect(socket, standIn));
    socket.write(Message(kPrelogin, 3000000));
    while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(2000)) {
    }
    EXPECT_FALSE(socket.waitForDisconnected(300));
    // 1.5 MB of a batch whose last packet never comes: alone it would be kept.
    for (int sent = 0; sent < 1500000 && socket.state() == QAbstractSocket::ConnectedState; sent += 32000) {
        socket.write(Packet(kBatch, 32000, false));
        socket.waitForBytesWritten(2000);
    }
    EXPECT_TRUE(Closed(socket, 3000));
}

TEST(TdsStandInLimits, WholeRequestsHeldUnansweredAreBoundedInNumberAndBytes)
{
    // Each reply waits 3 s: whatever the client sends meanwhile is held.
    bkl::test::TdsStandIn standIn({}, {QStringLiteral("--delay"), QStringLiteral("3000")});
    ASSERT_TRUE(standIn.running());

    // Eight small requests are held; the ninth closes the connection.
    {
        QTcpSocket socket;
        ASSERT_TRUE(Connect(socket, standIn));
        for (int i = 0; i < 8; ++i)
            socket.write(Message(kPrelogin, 100));
        socket.waitForBytesWritten(5000);
        EXPECT_FALSE(socket.waitForDisconnected(500));
        socket.write(Message(kPrelogin, 100));
        socket.waitForBytesWritten(5000);
        EXPECT_TRUE(Closed(socket, 2000));
    }
    // Two whole requests of 2.5 MB pass the 4 MB a connection may hold before its login.
    {
        QTcpSocket socket;
        ASSERT_TRUE(Connect(socket, standIn));
        socket.write(Message(kPrelogin, 2500000));
        socket.waitForBytesWritten(5000);
        EXPECT_FALSE(socket.waitForDisconnected(500));
        socket.write(Message(kPrelogin, 2500000));
        while (socket.bytesToWrite() > 0 && socket.waitForBytesWritten(2000)) {
        }
        EXPECT_TRUE(Closed(socket, 2000));
    }
}

TEST(TdsStandInLimits, ConnectionsPastTheBoundAreClosedAsTheyCome)
{
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    std::vector<std::unique_ptr<QTcpSocket>> open;
    for (int i = 0; i < 16; ++i) {
        open.push_back(std::make_unique<QTcpSocket>());
        ASSERT_TRUE(Connect(*open.back(), standIn));
    }
    QTcpSocket past;
    ASSERT_TRUE(Connect(past, standIn));
    EXPECT_TRUE(Closed(past, 5000));
    EXPECT_FALSE(open.front()->waitForDisconnected(300));
    EXPECT_FALSE(open.back()->waitForDisconnected(10));

    // Once one of them hangs up, a new connection is served.
    open.front()->disconnectFromHost();
    open.front().reset();
    QTcpSocket next;
    for (int attempt = 0; attempt < 50; ++attempt) {
        next.abort();
        ASSERT_TRUE(Connect(next, standIn));
        if (!next.waitForDisconnected(200))
            break;
    }
    EXPECT_EQ(next.state(), QAbstractSocket::ConnectedState);
}

// A client that sends requests one at a time and never reads their replies: the
// stand-in makes a reply only as fast as the client takes it, so it stops answering,
// holds the requests that keep coming within their bound, and closes the connection
// past it instead of keeping every reply.
TEST(TdsStandInLimits, AClientThatNeverReadsItsRepliesIsClosedOnceItsRequestsPassTheirBound)
{
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    bkl::test::TdsWireClient client(standIn, 16 * 1024);
    ASSERT_TRUE(client.login(bkl::test::kSourceModel));
    // About 2 MB of rows.
    const QString rows = QStringLiteral("SELECT t.TransactionID, r.RegionName, N'%1' AS Pad FROM SalesTransactions t "
                                        "CROSS JOIN RegionLookup r")
                             .arg(QString(100, QLatin1Char('x')));
    int sent = 0;
    for (; sent < 50 && client.connected(); ++sent) {
        client.sendBatch(rows);
        QThread::msleep(100); // each is answered before the next comes, if it is answered
    }
    EXPECT_FALSE(client.connected());
    EXPECT_LT(sent, 50);
}

// A connection must finish its login within 10 s: idle ones and ones that send their
// pre-login a byte a second no longer hold the 16 connections' places for good. A
// connection that logged in stays as long as its client wants.
TEST(TdsStandInLimits, ConnectionsThatDoNotLogInWithinTenSecondsAreClosed)
{
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    bkl::test::TdsWireClient loggedIn(standIn);
    ASSERT_TRUE(loggedIn.login(bkl::test::kSourceModel));
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    std::vector<std::unique_ptr<QTcpSocket>> crawling;
    for (int i = 0; i < 15; ++i) {
        auto& group = i % 2 ? crawling : idle;
        group.push_back(std::make_unique<QTcpSocket>());
        ASSERT_TRUE(Connect(*group.back(), standIn));
    }
    QTcpSocket past;
    ASSERT_TRUE(Connect(past, standIn));
    EXPECT_TRUE(Closed(past, 5000));

    const QByteArray prelogin = Message(kPrelogin, 40);
    const auto open = [](const std::vector<std::unique_ptr<QTcpSocket>>& sockets) {
        return std::count_if(sockets.begin(), sockets.end(), [](const auto& s) {
            return s->state() == QAbstractSocket::ConnectedState;
        });
    };
    for (int second = 0; open(idle) + open(crawling) > 0 && second < 30; ++second) {
        if (second == 2) {
            EXPECT_EQ(open(idle), 8);
            EXPECT_EQ(open(crawling), 7);
        }
        for (const auto& s : crawling)
            if (s->state() == QAbstractSocket::ConnectedState)
                s->write(prelogin.mid(second, 1));
        QTest::qWait(1000);
    }
    EXPECT_EQ(open(idle), 0);
    EXPECT_EQ(open(crawling), 0);

    // The connection that logged in still answers, and a new client is served.
    loggedIn.sendBatch(QStringLiteral("SELECT COUNT(*) AS N FROM Calculation"));
    EXPECT_EQ(bkl::test::FinalDoneStatus(loggedIn.reply()), bkl::test::kDoneCount);
    bkl::test::TdsWireClient next(standIn);
    EXPECT_TRUE(next.login(bkl::test::kSourceModel));
}
