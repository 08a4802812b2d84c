#include "reports/DetailSectionFlags.h"
#include "reports/DetailSectionRule.h"

#include <gtest/gtest.h>

using namespace bkl::reports;

namespace {
// A tree as the export dialog builds it: the given roots, every leaf checked.
std::vector<DetailSectionNode> fullTree(const std::vector<DetailSectionRoot>& roots)
{
    std::vector<DetailSectionNode> nodes;
    for (const DetailSectionRoot& r : roots) {
        nodes.push_back({r.caption, QString(), true, true});
        for (const QString& leaf : r.leaves)
            nodes.push_back({leaf, r.caption, false, true});
    }
    return nodes;
}

void setLeaf(std::vector<DetailSectionNode>& nodes, const QString& root, const QString& leaf, bool checked)
{
    for (DetailSectionNode& n : nodes)
        if (n.parentCaption == root && n.caption == leaf)
            n.checked = checked;
}

int countSet()
{
    int n = 0;
    for (const DetailSection& s : DetailSectionCatalogue())
        n += *s.flag ? 1 : 0;
    return n;
}
} // namespace

TEST(DetailSectionRule, SetsSwitchesByRootAndLeafCaption)
{
    // Tables only, "Columns" unchecked: the view's Columns switch is not touched by it.
    auto tree = fullTree(ExportTreeRoots({"|T", "", "", "", "", "", ""}));
    setLeaf(tree, "Table", "Columns", false);
    SetDetailSectionFlags(tree);
    EXPECT_TRUE(g_bTableType && g_bTableRecordCount && !g_bTableColumns && !g_bViewColumns);
    setLeaf(tree, "Table", "Columns", true);
    SetDetailSectionFlags(tree);
    EXPECT_TRUE(g_bTableColumns && !g_bViewColumns);
    EXPECT_EQ(countSet(), 3);

    // Table and View both with "Columns": each leaf counts under its own root.
    tree = fullTree(ExportTreeRoots({"|T", "|V", "", "", "", "", ""}));
    setLeaf(tree, "View", "Columns", false);
    SetDetailSectionFlags(tree);
    EXPECT_TRUE(g_bTableColumns && !g_bViewColumns && g_bViewDependentObjects);

    // The root "Calendar" never sets the calculation leaf "Calendar".
    tree = fullTree(ExportTreeRoots({"", "", "|(1) Fiscal", "|C", "", "", ""}));
    setLeaf(tree, "Calculation", "Calendar", false);
    SetDetailSectionFlags(tree);
    EXPECT_TRUE(!g_bCalcCalendar && g_bCalendarTimeHierarchy);
    setLeaf(tree, "Calculation", "Calendar", true);
    setLeaf(tree, "Calendar", "Time Hierarchy", false);
    SetDetailSectionFlags(tree);
    EXPECT_TRUE(g_bCalcCalendar && !g_bCalendarTimeHierarchy);
    // A lone childless node captioned "Calendar" under no root sets nothing.
    SetDetailSectionFlags({{"Calendar", QString(), false, true}});
    EXPECT_EQ(countSet(), 0);

    // Leaf text is stripped of blanks, the parent's is compared exactly.
    SetDetailSectionFlags({{" Formula ", "Calculation", false, true}, {"Folder", "Calculation ", false, true},
                           {"Type", "calculation", false, true}});
    EXPECT_TRUE(g_bCalcFormula && !g_bCalcFolder && !g_bCalcType);

    // Unchecked leaves under a checked root give false; a root's own box sets nothing.
    tree = fullTree(ExportTreeRoots({"|T", "", "", "", "", "", ""}));
    for (auto* leaf : {"Table Type", "Record Count", "Columns"})
        setLeaf(tree, "Table", leaf, false);
    SetDetailSectionFlags(tree);
    EXPECT_EQ(countSet(), 0);

    // Stale switches are cleared by a tree that lacks their leaves.
    SetDetailSectionFlags(fullTree(DetailSectionRoots()));
    EXPECT_EQ(countSet(), 24);
    SetDetailSectionFlags(fullTree(ExportTreeRoots({"", "", "", "", "", "", "|P"})));
    EXPECT_EQ(countSet(), 2);
    EXPECT_TRUE(g_bPresentorSourceDependencies && g_bPresentorLinkedReports);
    SetDetailSectionFlags({});
    EXPECT_EQ(countSet(), 0);
}
