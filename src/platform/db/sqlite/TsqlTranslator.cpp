#include "platform/db/sqlite/TsqlTranslator.h"

#include "platform/core/Escaping.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlParser.h"

#include <algorithm>

namespace bkl::db::sqlite {

using namespace ast;

namespace {

enum class Ty { Unknown, Text, Number, Date, Null };

Ty typeOfDeclared(const QString& declared)
{
    const QString d = declared.toLower();
    if (d.isEmpty())
        return Ty::Unknown;
    if (d.contains(QLatin1String("char")) || d.contains(QLatin1String("text")) || d.contains(QLatin1String("clob"))
        || d.contains(QLatin1String("sysname")) || d.contains(QLatin1String("uniqueidentifier")))
        return Ty::Text;
    if (d.contains(QLatin1String("date")) || d.contains(QLatin1String("time")))
        return Ty::Date;
    static const char* const numeric[] = {"int", "real", "floa", "doub", "dec", "num", "money", "bit"};
    for (const char* n : numeric)
        if (d.contains(QLatin1String(n)))
            return Ty::Number;
    return Ty::Unknown;
}

QString quoteName(const QString& name)
{
    QString q;
    q.reserve(name.size() + 2);
    q += QLatin1Char('"');
    if (name.contains(QLatin1Char('"')))
        q += QString(name).replace(QLatin1Char('"'), QLatin1String("\"\""));
    else
        q += name;
    q += QLatin1Char('"');
    return q;
}

// A text literal as SQLite reads it. SQLite reads a statement only up to a NUL
// character, so a NUL inside the text is joined in as char(0) (a bound parameter
// holds it as it is).
QString quoteText(const QString& text)
{
    QString quoted = QLatin1Char('\'') + SqlText(text) + QLatin1Char('\'');
    if (!text.contains(QChar(0)))
        return quoted;
    return QLatin1Char('(') + quoted.replace(QChar(0), QLatin1String("' || char(0) || '")) + QLatin1Char(')');
}

const QString kCollate = QStringLiteral(" COLLATE ") + QLatin1String(kCaseInsensitiveCollation);

struct Source {
    QString qualifier; // alias, or the table's own name
    std::vector<std::pair<QString, Ty>> columns;
};

struct Scope {
    std::vector<Source> sources;
    const Scope* parent = nullptr;
};

struct FunctionRule {
    const char* tsql;
    const char* sqlite;
    int minArgs;
    int maxArgs;
    Ty result; // Unknown: the type of the first argument
};

const FunctionRule kFunctions[] = {
    {"left", "bkl_left", 2, 2, Ty::Text},
    {"right", "bkl_right", 2, 2, Ty::Text},
    {"charindex", "bkl_charindex", 2, 3, Ty::Number},
    {"len", "bkl_len", 1, 1, Ty::Number},
    {"ltrim", "ltrim", 1, 1, Ty::Text},
    {"rtrim", "rtrim", 1, 1, Ty::Text},
    {"upper", "bkl_upper", 1, 1, Ty::Text},
    {"lower", "bkl_lower", 1, 1, Ty::Text},
    {"char", "bkl_char", 1, 1, Ty::Text},
    {"nchar", "bkl_nchar", 1, 1, Ty::Text},
    {"substring", "substr", 3, 3, Ty::Text},
    {"isnull", "ifnull", 2, 2, Ty::Unknown},
    {"coalesce", "coalesce", 2, 32, Ty::Unknown},
    {"object_id", "bkl_object_id", 1, 1, Ty::Number},
    {"count", "count", 0, 1, Ty::Number},
    {"max", "max", 1, 1, Ty::Unknown},
    {"min", "min", 1, 1, Ty::Unknown},
    {"sum", "sum", 1, 1, Ty::Number},
    {"avg", "avg", 1, 1, Ty::Number},
    {"abs", "abs", 1, 1, Ty::Number},
};

class Translator {
public:
    // `candidates`: positions of the literals that may become parameters (nullptr: none).
    Translator(const QString& sql, const SchemaLookup& schema, const std::vector<int>* candidates = nullptr)
        : sql_(sql), schema_(schema), candidates_(candidates)
    {
    }

