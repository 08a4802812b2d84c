#pragma once
// The SQL Server driver reads a statement only up to its first NUL. A NUL inside a
// text literal is sent in a form the server reads as the same value.
#include "platform/db/sqlite/TsqlAst.h"
#include "platform/db/sqlite/TsqlTokenizer.h"

#include <QString>
#include <vector>

namespace bkl::db::odbc {

// True when every NUL of `sql` stands inside a text literal that is a value: a NUL in
// a comment, a [name] or an 'alias' has no form the server reads. `tree` and `tokens`
// are the statement's (ParseTsqlSelect, LexTsql).
bool NulsOnlyInValueLiterals(const QString& sql, const sqlite::ast::Query& tree,
                             const std::vector<sqlite::TokenSpan>& tokens);

// `sql` with each text literal that holds a NUL written as its parts joined by CHAR(0)
// (N'' parts joined by NCHAR(0)), in parentheses: 'a<NUL>b' becomes
// ('a' + CHAR(0) + 'b'). `tokens` are the statement's tokens (LexTsql).
QString JoinNulsInLiterals(const QString& sql, const std::vector<sqlite::TokenSpan>& tokens);

} // namespace bkl::db::odbc
