#pragma once
// Parses one T-SQL SELECT statement (optionally followed by ";") into a syntax tree.
// Anything outside the understood subset is a DbError naming the construct.
#include "platform/db/sqlite/TsqlAst.h"

namespace bkl::db::sqlite {

std::unique_ptr<ast::Query> ParseTsqlSelect(const QString& sql);

} // namespace bkl::db::sqlite
