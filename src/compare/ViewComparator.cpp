#include "compare/ViewComparator.h"

#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "compare/SectionCells.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"
#include "reports/RenderGuard.h"
#include "reports/ViewDetail.h"

namespace bkl::compare {

QString CompareViewFields(const db::Connection& cn, const QString& viewName)
{
    return reports::RunGuarded(QStringLiteral("CompareViewFields"), QString::fromLatin1(reports::kNbsp),
                               [&] { return reports::ViewFieldsTable(cn, viewName, reports::RowOrder::ByText); });
}

QString CompareAllCalculationsForView(const db::Connection& cn, const QString& viewName)
{
    return reports::RunGuarded(QStringLiteral("CompareAllCalculationsForView"),
                               QString::fromLatin1(reports::kErrorSpacer),
                               [&] { return reports::ViewCalculationsTable(cn, viewName, reports::RowOrder::ByText); });
}

QString CompareViews(const CompareSides& sides, const QString& name)
{
    const ComparedKind kind{QStringLiteral("View Name: "), QStringLiteral("View"), true};
    return RunComparator(QStringLiteral("CompareViews"), sides, kind, name, [&] {
        const std::vector<CompareSection> sections{
            {&g_bViewColumns, QStringLiteral("Column(s):"), cells::TopAlignedRed(),
             [&](const db::Connection& cn) { return CompareViewFields(cn, name); }},
            {&g_bViewDependentObjects, QStringLiteral("Dependent Object(s):"), cells::ViewDependentObjects(),
             [&](const db::Connection& cn) { return CompareAllCalculationsForView(cn, name); }},
        };
        return RunComparison(sides, kind, name, sql::ViewExists(name), sections);
    });
}

} // namespace bkl::compare
