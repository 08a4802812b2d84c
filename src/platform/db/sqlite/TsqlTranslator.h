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

// A translation whose literals are parameters where their value cannot change what
// the statement means: statements that differ only in those literals share it.
struct TranslatedShape {
    QString sql;                 // SQLite text; literal k (an ordinal) is parameter ?k+1
    std::vector<int> parameters; // the ordinals of the literals that are parameters, ascending
};

// `literalPositions`: offsets in `tsql`, ascending, of the literals that may become
// parameters (their ordinals are indexes into this list). Literals whose value decides
// the translation, or that SQLite reads while it prepares the statement, stay in the
// text, so the shape answers and fails exactly as the statement translated alone: TOP
// counts, type lengths and aliases are no expressions; function arguments, ORDER BY and
// GROUP BY terms, the items of a UNION with ORDER BY, literals standing as a condition
// or under IS [NOT] NULL, and the literals of a select item without a name are kept
// too. Which literals are kept follows from the statement's form alone, never from a
// literal's value. Throws DbError as TranslateTsql.
TranslatedShape TranslateTsqlShape(const QString& tsql, const SchemaLookup& schema, const std::vector<int>& literalPositions);

} // namespace bkl::db::sqlite