    // Ordinals of the literals that became parameters, ascending.
    const std::vector<int>& parameters() const { return parameters_; }

    QString query(const Query& q, const Scope* outer)
    {
        const bool compound = q.selects.size() > 1;
        // SQLite matches the ORDER BY terms of a UNION against its select items by their text.
        const bool matchedByOrderBy = compound && !q.orderBy.empty();
        QString out;
        std::vector<Scope> scopes;
        scopes.reserve(q.selects.size());
        for (size_t i = 0; i < q.selects.size(); ++i) {
            const Select& s = q.selects[i];
            if (compound && s.top)
                fail(engine_err::Unsupported, QStringLiteral("TOP inside a UNION is not supported by the embedded engine"),
                     s.position);
            if (i > 0)
                out += QLatin1Char(' ') + q.operators[i - 1] + QLatin1Char(' ');
            scopes.emplace_back();
            scopes.back().parent = outer;
            const bool dedupe = s.distinct || (compound && (i == 0 ? q.operators[0] : q.operators[i - 1]) == QLatin1String("UNION"));
            out += select(s, scopes.back(), dedupe, matchedByOrderBy);
        }
        if (!q.orderBy.empty()) {
            out += QStringLiteral(" ORDER BY ");
            for (size_t i = 0; i < q.orderBy.size(); ++i) {
                if (i > 0)
                    out += QStringLiteral(", ");
                const OrderItem& o = q.orderBy[i];
                out += orderTerm(*o.expr, q.selects.front(), scopes.front());
                if (o.descending)
                    out += QStringLiteral(" DESC");
            }
        }
        if (!compound && q.selects.front().top)
            out += QStringLiteral(" LIMIT %1").arg(*q.selects.front().top);
        return out;
    }

private:
    const QString& sql_;
    const SchemaLookup& schema_;
    const std::vector<int>* candidates_;
    std::vector<int> parameters_;
    int inlineLiterals_ = 0; // > 0: literals here stay in the text

    // Marks a stretch of the translation whose literals stay in the text, because
    // their value decides the translation or how SQLite prepares it: function
    // arguments (a LEFT length, the separator of an indexed expression), a select item
    // without a name (SQLite names that column after its text), and every place where
    // SQLite reads a literal while it prepares the statement, where a bound parameter
    // would answer (or fail) differently:
    // - ORDER BY and GROUP BY terms: a whole number there, also in parentheses or
    //   behind a sign, is a column position (or an out-of-range error), and a term
    //   that matches a select item by its text is that item;
    // - the select items of a UNION with ORDER BY, which SQLite matches the ORDER BY
    //   terms against by their text;
    // - a literal standing as a condition (WHERE 0, x AND 1) or tested with IS [NOT] NULL:
    //   SQLite folds it to true or false and skips what the fold makes needless (a
    //   LEFT that would fail on a negative length, say).
    struct Inline {
        explicit Inline(Translator& t, bool on = true) : t_(t), on_(on) { t_.inlineLiterals_ += on_ ? 1 : 0; }
        ~Inline() { t_.inlineLiterals_ -= on_ ? 1 : 0; }
        Translator& t_;
        bool on_;
    };

    // A literal, also in parentheses or behind a sign: SQLite folds its truth value
    // and knows it is never NULL.
    static bool isFoldedLiteral(const Expr& e)
    {
        const Expr* x = &e;
        while (x->kind == Expr::Kind::Paren || (x->kind == Expr::Kind::Unary && x->text != QLatin1String("NOT")))
            x = x->args[0].get();
        return x->kind == Expr::Kind::Number || x->kind == Expr::Kind::String;
    }

    // A condition, or the operand of IS [NOT] NULL, with its literal in the text when
    // SQLite would fold it; `wrapped`: in parentheses unless simple.
    QString condition(const Expr& e, const Scope& scope, bool wrapped = true)
    {
        const Inline folded(*this, isFoldedLiteral(e));
        return wrapped ? operand(e, scope) : expr(e, scope);
    }

