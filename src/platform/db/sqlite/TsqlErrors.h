#pragma once
// Error numbers and the error source of the embedded engine. Where the server has
// a number for the same refusal, the engine uses it, so log lines read alike.
#include "platform/db/DbError.h"

namespace bkl::db::sqlite {

inline constexpr char kEngineSource[] = "Brisklane embedded engine";

namespace engine_err {
inline constexpr long Syntax = 102;              // incorrect syntax near ...
inline constexpr long UnclosedQuote = 105;       // unclosed quotation mark
inline constexpr long UnknownFunction = 195;     // not a recognized built-in function
inline constexpr long TooDeep = 191;             // statement nested too deeply
inline constexpr long InvalidTop = 1060;         // TOP row count must be a whole number
inline constexpr long InvalidLength = 536;       // negative length passed to LEFT
inline constexpr long Unsupported = 50001;       // T-SQL the translator does not handle
inline constexpr long AmbiguousPlus = 50002;     // '+' whose meaning cannot be known
inline constexpr long ReadOnly = 3906;           // a statement that would write
inline constexpr long UnknownDatabase = 4060;    // catalog not on this server
inline constexpr long ServerNotFound = 17;       // server folder missing
inline constexpr long Timeout = -2147217871;     // query timeout expired
} // namespace engine_err

// The statement as error messages quote it: control characters written visibly
// (VisibleText), then each run of blanks and line breaks as one space, at most 300
// characters.
QString StatementInMessage(const QString& sql);

// Throws the translator's error: the reason and the statement text near the fault.
[[noreturn]] void ThrowTranslateError(long number, const QString& reason, const QString& sql, int position);

} // namespace bkl::db::sqlite
