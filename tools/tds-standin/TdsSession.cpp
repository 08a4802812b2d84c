#include "TdsSession.h"

#include "AttentionWatch.h"
#include "TdsLogin.h"
#include "TdsRows.h"
#include "TdsTokens.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/odbc/SelectOnly.h"
#include "platform/db/sqlite/TsqlParser.h"

#include <QDir>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>

namespace tds {

namespace {

constexpr int kDefaultPacketSize = 4096;
// The most a message not yet complete may hold: a login is small, a statement may be long.
constexpr qsizetype kMessageLimitBeforeLogin = 4 * 1024 * 1024;
constexpr qsizetype kMessageLimitAfterLogin = 64 * 1024 * 1024;

// The severity the server gives its errors: syntax errors 15, a database that cannot
// be opened 11, a failed login 14, anything else 16.
int Severity(long number)
{
    switch (number) {
    case 102:
    case 105:
    case 156: return 15;
    case 4060: return 11;
    case 18452:
    case 18456: return 14;
    default: return 16;
    }
}

// The database as the server names it (system names in lower case, models as their
// file is named) and its model file; an empty name when there is no such database.
struct Database {
    QString name;
    QString file;
};

Database FindDatabase(const QString& folder, const QString& wanted)
{
    for (const char* system : {"master", "model", "msdb", "tempdb"})
        if (wanted.compare(QLatin1String(system), Qt::CaseInsensitive) == 0)
            return {QString::fromLatin1(system), QString()};
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.sqlite")}, QDir::Files, QDir::Name);
    for (const QFileInfo& f : files)
        if (f.completeBaseName().compare(wanted, Qt::CaseInsensitive) == 0)
            return {f.completeBaseName(), f.absoluteFilePath()};
    return {};
}

// The text of a SQL batch: it follows the request's headers, whose first 4 bytes
// give their total length.
QString BatchText(const QByteArray& body)
{
    Reader r(body);
    const uint32_t headers = r.u32();
    const qsizetype at = r.ok() && headers >= 4 && headers <= uint32_t(body.size()) ? headers : 0;
    Reader text(body, at);
    return text.utf16((body.size() - at) / 2);
}

} // namespace

Session::Session(QTcpSocket* socket, const ServerSettings& settings, uint16_t spid)
    : QObject(socket), socket_(socket), settings_(settings), spid_(spid), reply_(new QTimer(this)),
      piece_(new QTimer(this)), loginDeadline_(new QTimer(this))
{
    piece_->setSingleShot(true);
    connect(piece_, &QTimer::timeout, this, [this] {
        writePiece();
        answerPending();
    });
    reply_->setSingleShot(true);
    reply_->setTimerType(Qt::PreciseTimer); // a reply never comes before its delay
    connect(reply_, &QTimer::timeout, this, [this] {
        answerFirst();
        answerPending();
    });
    loginDeadline_->setSingleShot(true);
    connect(loginDeadline_, &QTimer::timeout, this, [this] {
        if (settings_.trace)
            QTextStream(stderr) << "no login within " << kLoginTimeoutMs << " ms: connection closed" << Qt::endl;
        socket_->abort();
    });
    loginDeadline_->start(kLoginTimeoutMs);
    connect(socket_, &QTcpSocket::readyRead, this, &Session::readMessages);
    connect(socket_, &QTcpSocket::bytesWritten, this, [this] {
        sendPiece();
        answerPending();
    });
    connect(socket_, &QTcpSocket::disconnected, socket_, &QObject::deleteLater);
}

void Session::readMessages()
{
    if (socket_->state() != QAbstractSocket::ConnectedState)
        return;
    incoming_.feed(socket_->readAll());
    bool broken = false;
    const qsizetype limit = loggedIn_ ? kMessageLimitAfterLogin : kMessageLimitBeforeLogin;
    // What the connection holds, whole requests and the message still coming in, stays
    // within the bound; past it, or past the number of requests held, it is closed.
    while (std::optional<Message> m = incoming_.next(broken, limit - pendingBytes_)) {
        if (m->type == kAttention && cancel())
            continue;
        pendingBytes_ += m->body.size();
        pending_.push_back(std::move(*m));
        if (int(pending_.size()) > kMaxRequestsHeld || pendingBytes_ > limit) {
            broken = true;
            break;
        }
    }
    if (broken)
        return socket_->abort();
    answerPending();
}

bool Session::cancel()
{
    if (settings_.trace && !pending_.empty())
        QTextStream(stderr) << "attention: " << pending_.size() << " request(s) dropped" << Qt::endl;
    reply_->stop();
    pending_.clear();
    pendingBytes_ = 0;
    if (!sending_)
        return false;
    if (settings_.trace)
        QTextStream(stderr) << "attention: result cut short" << Qt::endl;
    piece_->stop();
    socket_->write(sending_->cancel());
    sending_.reset();
    return true;
}

int Session::replyWaitMs(const Message& m) const
{
    if (settings_.holdMs > 0 && m.type == kSqlBatch && loggedIn_
        && BatchText(m.body).contains(settings_.holdWhen, Qt::CaseInsensitive))
        return settings_.delayMs + settings_.holdMs;
    return settings_.delayMs;
}

void Session::answerPending()
{
    while (!reply_->isActive() && !sending_ && socket_->bytesToWrite() < kMaxUnsentReplyBytes && !pending_.empty()
           && socket_->state() == QAbstractSocket::ConnectedState) {
        if (const int wait = replyWaitMs(pending_.front()); wait > 0)
            return reply_->start(wait);
        answerFirst();
    }
}

void Session::answerFirst()
{
    if (pending_.empty())
        return;
    const Message m = std::move(pending_.front());
    pending_.pop_front();
    pendingBytes_ -= m.body.size();
    handle(m);
}

void Session::sendPiece()
{
    if (!sending_ || socket_->bytesToWrite() >= kMaxUnsentReplyBytes || piece_->isActive())
        return;
    if (settings_.pieceDelayMs > 0)
        return piece_->start(settings_.pieceDelayMs);
    writePiece();
}

void Session::writePiece()
{
    if (!sending_)
        return;
    socket_->write(sending_->next(kMaxUnsentReplyBytes));
    if (sending_->finished())
        sending_.reset();
}

void Session::send(uint8_t type, Writer& w, int packetSize)
{
    PacketCutter cutter(type, packetSize, spid_);
    socket_->write(cutter.cut(w.data(), true));
}

void Session::fail(long number, int severity, const QString& text, bool hangUp)
{
    Writer w;
    WriteMessage(w, number, 1, severity, text);
    if (hangUp && number != 18456 && number != 18452)
        WriteMessage(w, 18456, 1, 14, QStringLiteral("Login failed for user '%1'.").arg(user_));
    WriteDone(w, kDoneError, 0, 0);
    send(kTabularResult, w, loggedIn_ ? packetSize_ : kDefaultPacketSize);
    if (hangUp)
        socket_->disconnectFromHost();
}

void Session::handle(const Message& m)
{
    if (m.type == kPrelogin && !loggedIn_) {
        Writer w;
        w.bytes(PreloginAnswer());
        send(kTabularResult, w, kDefaultPacketSize);
    } else if (m.type == kLogin7 && !loggedIn_) {
        login(m.body);
    } else if (m.type == kSqlBatch && loggedIn_) {
        batch(m.body);
    } else if (m.type == kAttention && loggedIn_) {
        // What was not answered yet was dropped when the attention came (cancel); a
        // reply already sent is the client's to discard up to this acknowledgement.
        Writer w;
        WriteDone(w, kDoneAttention, 0, 0);
        send(kTabularResult, w, packetSize_);
    } else if (m.type == kRpc && loggedIn_) {
        fail(2812, 16, QStringLiteral("The stand-in server runs SQL batches only, no remote procedure calls."));
    } else {
        socket_->abort();
    }
}

void Session::login(const QByteArray& body)
{
    const Login7 login = ParseLogin7(body);
    user_ = login.userName;
    if (!login.valid)
        return socket_->abort();
    if (settings_.trace)
        QTextStream(stderr) << "login " << login.userName << " database " << login.database
                            << (login.readOnlyIntent ? " read-only intent" : "") << Qt::endl;
    if (login.integratedSecurity)
        return fail(18452, 14, QStringLiteral("Login failed. The login is from an untrusted domain and cannot be used "
                                              "with Integrated authentication."), true);
    if (!settings_.user.isEmpty() && (login.userName != settings_.user || login.password != settings_.password))
        return fail(18456, 14, QStringLiteral("Login failed for user '%1'.").arg(login.userName), true);

    const QString wanted = login.database.isEmpty() ? QStringLiteral("master") : login.database;
    const Database db = FindDatabase(settings_.folder, wanted);
    // A model database is served as a readable secondary replica serves it: to
    // connections that ask for read-only access only.
    if (!db.file.isEmpty() && !login.readOnlyIntent)
        return fail(978, 14, QStringLiteral("The target database ('%1') is in an availability group and is currently "
                                            "accessible for connections when the application intent is set to read "
                                            "only. For more information about application intent, see SQL Server "
                                            "Books Online.").arg(db.name), true);
    try {
        connection_.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Initial Catalog=")
                                        + bkl::db::ConnectionStringValue(wanted) + QStringLiteral(";Data Source=")
                                        + bkl::db::ConnectionStringValue(QStringLiteral("local:") + settings_.folder));
        connection_.setCommandTimeout(0);
        connection_.open();
    } catch (const bkl::db::DbError& e) {
        return fail(e.number(), Severity(e.number()), e.description(), true);
    }
    database_ = db.name.isEmpty() ? wanted : db.name;
    schema_ = std::make_unique<ModelSchema>(db.file);

