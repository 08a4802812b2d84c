#pragma once
// A detail-section tree with check boxes (the export dialog's tvExport, the
// compare window's tree of the same shape): filling it from the catalogue's
// roots, carrying a root's check down to its leaves, and reading it into the
// 24 DetailSectionFlags.
#include "reports/DetailSectionRule.h"

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace bkl::reports {

// Empties the tree and adds each root (its key kept as the item's Qt::UserRole
// data) with its leaves; every node ends checked and every root expanded. Raises
// no itemChanged signal.
void FillDetailSectionTree(QTreeWidget* tree, const std::vector<DetailSectionRoot>& roots);

// Gives each direct child of `node` the node's check state (one level down,
// never up). Raises no itemChanged signal. A node without children is left alone.
void CarryCheckToChildren(QTreeWidgetItem* node);

// The tree's nodes in order of addition, as the flags rule reads them.
std::vector<DetailSectionNode> DetailSectionNodesOf(const QTreeWidget* tree);

// Sets all 24 switches from the tree's checked leaves (SetDetailSectionFlags).
void SetExportAttributeFlags(const QTreeWidget* tree);

} // namespace bkl::reports