    QString literal(const Expr& e, const QString& text)
    {
        if (!candidates_ || inlineLiterals_ > 0)
            return text;
        const auto it = std::lower_bound(candidates_->begin(), candidates_->end(), e.position);
        if (it == candidates_->end() || *it != e.position)
            return text;
        // Numbered by the literal's place in the statement (SQLite allows unused numbers).
        const int ordinal = static_cast<int>(it - candidates_->begin());
        const auto p = std::lower_bound(parameters_.begin(), parameters_.end(), ordinal);
        if (p == parameters_.end() || *p != ordinal)
            parameters_.insert(p, ordinal);
        return QLatin1Char('?') + QString::number(ordinal + 1);
    }

    [[noreturn]] void fail(long number, const QString& reason, int position) const
    {
        ThrowTranslateError(number, reason, sql_, position);
    }

    // Maps a T-SQL object name to the SQLite object and the name it answers to.
    std::pair<QString, QString> mapTable(const QStringList& parts, int position) const
    {
        const QString last = parts.last();
        if (parts.size() == 1)
            return {last, last};
        if (parts.size() > 2)
            fail(engine_err::Unsupported,
                 QStringLiteral("Names of other databases or servers are not supported by the embedded engine"), position);
        const QString schema = parts.first().toLower();
        if (schema == QLatin1String("dbo"))
            return {last, last};
        if (schema == QLatin1String("sys")) {
            const QString view = last.toLower();
            if (view == QLatin1String("views") || view == QLatin1String("columns"))
                return {QStringLiteral("bkl_sys_") + view, last};
            fail(engine_err::Unsupported, QStringLiteral("The catalog view sys.%1 is not emulated").arg(last), position);
        }
        if (schema == QLatin1String("information_schema")) {
            if (last.compare(QLatin1String("TABLES"), Qt::CaseInsensitive) == 0)
                return {QStringLiteral("bkl_information_schema_tables"), last};
            fail(engine_err::Unsupported, QStringLiteral("INFORMATION_SCHEMA.%1 is not emulated").arg(last), position);
        }
        fail(engine_err::Unsupported, QStringLiteral("Unknown schema '%1'").arg(parts.first()), position);
    }

    QString select(const Select& s, Scope& scope, bool dedupe, bool matchedByOrderBy)
    {
        // FROM first: the select list and conditions resolve their columns against it.
        for (const TableRef& ref : s.from)
            scope.sources.push_back(sourceOf(ref));
        const QString from = fromClause(s, scope);

        QString out = QStringLiteral("SELECT ");
        if (s.distinct)
            out += QStringLiteral("DISTINCT ");
        for (size_t i = 0; i < s.items.size(); ++i) {
            if (i > 0)
                out += QStringLiteral(", ");
            out += selectItem(s.items[i], scope, dedupe, matchedByOrderBy);
        }
        if (!from.isEmpty())
            out += QStringLiteral(" FROM ") + from;
        if (s.where)
            out += QStringLiteral(" WHERE ") + condition(*s.where, scope, false);
        if (!s.groupBy.empty()) {
            out += QStringLiteral(" GROUP BY ");
            for (size_t i = 0; i < s.groupBy.size(); ++i) {
                if (i > 0)
                    out += QStringLiteral(", ");
                const Inline term(*this);
                out += collated(*s.groupBy[i], scope);
            }
        }
        if (s.having)
            out += QStringLiteral(" HAVING ") + condition(*s.having, scope, false);
        return out;
    }

    Source sourceOf(const TableRef& ref) const
    {
        Source src;
        if (ref.derived) {
            src.qualifier = ref.alias;
            for (const SelectItem& item : ref.derived->selects.front().items) {
                QString name = item.alias;
                if (name.isEmpty() && item.expr->kind == Expr::Kind::Column)
                    name = item.expr->parts.last();
                src.columns.emplace_back(name, Ty::Unknown);
            }
            return src;
        }
        const auto [table, answersTo] = mapTable(ref.name, ref.position);
        src.qualifier = ref.alias.isEmpty() ? answersTo : ref.alias;
        if (const auto cols = schema_(table))
            for (const ColumnType& c : *cols)
                src.columns.emplace_back(c.name, typeOfDeclared(c.declaredType));
        return src;
    }

