// tds-standin holds no more of a client's unfinished message than its bound: 4 MB
// before a login, 64 MB after. Past it the connection is closed.
#include "support/TdsStandIn.h"

#include <QTcpSocket>
#include <gtest/gtest.h>

TEST(TdsStandInLimits, AConnectionWhoseUnfinishedMessagePassesItsBoundIsClosed)
{
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    const int port = standIn.server().section(',', 1).toInt();
    // Packets of a SQL batch whose last packet never comes, before any login.
    const auto packet = [](int bodyBytes) {
        QByteArray p(8, '\0');
        const int length = bodyBytes + 8;
        p[0] = 0x01;
        p[2] = char(length >> 8);
        p[3] = char(length & 0xff);
        return p + QByteArray(bodyBytes, 'x');
    };
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), quint16(port));
    ASSERT_TRUE(socket.waitForConnected(5000));
    const auto send = [&](int bytes) {
        for (int sent = 0; sent < bytes && socket.state() == QAbstractSocket::ConnectedState; sent += 32000) {
            socket.write(packet(32000));
            socket.waitForBytesWritten(5000);
        }
    };
    send(3 * 1024 * 1024); // under the 4 MB before a login: kept
    EXPECT_FALSE(socket.waitForDisconnected(500));
    send(2 * 1024 * 1024);
    EXPECT_TRUE(socket.state() == QAbstractSocket::UnconnectedState || socket.waitForDisconnected(5000));
}
