#include "compare/CalculationFetchers.h"

#include "compare/CompareSql.h"
#include "compare/ComparisonCalcPolicy.h"
#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/AliasRewriting.h"
#include "reports/CalcDataSources.h"
#include "reports/CalcFolder.h"
#include "reports/CalcTypeAndCalendar.h"
#include "reports/CalcWhereUsed.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"
#include "reports/RestrictionTree.h"

#include <functional>

namespace bkl::compare {

namespace {

using reports::RenderMode;

const QString kNbsp = QString::fromLatin1(reports::kNbsp);

// Runs `read` on the first row of `sql` (no row: the field read fails) under the
// fetcher's error handler.
QString fetch(const QString& logName, const db::Connection& cn, const QString& sql,
              const std::function<QString(const db::Recordset&)>& read)
{
    return reports::RunGuarded(logName, kNbsp, [&] {
        db::Recordset rs(sql, cn);
        const QString value = read(rs);
        rs.close();
        return value;
    });
}

QString text(const db::Recordset& rs, const char* field) { return rs.field(QLatin1String(field)).toText(); }

// The calculation's id: CALCID as text, its leading number, rounded half-even to 32 bits.
int32_t calcId(const db::Recordset& rs) { return CLng(Val(text(rs, "CALCID"))); }

QString rewrite(const db::Connection& cn, const QString& s, int32_t id)
{
    return reports::ReplaceResultAndLookupAndTableAlias(cn, s, id, RenderMode::Text, ComparisonCalcPolicy().alias);
}

// "&nbsp;" for a value that is blank, else the value escaped.
QString valueOrNbsp(const QString& value) { return Trim(value).isEmpty() ? kNbsp : HtmlText(value); }

} // namespace

QString CompareTimeCalendar(const db::Connection& cn, const QString& timeId)
{
    return reports::GetTimeCalendar(cn, timeId, QStringLiteral("CompareTimeCalendar"));
}

QString CompareCalGetCalcType(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcType"), cn, sql::CalculationType(Trim(calcName)),
                 [](const db::Recordset& rs) { return reports::GetCalculationTypeName(text(rs, "CALCTYPE")); });
}

QString CompareCalGetCalcComment(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcComment"), cn, sql::CalculationComment(Trim(calcName)),
                 [](const db::Recordset& rs) { return valueOrNbsp(text(rs, "CALCCOMMENT")); });
}

QString CompareCalGetCalcCalendar(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcCalendar"), cn, sql::CalculationCalendar(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     return valueOrNbsp(CompareTimeCalendar(cn, text(rs, "CALCCALENDARUSED")));
                 });
}

QString CompareCalGetCalcOperation(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcOperation"), cn, sql::CalculationFormula(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     return valueOrNbsp(rewrite(cn, Trim(text(rs, "CALCOPERATION")), calcId(rs)));
                 });
}

QString CompareCalGetCalcDataSource(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcDataSource"), cn, sql::CalculationPrimarySource(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     const int32_t id = calcId(rs);
                     const QString primary = Trim(rewrite(cn, text(rs, "CALCPRIMARYSOURCE"), id));
                     return reports::CalculationSourceAndJoinAndUnion(cn, primary, id, RenderMode::Html,
                                                                      ComparisonCalcPolicy());
                 });
}

QString CompareCalGetCalcPartitions(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcPartitions"), cn, sql::CalculationPartitionLevels(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     return reports::CalculationPartitions(cn, calcId(rs), text(rs, "CALCTIMELEVEL"),
                                                           text(rs, "CALCRESETLEVEL"), text(rs, "CALCCALENDARUSED"),
                                                           RenderMode::Html, ComparisonCalcPolicy());
                 });
}

QString CompareCalGetCalcRestrictions(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcRestrictions"), cn, sql::CalculationId(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     return reports::CalculationRestrictions(cn, calcId(rs), RenderMode::Html, ComparisonCalcPolicy());
                 });
}

QString CompareCalGetCalcDependencies(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcDependencies"), cn, sql::CalculationId(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     return reports::CalculationDependentObjects(cn, calcId(rs), calcName, RenderMode::Html,
                                                                 ComparisonCalcPolicy());
                 });
}

QString CompareCalGetCalcFolder(const db::Connection& cn, const QString& calcName)
{
    return fetch(QStringLiteral("CompareCalGetCalcFolder"), cn, sql::CalculationId(Trim(calcName)),
                 [&](const db::Recordset& rs) {
                     return reports::CalculationFolder(cn, calcId(rs), calcName, RenderMode::Html,
                                                       ComparisonCalcPolicy());
                 });
}

} // namespace bkl::compare
