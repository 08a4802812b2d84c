#include "compare/PresentorReportComparator.h"

#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "compare/SectionCells.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"
#include "reports/PresentorReportDetail.h"
#include "reports/RenderGuard.h"

namespace bkl::compare {

QString ComparePresentorReportSourceDependency(const db::Connection& cn, const QString& reportName)
{
    return reports::RunGuarded(QStringLiteral("ComparePresentorReportSourceDependency"),
                               QString::fromLatin1(reports::kNbsp), [&] {
                                   return reports::PresentorReportSourceTable(cn, reportName, QStringLiteral("80%"),
                                                                              QStringLiteral("20%"),
                                                                              reports::RowOrder::ByText);
                               });
}

QString ComparePresentorReportLinkedReports(const db::Connection& cn, const QString& reportName)
{
    return reports::ReturnPresentorReportLinkedReports(cn, reportName,
                                                       QStringLiteral("ComparePresentorReportLinkedReports"));
}

QString ComparePresentorReports(const CompareSides& sides, const QString& name)
{
    const ComparedKind kind{QStringLiteral("Presentor Report: "), QStringLiteral("Presentor Report"), true};
    return RunComparator(QStringLiteral("ComparePresentorReports"), sides, kind, name, [&] {
        const std::vector<CompareSection> sections{
            {&g_bPresentorSourceDependencies, QStringLiteral("Source Dependencies:"), cells::PresentorReport(),
             [&](const db::Connection& cn) { return ComparePresentorReportSourceDependency(cn, name); }},
            {&g_bPresentorLinkedReports, QStringLiteral("Linked Report(s):"), cells::PresentorReport(),
             [&](const db::Connection& cn) { return ComparePresentorReportLinkedReports(cn, name); }},
        };
        return RunComparison(sides, kind, name, sql::PresentorReportExists(name), sections);
    });
}

} // namespace bkl::compare
