#pragma once
// Syntax tree of the T-SQL queries the translator understands: SELECT with joins,
// subqueries, UNION, GROUP BY, ORDER BY and TOP, and the expressions inside them.
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

namespace bkl::db::sqlite::ast {

struct Query;

struct Expr {
    enum class Kind {
        Number, String, Null,  // literals
        Column,                // a.b.c
        Star,                  // * or a.*
        Unary,                 // - + NOT
        Binary,                // arithmetic, comparison, AND, OR
        Function,              // name(args)
        Cast,                  // CAST(x AS t) / CONVERT(t, x)
        In,                    // x [NOT] IN (list | subquery)
        IsNull,                // x IS [NOT] NULL
        Like,                  // x [NOT] LIKE p
        Between,               // x [NOT] BETWEEN a AND b
        Exists,                // EXISTS (subquery)
        Subquery,              // (SELECT ...)
        Paren,                 // (x)
    };
    Kind kind = Kind::Null;
    QString text;        // literal contents, operator, function or type name
    QStringList parts;   // name parts of a column or star qualifier
    std::vector<std::unique_ptr<Expr>> args;
    std::unique_ptr<Query> query;
    bool negated = false;       // NOT IN / NOT LIKE / IS NOT NULL / NOT BETWEEN
    bool distinctArg = false;   // COUNT(DISTINCT x)
    bool starArg = false;       // COUNT(*)
    int position = 0;
};
using ExprPtr = std::unique_ptr<Expr>;

struct SelectItem {
    ExprPtr expr;
    QString alias; // empty when none
};

struct TableRef {
    enum class Join { First, Comma, Inner, Left, Cross };
    Join join = Join::First;
    QStringList name;               // table name parts (empty for a derived table)
    std::unique_ptr<Query> derived; // (SELECT ...) alias
    QString alias;
    ExprPtr on;
    int position = 0;
};

struct Select {
    bool distinct = false;
    std::optional<long long> top;
    std::vector<SelectItem> items;
    std::vector<TableRef> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    int position = 0;
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Query {
    std::vector<Select> selects;      // more than one: a compound query
    std::vector<QString> operators;   // "UNION" / "UNION ALL" between them
    std::vector<OrderItem> orderBy;
};

} // namespace bkl::db::sqlite::ast
