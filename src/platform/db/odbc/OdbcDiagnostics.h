#pragma once
// ODBC diagnostics turned into the data layer's error, and UTF-16 text helpers
// (unixODBC's SQLWCHAR is a 16-bit unit, the same as QString's).
#include "platform/db/DbError.h"

#include <QString>
#include <sql.h>

namespace bkl::db::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC SQLWCHAR must be 16-bit");

inline SQLWCHAR* WideText(const QString& s)
{
    return const_cast<SQLWCHAR*>(reinterpret_cast<const SQLWCHAR*>(s.utf16()));
}

inline QString FromWide(const SQLWCHAR* text, qsizetype units)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), units);
}

// The error of the handle's diagnostic records:
//   number      the native error of the first record that has one, SQL Server's
//               generic login failure (18456) only when no record gives the reason
//               (the generic provider error number when no record has one),
//   source      the record's bracketed origin and SQLSTATE, e.g.
//               "[FreeTDS][SQL Server] SQLSTATE 08S01",
//   description the record's message, then the other records' messages, "; "-joined.
// `fallback` is the description when the handle holds no record.
DbError DiagnosticsError(SQLSMALLINT handleType, SQLHANDLE handle, const QString& fallback);

// Throws the statement's DiagnosticsError unless the call succeeded.
inline void CheckStatement(SQLRETURN rc, SQLHSTMT stmt, const QString& fallback)
{
    if (!SQL_SUCCEEDED(rc))
        throw DiagnosticsError(SQL_HANDLE_STMT, stmt, fallback);
}

} // namespace bkl::db::odbc
