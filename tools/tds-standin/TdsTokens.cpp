#include "TdsTokens.h"

namespace tds {

void WriteEnvChange(Writer& w, EnvChange type, const QString& newValue, const QString& oldValue)
{
    w.u8(0xE3);
    const qsizetype length = w.openLength();
    w.u8(static_cast<uint8_t>(type)).bVarchar(newValue).bVarchar(oldValue);
    w.closeLength(length);
}

void WriteCollationChange(Writer& w)
{
    w.u8(0xE3);
    const qsizetype length = w.openLength();
    w.u8(static_cast<uint8_t>(EnvChange::Collation)).u8(static_cast<uint8_t>(kCollation.size())).bytes(kCollation).u8(0);
    w.closeLength(length);
}

void WriteLoginAck(Writer& w, uint32_t tdsVersion)
{
    w.u8(0xAD);
    const qsizetype length = w.openLength();
    // Interface T-SQL; the TDS version goes big-endian; program name and version 16.0.1000.
    w.u8(1);
    w.u8(tdsVersion >> 24).u8((tdsVersion >> 16) & 0xff).u8((tdsVersion >> 8) & 0xff).u8(tdsVersion & 0xff);
    w.bVarchar(QStringLiteral("Microsoft SQL Server")).u8(16).u8(0).u8(0x03).u8(0xE8);
    w.closeLength(length);
}

void WriteMessage(Writer& w, long number, int state, int severity, const QString& text)
{
    w.u8(severity > 10 ? 0xAA : 0xAB);
    const qsizetype length = w.openLength();
    w.u32(static_cast<uint32_t>(number)).u8(static_cast<uint8_t>(state)).u8(static_cast<uint8_t>(severity));
    w.usVarchar(text).bVarchar(QString::fromLatin1(kServerName)).bVarchar(QString()).u32(1);
    w.closeLength(length);
}

void WriteDone(Writer& w, uint16_t status, uint16_t command, uint64_t rows)
{
    w.u8(0xFD).u16(status).u16(command).u64(rows);
}

} // namespace tds