    QString fromClause(const Select& s, const Scope& scope)
    {
        QString from;
        for (size_t i = 0; i < s.from.size(); ++i) {
            const TableRef& ref = s.from[i];
            switch (ref.join) {
            case TableRef::Join::First: break;
            case TableRef::Join::Comma: from += QStringLiteral(", "); break;
            case TableRef::Join::Inner: from += QStringLiteral(" INNER JOIN "); break;
            case TableRef::Join::Left: from += QStringLiteral(" LEFT OUTER JOIN "); break;
            case TableRef::Join::Cross: from += QStringLiteral(" CROSS JOIN "); break;
            }
            if (ref.derived) {
                from += QLatin1Char('(') + query(*ref.derived, scope.parent) + QStringLiteral(") AS ") + quoteName(ref.alias);
            } else {
                const auto [table, answersTo] = mapTable(ref.name, ref.position);
                from += quoteName(table);
                if (!ref.alias.isEmpty() || table != answersTo)
                    from += QStringLiteral(" AS ") + quoteName(scope.sources[i].qualifier);
            }
            if (ref.on)
                from += QStringLiteral(" ON ") + condition(*ref.on, scope, false);
        }
        return from;
    }

    QString selectItem(const SelectItem& item, const Scope& scope, bool dedupe, bool matchedByOrderBy)
    {
        QString alias = item.alias;
        const Inline unnamed(*this, (alias.isEmpty() && item.expr->kind != Expr::Kind::Column) || matchedByOrderBy);
        QString text = expr(*item.expr, scope);
        const Ty ty = typeOf(*item.expr, scope);
        if (dedupe && item.expr->kind != Expr::Kind::Star && ty != Ty::Number && ty != Ty::Date) {
            // Duplicates that differ only in case or trailing blanks are one row, as on the server.
            if (alias.isEmpty() && item.expr->kind == Expr::Kind::Column)
                alias = item.expr->parts.last();
            text = wrap(*item.expr, text) + kCollate;
        }
        if (!alias.isEmpty())
            text += QStringLiteral(" AS ") + quoteName(alias);
        return text;
    }

    static bool isSimple(const Expr& e)
    {
        switch (e.kind) {
        case Expr::Kind::Number:
        case Expr::Kind::String:
        case Expr::Kind::Null:
        case Expr::Kind::Column:
        case Expr::Kind::Function:
        case Expr::Kind::Cast:
        case Expr::Kind::Subquery:
        case Expr::Kind::Paren:
        case Expr::Kind::Star:
        case Expr::Kind::Exists:
            return true;
        default:
            return false;
        }
    }

    static QString wrap(const Expr& e, const QString& text)
    {
        return isSimple(e) ? text : QLatin1Char('(') + text + QLatin1Char(')');
    }

    QString operand(const Expr& e, const Scope& scope) { return wrap(e, expr(e, scope)); }

    static bool comparesAsText(Ty t) { return t != Ty::Number && t != Ty::Date; }

    // The expression with the case-insensitive collation when it may be a text.
    QString collated(const Expr& e, const Scope& scope)
    {
        return operand(e, scope) + (comparesAsText(typeOf(e, scope)) ? kCollate : QString());
    }

    // An ORDER BY term; a name of a select-list alias takes the type of the aliased expression.
    QString orderTerm(const Expr& e, const Select& first, const Scope& scope)
    {
        Ty ty = typeOf(e, scope);
        if (e.kind == Expr::Kind::Number) { // a column position
            const int position = e.text.toInt();
            ty = position >= 1 && position <= static_cast<int>(first.items.size())
                ? typeOf(*first.items[static_cast<size_t>(position - 1)].expr, scope)
                : Ty::Unknown;
        }
        if (e.kind == Expr::Kind::Column && e.parts.size() == 1)
            for (const SelectItem& item : first.items)
                if (item.alias.compare(e.parts.first(), Qt::CaseInsensitive) == 0)
                    ty = typeOf(*item.expr, scope);
        const Inline term(*this);
        return operand(e, scope) + (comparesAsText(ty) ? kCollate : QString());
    }

