#include "TdsRows.h"

#include "TdsTokens.h"

#include <QDateTime>
#include <cstring>

namespace tds {

using bkl::db::Value;
using Kind = ColumnType::Kind;

namespace {

// Type bytes: INTN, BITN, FLTN, DECIMALN, NVARCHAR, DATETIMN.
constexpr uint8_t kIntN = 0x26;
constexpr uint8_t kBitN = 0x68;
constexpr uint8_t kFltN = 0x6D;
constexpr uint8_t kDecimalN = 0x6A;
constexpr uint8_t kNVarChar = 0xE7;
constexpr uint8_t kDateTimeN = 0x6F;
constexpr uint16_t kMaxLength = 0xFFFF;

// Bytes of a decimal's magnitude for its precision.
int MagnitudeBytes(int precision) { return precision <= 9 ? 4 : precision <= 19 ? 8 : precision <= 28 ? 12 : 16; }

void WriteText(Writer& w, const QString& whole, bool max, qint64 textSize)
{
    const QString text = max ? whole.left(textSize / 2) : whole;
    const uint64_t bytes = uint64_t(text.size()) * 2;
    if (!max) {
        w.u16(static_cast<uint16_t>(bytes)).utf16(text);
        return;
    }
    // Partially length-prefixed: the total, the text in chunks, a zero-length chunk.
    w.u64(bytes);
    constexpr qsizetype kChunk = 4000;
    for (qsizetype at = 0; at < text.size(); at += kChunk) {
        const QString piece = text.mid(at, kChunk);
        w.u32(static_cast<uint32_t>(piece.size() * 2)).utf16(piece);
    }
    w.u32(0);
}

void WriteDateTime(Writer& w, const QDateTime& dt)
{
    // Days since 1900-01-01 and 1/300 seconds since midnight, rounded as the server rounds.
    qint64 days = QDate(1900, 1, 1).daysTo(dt.date());
    qint64 ticks = (qint64(dt.time().msecsSinceStartOfDay()) * 3 + 5) / 10;
    if (ticks >= 24LL * 60 * 60 * 300) {
        ticks = 0;
        ++days;
    }
    w.u8(8).u32(static_cast<uint32_t>(static_cast<int32_t>(days))).u32(static_cast<uint32_t>(ticks));
}

void WriteValue(Writer& w, const Value& v, const ColumnType& t, qint64 textSize)
{
    if (v.isNull()) {
        if (t.kind == Kind::NVarChar)
            w.u16(0xFFFF);
        else if (t.kind == Kind::NVarCharMax)
            w.u64(~uint64_t(0));
        else
            w.u8(0);
        return;
    }
    switch (t.kind) {
    case Kind::Int:
        w.u8(static_cast<uint8_t>(t.size));
        if (t.size == 4)
            w.u32(static_cast<uint32_t>(static_cast<int32_t>(v.toInt64())));
        else
            w.u64(static_cast<uint64_t>(v.toInt64()));
        return;
    case Kind::Bit: w.u8(1).u8(v.toInt64() != 0 ? 1 : 0); return;
    case Kind::Float: {
        const double d = v.toDouble();
        uint64_t bits = 0;
        std::memcpy(&bits, &d, sizeof bits);
        w.u8(8).u64(bits);
        return;
    }
    case Kind::Decimal: {
        const ScaledDecimal s = ScaleDecimal(v.toText(), t.scale);
        const int bytes = MagnitudeBytes(t.precision);
        w.u8(static_cast<uint8_t>(bytes + 1)).u8(s.negative ? 0 : 1);
        for (int i = 0; i < bytes; ++i)
            w.u8(static_cast<uint8_t>((s.magnitude >> (8 * i)) & 0xff));
        return;
    }
    case Kind::DateTime: WriteDateTime(w, v.toDateTime()); return;
    case Kind::NVarChar:
    case Kind::NVarCharMax: WriteText(w, v.toText(), t.kind == Kind::NVarCharMax, textSize); return;
    }
}

} // namespace

void WriteColumnMetadata(Writer& w, const QStringList& names, const std::vector<ColumnType>& types)
{
    w.u8(0x81).u16(static_cast<uint16_t>(types.size()));
    for (size_t i = 0; i < types.size(); ++i) {
        const ColumnType& t = types[i];
        w.u32(0).u16(0x0001); // no user type; nullable, read-only
        switch (t.kind) {
        case Kind::Int: w.u8(kIntN).u8(static_cast<uint8_t>(t.size)); break;
        case Kind::Bit: w.u8(kBitN).u8(1); break;
        case Kind::Float: w.u8(kFltN).u8(8); break;
        case Kind::Decimal:
            w.u8(kDecimalN).u8(static_cast<uint8_t>(MagnitudeBytes(t.precision) + 1));
            w.u8(static_cast<uint8_t>(t.precision)).u8(static_cast<uint8_t>(t.scale));
            break;
        case Kind::DateTime: w.u8(kDateTimeN).u8(8); break;
        case Kind::NVarChar: w.u8(kNVarChar).u16(static_cast<uint16_t>(t.length * 2)).bytes(kCollation); break;
        case Kind::NVarCharMax: w.u8(kNVarChar).u16(kMaxLength).bytes(kCollation); break;
        }
        w.bVarchar(names.value(qsizetype(i)));
    }
}

void WriteRow(Writer& w, const std::vector<Value>& row, const std::vector<ColumnType>& types, qint64 textSize)
{
    w.u8(0xD1);
    for (size_t i = 0; i < types.size(); ++i)
        WriteValue(w, row[i], types[i], textSize);
}

} // namespace tds
