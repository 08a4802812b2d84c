#include "platform/db/odbc/NulLiterals.h"

#include <QSet>
#include <QStringList>

namespace bkl::db::odbc {

namespace {

// Texts of a type shorter than (max) are joined into at most 8,000 bytes: a longer
// literal (up to 4 bytes a character) is widened to (max) before it is joined.
constexpr qsizetype kLongestJoinedAsIs = 2000;

QString Joined(QStringView literal, bool national)
{
    const QString open = national ? QStringLiteral("N'") : QStringLiteral("'");
    const QStringView body = literal.mid(open.size(), literal.size() - open.size() - 1);
    QStringList parts;
    for (QStringView part : body.split(QChar(0)))
        parts << open + part.toString() + QLatin1Char('\'');
    if (body.size() > kLongestJoinedAsIs)
        parts.front() = QStringLiteral("CAST(%1 AS %2(max))").arg(parts.front(), national ? u"nvarchar" : u"varchar");
    return QLatin1Char('(') + parts.join(national ? u" + NCHAR(0) + " : u" + CHAR(0) + ") + QLatin1Char(')');
}

// Offsets of the text literals that stand as values (not as 'aliases').
void CollectValueLiterals(const sqlite::ast::Query& q, QSet<int>& out);
void CollectValueLiterals(const sqlite::ast::Expr* e, QSet<int>& out)
{
    if (!e)
        return;
    if (e->kind == sqlite::ast::Expr::Kind::String)
        out.insert(e->position);
    for (const sqlite::ast::ExprPtr& arg : e->args)
        CollectValueLiterals(arg.get(), out);
    if (e->query)
        CollectValueLiterals(*e->query, out);
}
void CollectValueLiterals(const sqlite::ast::Query& q, QSet<int>& out)
{
    for (const sqlite::ast::Select& s : q.selects) {
        for (const sqlite::ast::SelectItem& item : s.items)
            CollectValueLiterals(item.expr.get(), out);
        for (const sqlite::ast::TableRef& t : s.from) {
            if (t.derived)
                CollectValueLiterals(*t.derived, out);
            CollectValueLiterals(t.on.get(), out);
        }
        CollectValueLiterals(s.where.get(), out);
        for (const sqlite::ast::ExprPtr& g : s.groupBy)
            CollectValueLiterals(g.get(), out);
        CollectValueLiterals(s.having.get(), out);
    }
    for (const sqlite::ast::OrderItem& o : q.orderBy)
        CollectValueLiterals(o.expr.get(), out);
}

} // namespace

bool NulsOnlyInValueLiterals(const QString& sql, const sqlite::ast::Query& tree,
                             const std::vector<sqlite::TokenSpan>& tokens)
{
    const qsizetype nuls = sql.count(QChar(0));
    if (nuls == 0)
        return true;
    QSet<int> values;
    CollectValueLiterals(tree, values);
    qsizetype inValues = 0;
    for (const sqlite::TokenSpan& t : tokens)
        if (t.kind == sqlite::Token::Kind::String && values.contains(t.start))
            inValues += QStringView(sql).mid(t.start, t.end - t.start).count(QChar(0));
    return inValues == nuls;
}

QString JoinNulsInLiterals(const QString& sql, const std::vector<sqlite::TokenSpan>& tokens)
{
    QString out;
    out.reserve(sql.size() + 32);
    int from = 0;
    for (const sqlite::TokenSpan& t : tokens) {
        const QStringView literal = QStringView(sql).mid(t.start, t.end - t.start);
        if (t.kind != sqlite::Token::Kind::String || !literal.contains(QChar(0)))
            continue;
        out += QStringView(sql).mid(from, t.start - from);
        out += Joined(literal, t.national);
        from = t.end;
    }
    out += QStringView(sql).mid(from);
    return out;
}

} // namespace bkl::db::odbc