    Writer w;
    WriteEnvChange(w, EnvChange::Database, database_, QStringLiteral("master"));
    WriteMessage(w, 5701, 2, 0, QStringLiteral("Changed database context to '%1'.").arg(database_));
    WriteCollationChange(w);
    WriteEnvChange(w, EnvChange::Language, QStringLiteral("us_english"), QString());
    WriteMessage(w, 5703, 1, 0, QStringLiteral("Changed language setting to us_english."));
    WriteLoginAck(w, login.tdsVersion >= 0x74000004 ? 0x74000004 : login.tdsVersion);
    const int asked = login.packetSize;
    packetSize_ = asked >= 512 && asked <= 32767 ? asked : kDefaultPacketSize;
    WriteEnvChange(w, EnvChange::PacketSize, QString::number(packetSize_), QString::number(packetSize_));
    WriteDone(w, kDoneFinal, 0, 0);
    send(kTabularResult, w, kDefaultPacketSize);
    loggedIn_ = true;
    loginDeadline_->stop();
}

void Session::batch(const QByteArray& body)
{
    const QString sql = BatchText(body);
    if (settings_.trace)
        QTextStream(stderr) << database_ << "> " << sql << Qt::endl;

    Writer w;
    sending_ = run(sql, w);
    if (sending_)
        sendPiece();
    else if (!w.data().isEmpty())
        send(kTabularResult, w, packetSize_);
}

