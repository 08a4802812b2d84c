#include "reports/DetailSectionRule.h"

#include "platform/core/TextSemantics.h"
#include "reports/DetailSectionFlags.h"

namespace bkl::reports {

const std::array<DetailSection, 24>& DetailSectionCatalogue()
{
    static const std::array<DetailSection, 24> catalogue{{
        {"'24'", "Table", "Table Type", &g_bTableType},
        {"'24'", "Table", "Record Count", &g_bTableRecordCount},
        {"'24'", "Table", "Columns", &g_bTableColumns},
        {"'25'", "View", "Columns", &g_bViewColumns},
        {"'25'", "View", "Dependent Objects", &g_bViewDependentObjects},
        {"'26'", "Calendar", "Time Hierarchy", &g_bCalendarTimeHierarchy},
        {"'27'", "Calculation", "Type", &g_bCalcType},
        {"'27'", "Calculation", "Description", &g_bCalcDescription},
        {"'27'", "Calculation", "Data Sources", &g_bCalcDataSources},
        {"'27'", "Calculation", "Formula", &g_bCalcFormula},
        {"'27'", "Calculation", "Partitions", &g_bCalcPartitions},
        {"'27'", "Calculation", "Restrictions", &g_bCalcRestrictions},
        {"'27'", "Calculation", "Calendar", &g_bCalcCalendar},
        {"'27'", "Calculation", "Dependencies", &g_bCalcDependencies},
        {"'27'", "Calculation", "Folder", &g_bCalcFolder},
        {"'28'", "Compensation Plan", "Plan ID", &g_bPlanID},
        {"'28'", "Compensation Plan", "Payee Group", &g_bPlanPayeeGroup},
        {"'28'", "Compensation Plan", "Comments", &g_bPlanComments},
        {"'28'", "Compensation Plan", "Calculations", &g_bPlanCalculations},
        {"'29'", "Tailored Report", "Report ID", &g_bTailoredReportID},
        {"'29'", "Tailored Report", "Payee Group", &g_bTailoredPayeeGroup},
        {"'29'", "Tailored Report", "Calculations", &g_bTailoredCalculations},
        {"'30'", "Presentor Report", "Source Dependencies", &g_bPresentorSourceDependencies},
        {"'30'", "Presentor Report", "Linked Reports", &g_bPresentorLinkedReports},
    }};
    return catalogue;
}

std::vector<DetailSectionRoot> DetailSectionRoots()
{
    std::vector<DetailSectionRoot> roots;
    for (const DetailSection& s : DetailSectionCatalogue()) {
        if (roots.empty() || roots.back().key != QLatin1String(s.rootKey))
            roots.push_back({QString::fromLatin1(s.rootKey), QString::fromLatin1(s.rootCaption), {}});
        roots.back().leaves.append(QString::fromLatin1(s.leafCaption));
    }
    return roots;
}

std::vector<DetailSectionRoot> ExportTreeRoots(const QStringList& kindLists)
{
    std::vector<DetailSectionRoot> shown;
    const std::vector<DetailSectionRoot> roots = DetailSectionRoots();
    for (size_t i = 0; i < roots.size(); ++i) {
        if (static_cast<qsizetype>(i) < kindLists.size() && !Trim(kindLists.at(static_cast<qsizetype>(i))).isEmpty())
            shown.push_back(roots[i]);
    }
    return shown;
}

void SetDetailSectionFlags(const std::vector<DetailSectionNode>& nodes)
{
    for (const DetailSection& s : DetailSectionCatalogue())
        *s.flag = false;
    for (const DetailSectionNode& node : nodes) {
        const QString caption = Trim(node.caption);
        for (const DetailSection& s : DetailSectionCatalogue()) {
            if (caption == QLatin1String(s.leafCaption) && !node.hasChildren
                && node.parentCaption == QLatin1String(s.rootCaption))
                *s.flag = node.checked;
        }
    }
}

} // namespace bkl::reports
