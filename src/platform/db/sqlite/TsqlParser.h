#pragma once
// Parses one T-SQL SELECT statement (optionally followed by ";") into a syntax tree.
// Anything outside the understood subset is a DbError naming the construct.
#include "platform/db/sqlite/TsqlAst.h"

namespace bkl::db::sqlite {

// Nesting levels a statement may use (subqueries, parentheses, NOT and operator
// chains); deeper statements are refused with engine_err::TooDeep.
inline constexpr int kMaxNestingDepth = 200;

std::unique_ptr<ast::Query> ParseTsqlSelect(const QString& sql);

} // namespace bkl::db::sqlite
