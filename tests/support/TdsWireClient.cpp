#include "support/TdsWireClient.h"

#include "support/TdsStandIn.h"

#include <QtEndian>

namespace bkl::test {

namespace {

constexpr uint8_t kSqlBatch = 0x01;
constexpr uint8_t kAttention = 0x06;
constexpr uint8_t kLogin7 = 0x10;
constexpr uint8_t kPrelogin = 0x12;
constexpr int kHeader = 8;
constexpr int kDoneSize = 13;

// One message in one packet.
QByteArray Packet(uint8_t type, const QByteArray& body)
{
    QByteArray p(kHeader, '\0');
    p[0] = char(type);
    p[1] = 0x01; // end of message
    qToBigEndian<quint16>(quint16(body.size() + kHeader), p.data() + 2);
    p[6] = 1;
    return p + body;
}

void Append16(QByteArray& b, quint16 v)
{
    b.append(char(v & 0xff)).append(char(v >> 8));
}

void Append32(QByteArray& b, quint32 v)
{
    Append16(b, quint16(v & 0xffff));
    Append16(b, quint16(v >> 16));
}

QByteArray Utf16(const QString& s)
{
    QByteArray b;
    for (const QChar c : s)
        Append16(b, c.unicode());
    return b;
}

// LOGIN7: the fixed part (94 bytes), then host, user, password, program and database.
QByteArray Login7(const QString& user, const QString& password, const QString& database)
{
    QByteArray scrambled = Utf16(password);
    for (char& c : scrambled) {
        const auto x = uint8_t(c);
        c = char((((x << 4) & 0xF0) | (x >> 4)) ^ 0xA5);
    }
    const QByteArray parts[] = {Utf16(QStringLiteral("test")), Utf16(user), scrambled, Utf16(QStringLiteral("test")),
                                Utf16(database)};
    const int places[] = {36, 40, 44, 48, 68}; // where each part's offset and length go
    QByteArray fixed(94, '\0');
    QByteArray data;
    for (int i = 0; i < 5; ++i) {
        qToLittleEndian<quint16>(quint16(94 + data.size()), fixed.data() + places[i]);
        qToLittleEndian<quint16>(quint16(parts[i].size() / 2), fixed.data() + places[i] + 2);
        data += parts[i];
    }
    for (const int unused : {52, 56, 60, 64, 78, 82, 86})
        qToLittleEndian<quint16>(quint16(94 + data.size()), fixed.data() + unused);
    qToLittleEndian<quint32>(quint32(fixed.size() + data.size()), fixed.data());
    qToLittleEndian<quint32>(0x74000004, fixed.data() + 4); // TDS 7.4
    qToLittleEndian<quint32>(4096, fixed.data() + 8);       // packet size
    fixed[26] = 0x20;                                        // read-only intent
    return fixed + data;
}

} // namespace

TdsWireClient::TdsWireClient(const TdsStandIn& standIn, int receiveBuffer)
{
    if (receiveBuffer > 0) {
        socket_.setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, receiveBuffer);
        socket_.setReadBufferSize(receiveBuffer);
    }
    socket_.connectToHost(QStringLiteral("127.0.0.1"), quint16(standIn.port()));
    socket_.waitForConnected(5000);
}

bool TdsWireClient::login(const QString& database)
{
    socket_.write(Packet(kPrelogin, QByteArray::fromHex("0000060006ff000000000000")));
    if (reply().isEmpty())
        return false;
    socket_.write(Packet(kLogin7, Login7(QStringLiteral("demo"), QStringLiteral("demo"), database)));
    const QByteArray answer = reply();
    return answer.contains(char(0xAD)) && FinalDoneStatus(answer) == 0;
}

void TdsWireClient::sendBatch(const QString& sql)
{
    QByteArray body;
    Append32(body, 4); // the headers: just their own length
    socket_.write(Packet(kSqlBatch, body + Utf16(sql)));
    socket_.waitForBytesWritten(5000);
}

void TdsWireClient::sendAttention()
{
    socket_.write(Packet(kAttention, {}));
    socket_.waitForBytesWritten(5000);
}

bool TdsWireClient::fill(qsizetype bytes)
{
    while (buffer_.size() < bytes) {
        if (socket_.bytesAvailable() == 0 && !socket_.waitForReadyRead(10000))
            return false;
        buffer_ += socket_.read(bytes - buffer_.size());
    }
    return true;
}

bool TdsWireClient::readReply(QByteArray& tokens, qsizetype atLeast)
{
    while (atLeast < 0 || tokens.size() < atLeast) {
        if (!fill(kHeader))
            return false;
        const int length = qFromBigEndian<quint16>(buffer_.constData() + 2);
        const bool last = buffer_[1] & 0x01;
        if (length < kHeader || !fill(length))
            return false;
        tokens += buffer_.mid(kHeader, length - kHeader);
        buffer_.remove(0, length);
        if (last)
            return true;
    }
    return false;
}

QByteArray TdsWireClient::reply()
{
    QByteArray tokens;
    return readReply(tokens) ? tokens : QByteArray();
}

int FinalDoneStatus(const QByteArray& tokens)
{
    if (tokens.size() < kDoneSize || uint8_t(tokens[tokens.size() - kDoneSize]) != 0xFD)
        return -1;
    return qFromLittleEndian<quint16>(tokens.constData() + tokens.size() - kDoneSize + 1);
}

} // namespace bkl::test
