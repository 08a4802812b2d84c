#pragma once
// Translates the program's T-SQL SELECT statements into SQLite SQL for the embedded
// engine. Text comparisons, ordering, grouping and DISTINCT use the engine's
// case-insensitive collation (kCaseInsensitiveCollation), LIKE follows T-SQL
// patterns, '+' between texts becomes '||'. Whatever the translator does not
// understand is a DbError with the reason, never a silently different query.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace bkl::db::sqlite {

inline constexpr char kCaseInsensitiveCollation[] = "BKL_CI";

struct ColumnType {
    QString name;
    QString declaredType;
};

// Columns of a table or view by its SQLite name; nullopt when there is no such object.
using SchemaLookup = std::function<std::optional<std::vector<ColumnType>>(const QString& table)>;

// Throws DbError.
QString TranslateTsql(const QString& tsql, const SchemaLookup& schema);

} // namespace bkl::db::sqlite
