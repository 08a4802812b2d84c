#include "compare/CalculationComparator.h"

#include "compare/CalculationFetchers.h"
#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "compare/SectionCells.h"
#include "reports/DetailSectionFlags.h"

namespace bkl::compare {

namespace {
using Fetcher = QString (*)(const db::Connection&, const QString&);

CompareSection section(const bool* flag, const char* label, const CellOpenings& cells, Fetcher fetcher,
                       const QString& name)
{
    return {flag, QLatin1String(label), cells, [fetcher, name](const db::Connection& cn) { return fetcher(cn, name); }};
}
} // namespace

QString CompareCalculations(const CompareSides& sides, const QString& name)
{
    const ComparedKind kind{QStringLiteral("Calculation: "), QStringLiteral("Calculation"), true};
    return RunComparator(QStringLiteral("CompareCalculations"), sides, kind, name, [&] {
        const CellOpenings& plain = cells::CalculationPlain();
        const CellOpenings& top = cells::TopAlignedWhite();
        const std::vector<CompareSection> sections{
            section(&g_bCalcType, "Type:", plain, CompareCalGetCalcType, name),
            section(&g_bCalcDescription, "Description:", plain, CompareCalGetCalcComment, name),
            section(&g_bCalcDataSources, "Data Source(s):", top, CompareCalGetCalcDataSource, name),
            section(&g_bCalcFormula, "Formula:", plain, CompareCalGetCalcOperation, name),
            section(&g_bCalcPartitions, "Partitions:", top, CompareCalGetCalcPartitions, name),
            section(&g_bCalcRestrictions, "Restrictions:", top, CompareCalGetCalcRestrictions, name),
            section(&g_bCalcCalendar, "Calendar:", plain, CompareCalGetCalcCalendar, name),
            section(&g_bCalcDependencies, "Dependencies:", top, CompareCalGetCalcDependencies, name),
            section(&g_bCalcFolder, "Folder:", top, CompareCalGetCalcFolder, name),
        };
        return RunComparison(sides, kind, name, sql::CalculationExists(name), sections);
    });
}

} // namespace bkl::compare
