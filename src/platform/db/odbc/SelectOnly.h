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
// word that starts another statement), and also when the single SELECT reading rests on
// a comment rule the server's documentation does not state ("--" inside a /* */
// comment, a "--" comment ended by a CR alone). The program's own statements hold no
// comments.
void RequireSingleSelect(const QString& sql);

} // namespace bkl::db::odbc
