#pragma once
// The program never writes to a model: the SQL Server backend sends nothing but
// single SELECT statements.
#include <QString>

namespace bkl::db::odbc {

// True when the text is exactly one SELECT statement of the grammar the embedded
// engine accepts (optionally ended by ";"), read as the server reads it, on the
// engine's own tokens: a "--" comment ends at CR or LF, /* */ comments nest, and no
// word that the server reserves for other statements (in any letter case) stands
// unbracketed where the grammar would take it for an alias ("SELECT 1 CHECKPOINT" is
// two statements on the server).
bool IsSingleSelect(const QString& sql);

// The gate of the SQL Server backend. Throws DbError when IsSingleSelect is false (the
// parser's number and reason for a statement outside the grammar, a refusal naming the
// word that starts another statement), when a NUL stands outside a text literal that
// is a value (the driver reads the text only up to it), and when the statement holds a
// comment ("--" or "/*") or a control character (IsControlCharacter) outside its text
// literals and [bracketed] names: servers need not read those alike, and the program's
// own statements hold none.
void RequireSingleSelect(const QString& sql);

// The text the SQL Server backend sends for `sql`, after RequireSingleSelect: the
// statement as it is, except that a text literal holding a NUL is sent as its parts
// joined by CHAR(0) (NCHAR(0) in an N'' literal), so the NUL reaches the server inside
// the value instead of ending the statement there.
QString StatementForServer(const QString& sql);

} // namespace bkl::db::odbc
