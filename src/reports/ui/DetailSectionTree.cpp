#include "reports/ui/DetailSectionTree.h"

#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace bkl::reports {

void FillDetailSectionTree(QTreeWidget* tree, const std::vector<DetailSectionRoot>& roots)
{
    const QSignalBlocker quiet(tree);
    tree->clear();
    for (const DetailSectionRoot& root : roots) {
        auto* rootItem = new QTreeWidgetItem(tree, QStringList{root.caption});
        rootItem->setData(0, Qt::UserRole, root.key);
        rootItem->setFlags(rootItem->flags() | Qt::ItemIsUserCheckable);
        rootItem->setCheckState(0, Qt::Checked);
        for (const QString& leaf : root.leaves) {
            auto* leafItem = new QTreeWidgetItem(rootItem, QStringList{leaf});
            leafItem->setFlags(leafItem->flags() | Qt::ItemIsUserCheckable);
            leafItem->setCheckState(0, Qt::Checked);
        }
        rootItem->setExpanded(true);
    }
}

void CarryCheckToChildren(QTreeWidgetItem* node)
{
    if (!node || node->childCount() == 0)
        return;
    const QSignalBlocker quiet(node->treeWidget());
    for (int i = 0; i < node->childCount(); ++i)
        node->child(i)->setCheckState(0, node->checkState(0));
}

std::vector<DetailSectionNode> DetailSectionNodesOf(const QTreeWidget* tree)
{
    std::vector<DetailSectionNode> nodes;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        const QTreeWidgetItem* item = *it;
        nodes.push_back({item->text(0), item->parent() ? item->parent()->text(0) : QString(), item->childCount() > 0,
                         item->checkState(0) == Qt::Checked});
    }
    return nodes;
}

void SetExportAttributeFlags(const QTreeWidget* tree) { SetDetailSectionFlags(DetailSectionNodesOf(tree)); }

} // namespace bkl::reports
