#pragma once
// One client connection: pre-login, login to a database of the server folder, then
// SQL batches answered by the embedded engine, until the client hangs up.
#include "DeclaredTypes.h"
#include "TdsResultStream.h"
#include "TdsWire.h"
#include "platform/db/Connection.h"

#include <QObject>
#include <deque>
#include <memory>

class QTcpSocket;
class QTimer;

namespace tds {

struct ServerSettings {
    QString folder;   // the demo server folder
    QString user;     // when set, the only login accepted, with `password`
    QString password;
    bool trace = false; // logins and statements on stderr
    int delayMs = 0;    // each reply waits this long, as a server across a network
    int holdMs = 0;     // a SQL batch that holds `holdWhen` waits this much longer
    QString holdWhen;   // case-insensitive; empty: every SQL batch
    int pieceDelayMs = 0; // each piece of a result waits this long, as over a slow network
};

// The most one connection holds of what its client sent and is not answered yet:
// whole requests, and their bytes with those of the message still coming in.
inline constexpr int kMaxRequestsHeld = 8;
// A connection that has not finished its login this long after it came is closed, so
// idle or crawling clients cannot hold the connection slots.
inline constexpr int kLoginTimeoutMs = 10000;
// Replies are made as the client reads them: while this much of what a connection
// wrote has not left for the client, it makes no more of a reply and answers no
// further request (those wait, within the bounds above).
inline constexpr qsizetype kMaxUnsentReplyBytes = 64 * 1024;

class Session : public QObject {
    Q_OBJECT
public:
    Session(QTcpSocket* socket, const ServerSettings& settings, uint16_t spid);

private:
    void readMessages();
    // Answers the requests that have come in, in order, each after the reply delay
    // (and a held statement's hold).
    void answerPending();
    void answerFirst(); // now
    // Writes the next piece of the result going out, once the client has taken the last
    // (and the piece delay has passed).
    void sendPiece();
    void writePiece();
    // An attention from the client: the requests not answered yet are dropped
    // unanswered, and a result still going out ends where it is, with the attention's
    // acknowledgement (true). Else the attention is answered in turn.
    bool cancel();
    int replyWaitMs(const Message& m) const;
    void handle(const Message& m);
    void login(const QByteArray& body);
    void batch(const QByteArray& body);
    // Answers a statement: a result comes back to be sent a piece at a time; anything
    // else is written into `w`. Nothing at all when the client's attention stopped
    // the statement while its result was computed.
    std::unique_ptr<ResultStream> run(const QString& sql, Writer& w);
    // Sends an error and DONE; a failed login then hangs up.
    void fail(long number, int severity, const QString& text, bool hangUp = false);
    void send(uint8_t type, Writer& w, int packetSize);

    QTcpSocket* socket_;
    const ServerSettings& settings_;
    uint16_t spid_;
    MessageAssembler incoming_;
    std::deque<Message> pending_; // whole requests not answered yet
    qsizetype pendingBytes_ = 0;  // the bodies of pending_
    QTimer* reply_;               // the wait before the first pending request is answered
    QTimer* piece_;               // the wait before the next piece of a result goes out
    QTimer* loginDeadline_;
    std::unique_ptr<ResultStream> sending_; // the result going out
    bool loggedIn_ = false;
    int packetSize_ = 4096;
    qint64 textSize_ = 4096; // the server's default TEXTSIZE for a new session
    QString database_;
    QString user_;
    bkl::db::Connection connection_;
    std::unique_ptr<ModelSchema> schema_;
};

} // namespace tds