    // Finds the type of a column reference in this scope or an outer one.
    Ty columnType(const Expr& e, const Scope& scope) const
    {
        QStringList parts = e.parts;
        if (parts.size() == 3 && parts.first().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0)
            parts.removeFirst();
        const QString column = parts.last();
        for (const Scope* sc = &scope; sc; sc = sc->parent)
            for (const Source& src : sc->sources) {
                if (parts.size() == 2 && src.qualifier.compare(parts.first(), Qt::CaseInsensitive) != 0)
                    continue;
                for (const auto& [name, ty] : src.columns)
                    if (name.compare(column, Qt::CaseInsensitive) == 0)
                        return ty;
            }
        return Ty::Unknown;
    }

    const FunctionRule* functionRule(const Expr& e) const
    {
        for (const FunctionRule& f : kFunctions)
            if (e.text == QLatin1String(f.tsql))
                return &f;
        fail(engine_err::UnknownFunction, QStringLiteral("'%1' is not a recognized built-in function name").arg(e.text),
             e.position);
    }

    static QString castTarget(const QString& type, Ty* ty)
    {
        const QString base = type.section(QLatin1Char('('), 0, 0);
        static const char* const text[] = {"char", "varchar", "nchar", "nvarchar", "text", "ntext", "sysname"};
        static const char* const integer[] = {"int", "bigint", "smallint", "tinyint", "bit"};
        static const char* const real[] = {"float", "real", "decimal", "numeric", "money", "smallmoney"};
        static const char* const date[] = {"date", "datetime", "datetime2", "smalldatetime"};
        for (const char* t : text)
            if (base == QLatin1String(t))
                return *ty = Ty::Text, QStringLiteral("TEXT");
        for (const char* t : integer)
            if (base == QLatin1String(t))
                return *ty = Ty::Number, QStringLiteral("INTEGER");
        for (const char* t : real)
            if (base == QLatin1String(t))
                return *ty = Ty::Number, QStringLiteral("REAL");
        for (const char* t : date)
            if (base == QLatin1String(t))
                return *ty = Ty::Date, QString();
        return *ty = Ty::Unknown, QString();
    }

    Ty typeOf(const Expr& e, const Scope& scope)
    {
        switch (e.kind) {
        case Expr::Kind::Number: return Ty::Number;
        case Expr::Kind::String: return Ty::Text;
        case Expr::Kind::Null: return Ty::Null;
        case Expr::Kind::Column: return columnType(e, scope);
        case Expr::Kind::Star: return Ty::Unknown;
        case Expr::Kind::Paren: return typeOf(*e.args[0], scope);
        case Expr::Kind::Subquery: return Ty::Unknown;
        case Expr::Kind::Unary: return Ty::Number;
        case Expr::Kind::Cast: {
            Ty ty;
            castTarget(e.text, &ty);
            return ty;
        }
        case Expr::Kind::Function: {
            const FunctionRule* f = functionRule(e);
            if (f->result != Ty::Unknown)
                return f->result;
            for (const auto& a : e.args) {
                const Ty t = typeOf(*a, scope);
                if (t != Ty::Unknown && t != Ty::Null)
                    return t;
            }
            return Ty::Unknown;
        }
        case Expr::Kind::Binary:
            if (e.text == QLatin1String("+")) {
                std::vector<const Expr*> ops;
                plusOperands(e, ops);
                for (const Expr* o : ops)
                    if (typeOf(*o, scope) == Ty::Text)
                        return Ty::Text;
            }
            return Ty::Number;
        default: return Ty::Number; // predicates
        }
    }

    static void plusOperands(const Expr& e, std::vector<const Expr*>& out)
    {
        if (e.kind == Expr::Kind::Binary && e.text == QLatin1String("+")) {
            plusOperands(*e.args[0], out);
            plusOperands(*e.args[1], out);
        } else {
            out.push_back(&e);
        }
    }

