#pragma once
// The program never writes to a model: the SQL Server backend sends nothing but
// single SELECT statements.
#include <QString>

namespace bkl::db::odbc {

// True when the text is one SELECT statement: it starts with SELECT (after blanks,
// comments and opening parentheses), holds no second statement (nothing after a
// ";") and no keyword that writes or runs other code (INSERT, UPDATE, DELETE,
// MERGE, INTO, EXEC, CREATE, DROP, ALTER, ...). String literals, quoted and
// bracketed names and comments are skipped, so a value or a name in brackets
// that reads "delete" is no obstacle.
bool IsSingleSelect(const QString& sql);

// Throws DbError when IsSingleSelect is false.
void RequireSingleSelect(const QString& sql);

} // namespace bkl::db::odbc
