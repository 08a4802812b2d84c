#include "compare/CalculationComparator.h"

#include "compare/CalculationFetchers.h"
#include "compare/Comparator.h"
#include "compare/CompareSql.h"
#include "reports/DetailSectionFlags.h"

namespace bkl::compare {

namespace {
// Plain value cells, and the top-aligned ones of the multi-line sections; a
// differing target cell is orange with white text (the two openings are
// written differently).
const CellOpenings kPlainCells{
    QStringLiteral("<td width='45%' ><font  face='"),
    QStringLiteral("<td width='45%' ><font  face='"),
    QStringLiteral("<td width='45%' bgcolor = '#FF8040'><font  color = '#FFFFFF' face='"),
};
const CellOpenings kTopCells{
    QStringLiteral("<td width='45%' valign='top' ><font  face='"),
    QStringLiteral("<td width='45%' valign='top' ><font  face='"),
    QStringLiteral("<td width='45%' valign='top' bgcolor = '#FF8040'><font color = '#FFFFFF' face='"),
};

using Fetcher = QString (*)(const db::Connection&, const QString&);

CompareSection section(const bool* flag, const char* label, const CellOpenings& cells, Fetcher fetcher,
                       const QString& name)
{
    return {flag, QLatin1String(label), cells, [fetcher, name](const db::Connection& cn) { return fetcher(cn, name); }};
}
} // namespace

QString CompareCalculations(const CompareSides& sides, const QString& name)
{
    return RunComparator(QStringLiteral("CompareCalculations"), [&] {
        const std::vector<CompareSection> sections{
            section(&g_bCalcType, "Type:", kPlainCells, CompareCalGetCalcType, name),
            section(&g_bCalcDescription, "Description:", kPlainCells, CompareCalGetCalcComment, name),
            section(&g_bCalcDataSources, "Data Source(s):", kTopCells, CompareCalGetCalcDataSource, name),
            section(&g_bCalcFormula, "Formula:", kPlainCells, CompareCalGetCalcOperation, name),
            section(&g_bCalcPartitions, "Partitions:", kTopCells, CompareCalGetCalcPartitions, name),
            section(&g_bCalcRestrictions, "Restrictions:", kTopCells, CompareCalGetCalcRestrictions, name),
            section(&g_bCalcCalendar, "Calendar:", kPlainCells, CompareCalGetCalcCalendar, name),
            section(&g_bCalcDependencies, "Dependencies:", kTopCells, CompareCalGetCalcDependencies, name),
            section(&g_bCalcFolder, "Folder:", kTopCells, CompareCalGetCalcFolder, name),
        };
        return RunComparison(sides, {QStringLiteral("Calculation: "), QStringLiteral("Calculation"), true}, name,
                             sql::CalculationExists(name), sections);
    });
}

} // namespace bkl::compare
