#pragma once
// The detail-section catalogue (kind roots and their section leaves) and the rule
// that sets the 24 DetailSectionFlags from a tree of checked leaves. The export
// dialog and the compare window both read their own tree into nodes and call
// SetDetailSectionFlags, so both set the switches the same way.
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace bkl::reports {

// One (kind, section) pair and the switch it sets.
struct DetailSection {
    const char* rootKey;     // "'24'" ... "'30'"
    const char* rootCaption; // the kind as the object list writes it ("Table")
    const char* leafCaption; // the section ("Table Type")
    bool* flag;              // the switch (g_bTableType)
};

// The 24 sections in their fixed order (Table, View, Calendar, Calculation,
// Compensation Plan, Tailored Report, Presentor Report).
const std::array<DetailSection, 24>& DetailSectionCatalogue();

// One root of a detail-section tree with its leaves in catalogue order.
struct DetailSectionRoot {
    QString key;
    QString caption;
    QStringList leaves;
};

// The seven roots in kind order.
std::vector<DetailSectionRoot> DetailSectionRoots();

// The roots of the export tree: one per kind whose object list (seven lists in
// kind order, missing ones count as empty) is not blank once stripped of blanks.
std::vector<DetailSectionRoot> ExportTreeRoots(const QStringList& kindLists);

// One node of a detail-section tree as the rule sees it.
struct DetailSectionNode {
    QString caption;       // the node's text
    QString parentCaption; // its parent's text ("" for a root)
    bool hasChildren = false;
    bool checked = false;
};

// Clears all 24 switches, then gives each switch the checked state of its leaf:
// a childless node whose stripped text is the leaf caption and whose parent's text
// is exactly the root caption (case-sensitive). Switches without a leaf stay false.
void SetDetailSectionFlags(const std::vector<DetailSectionNode>& nodes);

} // namespace bkl::reports