    // A '+' chain: string concatenation when an operand is text, addition when the
    // operands are numbers; anything the translator cannot decide is an error.
    QString plusChain(const Expr& e, const Scope& scope)
    {
        std::vector<const Expr*> ops;
        plusOperands(e, ops);
        bool text = false, number = false, date = false, unknown = false;
        for (const Expr* o : ops) {
            switch (typeOf(*o, scope)) {
            case Ty::Text: text = true; break;
            case Ty::Number: number = true; break;
            case Ty::Date: date = true; break;
            case Ty::Unknown: unknown = true; break;
            case Ty::Null: break;
            }
        }
        if (date)
            fail(engine_err::Unsupported, QStringLiteral("'+' with a date/time operand is not supported by the embedded engine"),
                 e.position);
        if (text && number)
            fail(engine_err::AmbiguousPlus,
                 QStringLiteral("'+' mixes a text and a number; convert the number with CAST(... AS varchar)"), e.position);
        if (!text && !number && unknown)
            fail(engine_err::AmbiguousPlus,
                 QStringLiteral("Cannot tell whether '+' adds numbers or joins texts: the operand types are unknown"),
                 e.position);
        const QString joiner = text ? QStringLiteral(" || ") : QStringLiteral(" + ");
        QString out;
        for (size_t i = 0; i < ops.size(); ++i) {
            if (i > 0)
                out += joiner;
            out += operand(*ops[i], scope);
        }
        return out;
    }

    QString comparison(const Expr& l, const QString& op, const Expr& r, const Scope& scope)
    {
        const Ty lt = typeOf(l, scope);
        const Ty rt = typeOf(r, scope);
        const bool textual = !(lt == Ty::Number && rt == Ty::Number) && lt != Ty::Date && rt != Ty::Date;
        return operand(l, scope) + (textual ? kCollate : QString()) + QLatin1Char(' ') + op + QLatin1Char(' ')
            + operand(r, scope);
    }

