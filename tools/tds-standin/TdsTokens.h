#pragma once
// The tokens of the server's answers, other than result columns and rows.
#include "TdsWire.h"

namespace tds {

// The server's collation, SQL_Latin1_General_CP1_CI_AS: locale 0x0409, case-,
// kana- and width-insensitive, sort order 52.
inline const QByteArray kCollation = QByteArray::fromHex("0904d00034");

inline constexpr char kServerName[] = "TDS-STANDIN";

enum class EnvChange : uint8_t { Database = 1, Language = 2, PacketSize = 4, Collation = 7 };

// DONE status bits and the command a DONE closes.
inline constexpr uint16_t kDoneFinal = 0x0000;
inline constexpr uint16_t kDoneError = 0x0002;
inline constexpr uint16_t kDoneCount = 0x0010;
inline constexpr uint16_t kDoneAttention = 0x0020;
inline constexpr uint16_t kSelectCommand = 0xC1;

void WriteEnvChange(Writer& w, EnvChange type, const QString& newValue, const QString& oldValue);
void WriteCollationChange(Writer& w);
void WriteLoginAck(Writer& w, uint32_t tdsVersion);
// An ERROR token (class above 10) or an INFO token (class 10 or below).
void WriteMessage(Writer& w, long number, int state, int severity, const QString& text);
void WriteDone(Writer& w, uint16_t status, uint16_t command, uint64_t rows);

} // namespace tds
