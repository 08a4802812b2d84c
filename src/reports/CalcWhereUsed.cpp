#include "reports/CalcWhereUsed.h"

#include "platform/core/Escaping.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/Recordset.h"
#include "reports/CalcCells.h"
#include "reports/CalcRules.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"

#include <utility>

namespace bkl::reports {

namespace {

QString listStatement(WhereUsedList list, const QString& key)
{
    switch (list) {
    case WhereUsedList::CompensationPlans:
        return QStringLiteral("SELECT CompPlanID AS PLANID, [Name] AS PLANNAME FROM CompPlan WHERE ListID IN (")
            + QStringLiteral("SELECT ListID FROM CalculationListElement WHERE CalculationID = ") + key
            + QStringLiteral(") ORDER BY [Name]");
    case WhereUsedList::TailoredReports:
        return QStringLiteral("SELECT ID AS TRID, [Name] AS TRNAME FROM TailoredReport WHERE CalculationListID IN ( ")
            + QStringLiteral("SELECT ListID FROM CalculationListElement WHERE CalculationID = ") + key
            + QStringLiteral(") ORDER BY [Name]");
    case WhereUsedList::PresentorReports:
        return QStringLiteral("SELECT DISTINCT [Name] AS PRESENTORREPORT FROM WebReport WHERE WebReportID IN (SELECT ")
            + QStringLiteral("WebReportID FROM WebReportCalculation WHERE CalculationID = ") + key
            + QStringLiteral(") ORDER BY [Name]");
    case WhereUsedList::Views:
        break;
    }
    return QStringLiteral("SELECT [name] AS VIEWNAME FROM sys.views WHERE object_id IN (SELECT object_id FROM ")
        + QStringLiteral("sys.columns WHERE left([name], charindex('.', [name],1)) = '") + SqlText(key)
        + QStringLiteral(".") + QStringLiteral("')");
}

// The item text of the current row, before the HTML or text frame around it.
QString itemText(WhereUsedList list, const db::Recordset& rs)
{
    const auto field = [&](const char* name) { return rs.field(QLatin1String(name)).toText(); };
    switch (list) {
    case WhereUsedList::CompensationPlans:
        return QLatin1Char('(') + field("PLANID") + QStringLiteral(") ") + field("PLANNAME");
    case WhereUsedList::TailoredReports:
        return QLatin1Char('(') + field("TRID") + QStringLiteral(") ") + field("TRNAME");
    case WhereUsedList::PresentorReports:
        return field("PRESENTORREPORT");
    case WhereUsedList::Views:
        break;
    }
    return field("VIEWNAME");
}

} // namespace

QString CalculationWhereUsed(const db::Connection& cn, WhereUsedList list, const QString& key, RenderMode mode,
                             const QString& logName, RowOrder order)
{
    return RunGuarded(logName, QString(), [&] {
        db::Recordset rs(listStatement(list, key), cn);
        QStringList texts;
        for (; !rs.eof(); rs.moveNext())
            texts << itemText(list, rs);
        QString items;
        // Only the views' statement leaves its rows unordered; the other lists come in name order.
        for (const QString& item : Ordered(texts, list == WhereUsedList::Views ? order : RowOrder::AsRead)) {
            if (mode == RenderMode::Html)
                items += (list == WhereUsedList::Views ? QLatin1String(kNbsp) : QLatin1String()) + HtmlText(item)
                    + QLatin1String(kBr);
            else
                items += QLatin1String(kCrLf) + QStringLiteral("\t\t") + item;
        }
        return Trim(items).isEmpty() ? QString::fromLatin1(kNoneMarker) : items;
    });
}

QString ReturnAllViewsForCalculation(const db::Connection& cn, const QString& calcName)
{
    return CalculationWhereUsed(cn, WhereUsedList::Views, calcName, RenderMode::Html,
                                QStringLiteral("ReturnAllViewsForCalculation"));
}

QString ReturnAllCompPlanForCalculation(const db::Connection& cn, int32_t calcId)
{
    return CalculationWhereUsed(cn, WhereUsedList::CompensationPlans, QString::number(calcId), RenderMode::Html,
                                QStringLiteral("ReturnAllCompPlanForCalculation"));
}

QString ReturnAllTailoredReportsForCalculation(const db::Connection& cn, int32_t calcId)
{
    return CalculationWhereUsed(cn, WhereUsedList::TailoredReports, QString::number(calcId), RenderMode::Html,
                                QStringLiteral("ReturnAllTailoredReportsForCalculation"));
}

QString ReturnAllPresentorReportsForCalculation(const db::Connection& cn, int32_t calcId)
{
    return CalculationWhereUsed(cn, WhereUsedList::PresentorReports, QString::number(calcId), RenderMode::Html,
                                QStringLiteral("ReturnAllPresentorReportsForCalculation"));
}

QString ExportAllViewsForCalculation(const db::Connection& cn, const QString& calcName)
{
    return CalculationWhereUsed(cn, WhereUsedList::Views, calcName, RenderMode::Text,
                                QStringLiteral("ExportAllViewsForCalculation"));
}

QString ExportAllCompPlanForCalculation(const db::Connection& cn, int32_t calcId)
{
    return CalculationWhereUsed(cn, WhereUsedList::CompensationPlans, QString::number(calcId), RenderMode::Text,
                                QStringLiteral("ExportAllCompPlanForCalculation"));
}

QString ExportAllTailoredReportsForCalculation(const db::Connection& cn, int32_t calcId)
{
    return CalculationWhereUsed(cn, WhereUsedList::TailoredReports, QString::number(calcId), RenderMode::Text,
                                QStringLiteral("ExportAllTailoredReportsForCalculation"));
}

QString ExportAllPresentorReportsForCalculation(const db::Connection& cn, int32_t calcId)
{
    return CalculationWhereUsed(cn, WhereUsedList::PresentorReports, QString::number(calcId), RenderMode::Text,
                                QStringLiteral("ExportAllPresentorReportsForCalculation"));
}

QString CalculationDependentObjects(const db::Connection& cn, int32_t calcId, const QString& calcName,
                                    RenderMode mode, const CalcPolicy& policy)
{
    const bool html = mode == RenderMode::Html;
    const SectionFailure failure =
        SectionFailureFor(mode, policy.html.dependencies, "ExportCalculationDependentObjects");
    return RunGuarded(failure.logName, failure.value, [&] {
        const QString id = QString::number(calcId);
        const auto list = [&](WhereUsedList which, const QString& key, const QString& htmlName, const char* textName) {
            return CalculationWhereUsed(cn, which, key, mode, html ? htmlName : QLatin1String(textName),
                                        policy.unorderedRows);
        };
        const QString views = list(WhereUsedList::Views, Trim(calcName), policy.html.viewsList,
                                   "ExportAllViewsForCalculation");
        const QString plans = list(WhereUsedList::CompensationPlans, id, policy.html.compPlanList,
                                   "ExportAllCompPlanForCalculation");
        const QString tailored = list(WhereUsedList::TailoredReports, id, policy.html.tailoredList,
                                      "ExportAllTailoredReportsForCalculation");
        const QString presentor = list(WhereUsedList::PresentorReports, id, policy.html.presentorList,
                                       "ExportAllPresentorReportsForCalculation");
        const std::pair<const char*, QString> rows[] = {
            {"View(s):", views},
            {"Presentor Reports(s):", presentor},
            {"Tailored Report(s):", tailored},
            {"Compensation Plan(s):", plans},
        };
        QString out = html ? QString::fromLatin1(kListTableOpen) : QString();
        for (int row = 0; row < 4; ++row) {
            const QString heading = QLatin1String(rows[row].first);
            if (html)
                out += Row(CalcWidthCell(policy.dependenciesHeadingWidth, QLatin1String(kNbsp) + heading)
                           + CalcWidthCell(policy.dependenciesListWidths.value(row), rows[row].second));
            else
                out += QStringLiteral("\t") + heading + QLatin1Char(' ') + rows[row].second + QLatin1String(kCrLf);
        }
        return html ? out + QLatin1String(kTableClose) : out;
    });
}

QString GetCalculationDependentObjects(const db::Connection& cn, int32_t calcId, const QString& calcName)
{
    return CalculationDependentObjects(cn, calcId, calcName, RenderMode::Html, DetailPolicy());
}

QString ExportCalculationDependentObjects(const db::Connection& cn, int32_t calcId, const QString& calcName)
{
    return CalculationDependentObjects(cn, calcId, calcName, RenderMode::Text, DetailPolicy());
}

} // namespace bkl::reports
