#include "reports/AliasRewriting.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/CalcRules.h"
#include "reports/RenderGuard.h"

#include <QList>
#include <functional>
#include <optional>

namespace bkl::reports {

namespace {

struct AliasWord {
    QLatin1StringView word;
    int digitLimit;
};

constexpr AliasWord kTableAlias{QLatin1StringView("_TableAlias"), 8};
constexpr AliasWord kLookupAlias{QLatin1StringView("_LookupAlias"), 3};
constexpr AliasWord kResult{QLatin1StringView("_Result"), 8};

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// The number after an occurrence of the alias word whose digits start at
// `start`: the shortest run of 1 to `limit` characters that is followed by a
// full stop, a blank, a line end or the end of the text (or a "<" when
// `markupEnds`), read as a leading number.
std::optional<int32_t> readNumber(const QString& text, qsizetype start, int limit, bool markupEnds)
{
    for (int k = 1; k <= limit; ++k) {
        const qsizetype after = start + k;
        if (after >= text.size() || text.at(after) == QLatin1Char('.') || text.at(after) == QLatin1Char(' ')
            || text.at(after) == QLatin1Char('\r') || text.at(after) == QLatin1Char('\n')
            || (markupEnds && text.at(after) == QLatin1Char('<')))
            return CLng(Val(text.mid(start, k)));
    }
    return std::nullopt;
}

// Replaces, left to right, every occurrence of `token` that is not followed by a
// digit, so "_Result1" never rewrites the start of "_Result12".
QString replaceToken(const QString& text, const QString& token, const QString& name)
{
    QString out;
    qsizetype from = 0;
    qsizetype at = text.indexOf(token, from);
    while (at >= 0) {
        const qsizetype end = at + token.size();
        if (end < text.size() && isAsciiDigit(text.at(end))) {
            at = text.indexOf(token, at + 1);
            continue;
        }
        out += QStringView(text).mid(from, at - from);
        out += name;
        from = end;
        at = text.indexOf(token, from);
    }
    out += QStringView(text).mid(from);
    return out;
}

// One pass for one alias word: collect the numbers of the occurrences in text
// order (repeats included), resolve each and replace its token.
QString runPass(const QString& text, const AliasWord& w, const QString& passName, const AliasRewritePolicy& policy,
                bool escapeNames, const std::function<QString(int32_t)>& resolve)
{
    return RunGuarded(passName, text, [&] {
        QList<int32_t> numbers;
        int counter = 0;
        int32_t previous = 0;
        for (qsizetype p = text.indexOf(w.word); p >= 0; p = text.indexOf(w.word, p + 1)) {
            std::optional<int32_t> n =
                readNumber(text, p + w.word.size(), w.digitLimit, escapeNames && policy.markupEndsNumber);
            if (!n && policy.unreadTakesPreviousNumber)
                n = previous;
            if (!n)
                continue;
            previous = *n;
            CountOne16(counter);
            numbers.append(*n);
        }
        QString working = text;
        for (int32_t n : numbers) {
            const QString name = resolve(n);
            if (Trim(name).isEmpty())
                continue;
            working = replaceToken(working, w.word + QString::number(n), escapeNames ? HtmlText(name) : name);
        }
        return working;
    });
}

// Runs a pass again only while it changes the text, at most kMaxAliasPasses times.
QString rewriteWord(const QString& text, const AliasWord& w, const std::function<QString(const QString&)>& pass)
{
    QString s = text;
    for (int i = 0; i < kMaxAliasPasses && s.contains(w.word); ++i) {
        const QString next = pass(s);
        if (next == s)
            break;
        s = next;
    }
    return s;
}

} // namespace

QString ReplaceResultAndLookupAndTableAlias(const db::Connection& cn, const QString& text, int32_t calcId,
                                            RenderMode mode, const AliasRewritePolicy& policy)
{
    return RunGuarded(policy.entryName, text, [&] {
        const bool escape = mode == RenderMode::Html;
        QString s = rewriteWord(text, kTableAlias, [&](const QString& t) {
            return runPass(t, kTableAlias, policy.tablePassName, policy, escape,
                           [&](int32_t n) { return GetCalcNameForTableAlias(cn, calcId, n, policy); });
        });
        s = rewriteWord(s, kLookupAlias, [&](const QString& t) {
            return runPass(t, kLookupAlias, policy.lookupPassName, policy, escape,
                           [&](int32_t n) { return GetCalcNameForLookupAlias(cn, calcId, n, policy); });
        });
        return rewriteWord(s, kResult, [&](const QString& t) {
            return runPass(t, kResult, policy.resultPassName, policy, escape,
                           [&](int32_t n) { return GetCalcNameForResultAlias(cn, n, policy); });
        });
    });
}

QString GetCalcNameForTableAlias(const db::Connection& cn, int32_t calcId, int32_t index,
                                 const AliasRewritePolicy& policy)
{
    return RunGuarded(policy.tableResolverName, QString(), [&] {
        db::Recordset rs(QStringLiteral("SELECT [TABLENAME1] = [Table1], [COLUMNNAME1] = [Column1], [TABLENAME2] = "
                                        "[Table2], [COLUMNNAME2] = [Column2] FROM CalculationJoin WHERE ")
                             + QStringLiteral("CalculationID = ") + QString::number(calcId)
                             + QStringLiteral(" ORDER BY Position ASC"),
                         cn);
        QString table1, column1, table2, column2;
        for (int row = 0; !rs.eof(); rs.moveNext()) {
            if (row == index) {
                table1 = rs.field(QStringLiteral("TABLENAME1")).toText();
                column1 = rs.field(QStringLiteral("COLUMNNAME1")).toText();
                table2 = rs.field(QStringLiteral("TABLENAME2")).toText();
                column2 = rs.field(QStringLiteral("COLUMNNAME2")).toText();
            }
            CountOne16(row);
        }
        if (Trim(table2).isEmpty() || Trim(column2).isEmpty())
            return QString();
        return Trim(table1) + QLatin1Char('.') + Trim(column1);
    });
}

QString GetCalcNameForLookupAlias(const db::Connection& cn, int32_t calcId, int32_t index,
                                  const AliasRewritePolicy& policy)
{
    return RunGuarded(policy.lookupResolverName, QString(), [&] {
        db::Recordset rs(QStringLiteral("SELECT [CALCORTABLENAME] = [Name], [CALCORTABLESOURCE] = [Source] FROM "
                                        "CalculationLookup WHERE ")
                             + QStringLiteral("CalculationID = ") + QString::number(calcId)
                             + QStringLiteral(" ORDER BY LookupID ASC"),
                         cn);
        QString source;
        for (int row = 0; !rs.eof(); rs.moveNext()) {
            if (row == index)
                source = rs.field(QStringLiteral("CALCORTABLESOURCE")).toText();
            CountOne16(row);
        }
        return source;
    });
}

QString GetCalcNameForResultAlias(const db::Connection& cn, int32_t id, const AliasRewritePolicy& policy)
{
    return RunGuarded(policy.resultResolverName, QString(), [&] {
        db::Recordset rs(QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = ")
                             + QString::number(id),
                         cn);
        QString name;
        for (; !rs.eof(); rs.moveNext())
            name = rs.field(QStringLiteral("CALCNAME")).toText();
        return name;
    });
}

} // namespace bkl::reports