    QString expr(const Expr& e, const Scope& scope)
    {
        switch (e.kind) {
        case Expr::Kind::Number: return literal(e, e.text);
        case Expr::Kind::String: return literal(e, quoteText(e.text));
        case Expr::Kind::Null: return QStringLiteral("NULL");
        case Expr::Kind::Column: {
            QStringList parts = e.parts;
            if (parts.size() == 3 && parts.first().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0)
                parts.removeFirst();
            if (parts.size() > 2)
                fail(engine_err::Unsupported, QStringLiteral("Column names with more than a table qualifier are not supported"),
                     e.position);
            QStringList quoted;
            for (const QString& p : parts)
                quoted << quoteName(p);
            return quoted.join(QLatin1Char('.'));
        }
        case Expr::Kind::Star:
            return e.parts.isEmpty() ? QStringLiteral("*") : quoteName(e.parts.last()) + QStringLiteral(".*");
        case Expr::Kind::Paren: return QLatin1Char('(') + expr(*e.args[0], scope) + QLatin1Char(')');
        case Expr::Kind::Subquery: return QLatin1Char('(') + query(*e.query, &scope) + QLatin1Char(')');
        case Expr::Kind::Exists: return QStringLiteral("EXISTS (") + query(*e.query, &scope) + QLatin1Char(')');
        case Expr::Kind::Unary:
            if (e.text == QLatin1String("NOT"))
                return QStringLiteral("NOT ") + condition(*e.args[0], scope);
            return e.text + operand(*e.args[0], scope);
        case Expr::Kind::Cast: {
            Ty ty;
            const QString target = castTarget(e.text, &ty);
            if (ty == Ty::Unknown)
                fail(engine_err::Unsupported, QStringLiteral("Conversion to %1 is not supported by the embedded engine").arg(e.text),
                     e.position);
            const QString arg = expr(*e.args[0], scope);
            if (ty == Ty::Date)
                return arg; // date/times are stored as ISO text already
            QString out = QStringLiteral("CAST(") + arg + QStringLiteral(" AS ") + target + QLatin1Char(')');
            if (ty == Ty::Text) {
                // The server cuts a converted text to its declared length (30 when none is given).
                const QString length = e.text.section(QLatin1Char('('), 1).chopped(e.text.contains(QLatin1Char('(')) ? 1 : 0);
                if (length.compare(QLatin1String("max"), Qt::CaseInsensitive) != 0) {
                    const int n = length.isEmpty() ? 30 : length.toInt();
                    out = QStringLiteral("substr(%1, 1, %2)").arg(out).arg(n);
                }
            }
            return out;
        }
        case Expr::Kind::Function: {
            const FunctionRule* f = functionRule(e);
            const int n = e.starArg ? 0 : static_cast<int>(e.args.size());
            if ((e.starArg && e.text != QLatin1String("count")) || n < f->minArgs || n > f->maxArgs
                || (e.text == QLatin1String("count") && !e.starArg && n == 0))
                fail(engine_err::Syntax, QStringLiteral("The %1 function has the wrong number of arguments").arg(e.text),
                     e.position);
            QStringList args;
            const Inline arguments(*this);
            // MAX, MIN and COUNT(DISTINCT) compare texts like the server does.
            const bool comparesArgs = e.distinctArg || e.text == QLatin1String("max") || e.text == QLatin1String("min");
            for (const auto& a : e.args)
                args << (comparesArgs ? collated(*a, scope) : expr(*a, scope));
            QString out = QLatin1String(f->sqlite) + QLatin1Char('(');
            if (e.distinctArg)
                out += QStringLiteral("DISTINCT ");
            out += e.starArg ? QStringLiteral("*") : args.join(QStringLiteral(", "));
            return out + QLatin1Char(')');
        }
        case Expr::Kind::Binary: {
            const QString& op = e.text;
            if (op == QLatin1String("+"))
                return plusChain(e, scope);
            if (op == QLatin1String("=") || op == QLatin1String("<>") || op == QLatin1String("!=") || op == QLatin1String("<")
                || op == QLatin1String(">") || op == QLatin1String("<=") || op == QLatin1String(">="))
                return comparison(*e.args[0], op == QLatin1String("!=") ? QStringLiteral("<>") : op, *e.args[1], scope);
            if (op == QLatin1String("AND") || op == QLatin1String("OR")) {
                // a AND b AND c needs no parentheses around its own chain.
                const Expr& l = *e.args[0];
                const bool chain = l.kind == Expr::Kind::Binary && l.text == op;
                const QString left = chain ? expr(l, scope) : condition(l, scope);
                return left + QLatin1Char(' ') + op + QLatin1Char(' ') + condition(*e.args[1], scope);
            }
            // - * / %: numbers only
            for (const auto& a : e.args)
                if (typeOf(*a, scope) == Ty::Text)
                    fail(engine_err::Unsupported, QStringLiteral("Arithmetic '%1' on a text").arg(op), e.position);
            return operand(*e.args[0], scope) + QLatin1Char(' ') + op + QLatin1Char(' ') + operand(*e.args[1], scope);
        }
        case Expr::Kind::IsNull:
            return condition(*e.args[0], scope) + (e.negated ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL"));
        case Expr::Kind::Like:
            return operand(*e.args[0], scope) + (e.negated ? QStringLiteral(" NOT LIKE ") : QStringLiteral(" LIKE "))
                + operand(*e.args[1], scope);
        case Expr::Kind::Between:
            return collated(*e.args[0], scope) + (e.negated ? QStringLiteral(" NOT BETWEEN ") : QStringLiteral(" BETWEEN "))
                + operand(*e.args[1], scope) + QStringLiteral(" AND ") + operand(*e.args[2], scope);
        case Expr::Kind::In: {
            QString out = collated(*e.args[0], scope) + (e.negated ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN ("));
            if (e.query) {
                out += query(*e.query, &scope);
            } else {
                QStringList items;
                for (size_t i = 1; i < e.args.size(); ++i)
                    items << expr(*e.args[i], scope);
                out += items.join(QStringLiteral(", "));
            }
            return out + QLatin1Char(')');
        }
        }
        fail(engine_err::Unsupported, QStringLiteral("Unsupported expression"), e.position);
    }
};

} // namespace

QString TranslateTsql(const QString& tsql, const SchemaLookup& schema)
{
    const auto q = ParseTsqlSelect(tsql);
    Translator t(tsql, schema);
    return t.query(*q, nullptr);
}

TranslatedShape TranslateTsqlShape(const QString& tsql, const SchemaLookup& schema, const std::vector<int>& literalPositions)
{
    const auto q = ParseTsqlSelect(tsql);
    Translator t(tsql, schema, &literalPositions);
    TranslatedShape shape;
    shape.sql = t.query(*q, nullptr);
    shape.parameters = t.parameters();
    return shape;
}

} // namespace bkl::db::sqlite