std::unique_ptr<ResultStream> Session::run(const QString& sql, Writer& w)
{
    // The one session option a driver sets (FreeTDS for TextSize=... in its connection string).
    static const QRegularExpression setTextSize(QStringLiteral("^\\s*SET\\s+TEXTSIZE\\s+(\\d{1,10})\\s*;?\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    if (const QRegularExpressionMatch m = setTextSize.match(sql); m.hasMatch()) {
        const qint64 size = qMin(m.captured(1).toLongLong(), qint64(INT32_MAX));
        textSize_ = size == 0 ? 4096 : size;
        WriteDone(w, kDoneFinal, 0, 0);
        return nullptr;
    }
    if (!bkl::db::odbc::IsSingleSelect(sql)) {
        // The engine's own reason where it has one; else the read-only database's refusal.
        long number = 3906;
        QString text = QStringLiteral("Failed to update database \"%1\" because the database is read-only.").arg(database_);
        try {
            bkl::db::sqlite::ParseTsqlSelect(sql);
        } catch (const bkl::db::DbError& e) {
            number = e.number();
            text = e.description();
        }
        WriteMessage(w, number, 1, Severity(number), text);
        WriteDone(w, kDoneError, 0, 0);
        return nullptr;
    }
    bkl::db::ResultSet result;
    try {
        const ComputingFor computing(*socket_, incoming_.atPacketStart());
        result = connection_.execute(sql);
    } catch (const bkl::db::StatementStopped&) {
        // The client's attention came while the result was computed: nothing of the
        // statement is sent, and the attention is answered in turn.
        if (settings_.trace)
            QTextStream(stderr) << "attention: statement stopped while its result was computed" << Qt::endl;
        return nullptr;
    } catch (const bkl::db::DbError& e) {
        WriteMessage(w, e.number(), 1, Severity(e.number()), e.description());
        WriteDone(w, kDoneError, kSelectCommand, 0);
        return nullptr;
    }
    const std::vector<ColumnType> types =
        ChooseColumnTypes(result, DeclaredColumnTypes(sql, int(result.columns.size()), *schema_));
    WriteColumnMetadata(w, result.columns, types);
    return std::make_unique<ResultStream>(std::move(w), std::move(result), types, textSize_,
                                          PacketCutter(kTabularResult, packetSize_, spid_));
}

} // namespace tds
