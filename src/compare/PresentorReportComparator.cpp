#include "compare/PresentorReportComparator.h"

#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"
#include "reports/PresentorReportDetail.h"
#include "reports/RenderGuard.h"

namespace bkl::compare {

namespace {
const CellOpenings kPresentorCells{
    QStringLiteral("<td width='45%' valign='top' ><font  face='"),
    QStringLiteral("<td width='45%' valign='top' ><font  face='"),
    QStringLiteral("<td width='45%' valign='top' bgcolor = '#FF8040'><font color = '#000000' face='"),
};
} // namespace

QString ComparePresentorReportSourceDependency(const db::Connection& cn, const QString& reportName)
{
    return reports::RunGuarded(QStringLiteral("ComparePresentorReportSourceDependency"),
                               QString::fromLatin1(reports::kNbsp), [&] {
                                   return reports::PresentorReportSourceTable(cn, reportName, QStringLiteral("80%"),
                                                                              QStringLiteral("20%"));
                               });
}

QString ComparePresentorReportLinkedReports(const db::Connection& cn, const QString& reportName)
{
    return reports::ReturnPresentorReportLinkedReports(cn, reportName,
                                                       QStringLiteral("ComparePresentorReportLinkedReports"));
}

QString ComparePresentorReports(const CompareSides& sides, const QString& name)
{
    return RunComparator(QStringLiteral("ComparePresentorReports"), [&] {
        const std::vector<CompareSection> sections{
            {&g_bPresentorSourceDependencies, QStringLiteral("Source Dependencies:"), kPresentorCells,
             [&](const db::Connection& cn) { return ComparePresentorReportSourceDependency(cn, name); }},
            {&g_bPresentorLinkedReports, QStringLiteral("Linked Report(s):"), kPresentorCells,
             [&](const db::Connection& cn) { return ComparePresentorReportLinkedReports(cn, name); }},
        };
        return RunComparison(sides, {QStringLiteral("Presentor Report: "), QStringLiteral("Presentor Report"), true},
                             name, sql::PresentorReportExists(name), sections);
    });
}

} // namespace bkl::compare
