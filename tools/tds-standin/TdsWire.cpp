#include "TdsWire.h"

#include <QtEndian>

namespace tds {

namespace {
constexpr int kHeaderSize = 8;
constexpr uint8_t kEndOfMessage = 0x01;
constexpr uint8_t kIgnoreMessage = 0x02;
} // namespace

Writer& Writer::u8(uint8_t v)
{
    data_.append(static_cast<char>(v));
    return *this;
}

Writer& Writer::u16(uint16_t v) { return u8(v & 0xff).u8(v >> 8); }
Writer& Writer::u32(uint32_t v) { return u16(v & 0xffff).u16(v >> 16); }
Writer& Writer::u64(uint64_t v) { return u32(v & 0xffffffffu).u32(v >> 32); }

Writer& Writer::bytes(const QByteArray& b)
{
    data_ += b;
    return *this;
}

Writer& Writer::utf16(const QString& s)
{
    for (const QChar c : s)
        u16(c.unicode());
    return *this;
}

Writer& Writer::bVarchar(const QString& s)
{
    const QString t = s.left(255);
    return u8(static_cast<uint8_t>(t.size())).utf16(t);
}

Writer& Writer::usVarchar(const QString& s)
{
    const QString t = s.left(65535);
    return u16(static_cast<uint16_t>(t.size())).utf16(t);
}

qsizetype Writer::openLength()
{
    const qsizetype at = data_.size();
    u16(0);
    return at;
}

void Writer::closeLength(qsizetype at)
{
    const qsizetype n = data_.size() - at - 2;
    data_[at] = static_cast<char>(n & 0xff);
    data_[at + 1] = static_cast<char>((n >> 8) & 0xff);
}

bool Reader::take(qsizetype n)
{
    if (!ok_ || n < 0 || at_ + n > data_.size()) {
        ok_ = false;
        return false;
    }
    return true;
}

uint8_t Reader::u8()
{
    if (!take(1))
        return 0;
    return static_cast<uint8_t>(data_[at_++]);
}

uint16_t Reader::u16()
{
    const uint16_t lo = u8();
    return static_cast<uint16_t>(lo | (u8() << 8));
}

uint32_t Reader::u32()
{
    const uint32_t lo = u16();
    return lo | (static_cast<uint32_t>(u16()) << 16);
}

QString Reader::utf16(qsizetype characters)
{
    if (!take(characters * 2))
        return {};
    QString s(characters, Qt::Uninitialized);
    for (qsizetype i = 0; i < characters; ++i)
        s[i] = QChar(qFromLittleEndian<quint16>(data_.constData() + at_ + 2 * i));
    at_ += characters * 2;
    return s;
}

void Reader::skip(qsizetype n)
{
    if (take(n))
        at_ += n;
}

std::optional<Message> MessageAssembler::next(bool& broken, qsizetype limit)
{
    broken = false;
    while (buffer_.size() >= kHeaderSize) {
        const uint8_t status = static_cast<uint8_t>(buffer_[1]);
        const int length = qFromBigEndian<quint16>(buffer_.constData() + 2);
        if (length < kHeaderSize) {
            broken = true;
            return std::nullopt;
        }
        if (buffer_.size() < length)
            break;
        partial_.type = static_cast<uint8_t>(buffer_[0]);
        partial_.body += buffer_.mid(kHeaderSize, length - kHeaderSize);
        buffer_.remove(0, length);
        if (!(status & kEndOfMessage))
            continue;
        Message whole = std::move(partial_);
        partial_ = Message();
        if (!(status & kIgnoreMessage))
            return whole;
    }
    // What is held of the message not yet complete, its packets and what has come of the next one.
    broken = partial_.body.size() + buffer_.size() > limit;
    return std::nullopt;
}

QByteArray PacketCutter::cut(QByteArray& pending, bool last)
{
    const qsizetype room = packetSize_ - kHeaderSize;
    QByteArray out;
    qsizetype at = 0;
    while (pending.size() - at > room || (last && (at < pending.size() || out.isEmpty()))) {
        const qsizetype n = qMin(room, pending.size() - at);
        const bool end = last && at + n >= pending.size();
        const qsizetype length = n + kHeaderSize;
        out.append(static_cast<char>(type_)).append(static_cast<char>(end ? kEndOfMessage : 0));
        out.append(static_cast<char>(length >> 8)).append(static_cast<char>(length & 0xff));
        out.append(static_cast<char>(spid_ >> 8)).append(static_cast<char>(spid_ & 0xff));
        out.append(static_cast<char>(packetId_++)).append('\0');
        out.append(pending.constData() + at, n);
        at += n;
    }
    pending.remove(0, at);
    return out;
}

} // namespace tds
