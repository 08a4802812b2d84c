#pragma once
// A TDS client written byte by byte, for the tds-standin tool's cases that a driver
// never makes: requests sent and replies read (or left unread) as a test says.
#include <QByteArray>
#include <QString>
#include <QTcpSocket>

namespace bkl::test {

class TdsStandIn;

// Token bytes and the DONE status bits the tests look for.
inline constexpr uint8_t kRowToken = 0xD1;
inline constexpr int kDoneCount = 0x0010;
inline constexpr int kDoneAttention = 0x0020;

class TdsWireClient {
public:
    // Connects to the stand-in. A `receiveBuffer` above 0 caps what the system and the
    // socket take in before the test reads, so a reply left unread stays at the server.
    explicit TdsWireClient(const TdsStandIn& standIn, int receiveBuffer = 0);
    bool connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    QTcpSocket& socket() { return socket_; }

    // PRELOGIN, then LOGIN7 as demo/demo with read-only intent: true once acknowledged.
    bool login(const QString& database);
    // Writes a SQL batch or an attention, and waits until the system took it.
    void sendBatch(const QString& sql);
    void sendAttention();
    // Reads the packets of the reply coming in, appending their tokens to `tokens`,
    // until its last packet (true) or until `tokens` holds `atLeast` bytes; false also
    // when nothing comes for 10 s.
    bool readReply(QByteArray& tokens, qsizetype atLeast = -1);
    // A whole reply's tokens; empty when none came.
    QByteArray reply();

private:
    bool fill(qsizetype bytes);
    QTcpSocket socket_;
    QByteArray buffer_; // bytes read and not taken apart yet
};

// The status of the DONE token that ends `tokens`; -1 when they do not end with one.
int FinalDoneStatus(const QByteArray& tokens);

} // namespace bkl::test
