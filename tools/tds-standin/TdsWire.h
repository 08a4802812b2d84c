#pragma once
// Bytes on the wire: little-endian numbers and UTF-16 texts in a token stream, and
// the 8-byte packet header that frames every message.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace tds {

// Packet types.
inline constexpr uint8_t kSqlBatch = 0x01;
inline constexpr uint8_t kRpc = 0x03;
inline constexpr uint8_t kTabularResult = 0x04;
inline constexpr uint8_t kAttention = 0x06;
inline constexpr uint8_t kLogin7 = 0x10;
inline constexpr uint8_t kPrelogin = 0x12;

// Appends values in the token stream's byte order (little-endian).
class Writer {
public:
    Writer& u8(uint8_t v);
    Writer& u16(uint16_t v);
    Writer& u32(uint32_t v);
    Writer& u64(uint64_t v);
    Writer& bytes(const QByteArray& b);
    Writer& utf16(const QString& s);        // the text's UTF-16 units, no length
    Writer& bVarchar(const QString& s);     // 1-byte length in characters, then UTF-16
    Writer& usVarchar(const QString& s);    // 2-byte length in characters, then UTF-16
    // Writes a 2-byte length placeholder and returns its position; closeLength fills
    // it with the byte count written since.
    qsizetype openLength();
    void closeLength(qsizetype at);

    QByteArray& data() { return data_; }

private:
    QByteArray data_;
};

// Reads little-endian values; every read past the end leaves ok() false.
class Reader {
public:
    explicit Reader(const QByteArray& data, qsizetype at = 0) : data_(data), at_(at) {}
    uint8_t u8();
    uint16_t u16();
    uint32_t u32();
    QString utf16(qsizetype characters);
    void skip(qsizetype n);
    bool ok() const { return ok_; }
    qsizetype position() const { return at_; }

private:
    bool take(qsizetype n);
    const QByteArray& data_;
    qsizetype at_;
    bool ok_ = true;
};

// One client message, put together from its packets.
struct Message {
    uint8_t type = 0;
    QByteArray body;
};

// Collects bytes from the socket and hands out whole messages.
class MessageAssembler {
public:
    void feed(const QByteArray& bytes) { buffer_ += bytes; }
    // The next whole message; nullopt until its last packet has arrived. A message
    // the client marked to be ignored is dropped. `broken` is set for a header
    // that cannot be a packet, and once the bytes of a message not yet complete
    // pass `limit`: a client is never let to fill the memory with one message.
    std::optional<Message> next(bool& broken, qsizetype limit);
    // True when no part of a packet is held: the client's next bytes begin one.
    bool atPacketStart() const { return buffer_.isEmpty(); }

private:
    QByteArray buffer_;
    Message partial_;
};

// Cuts one server message into packets of at most `packetSize` bytes (header
// included) as its bytes are written, so a long result goes out while it is made.
class PacketCutter {
public:
    PacketCutter(uint8_t type, int packetSize, uint16_t spid) : type_(type), packetSize_(packetSize), spid_(spid) {}
    // Takes the whole packets out of `pending`; with `last`, everything, the final
    // packet marked as the message's end.
    QByteArray cut(QByteArray& pending, bool last);

private:
    uint8_t type_;
    int packetSize_;
    uint16_t spid_;
    uint8_t packetId_ = 1;
};

} // namespace tds
