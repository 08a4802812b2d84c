#include "mainwindow/ui/CheckedRows.h"

#include <QTreeWidget>

namespace bkl {

std::vector<mainwindow::ObjectRowTexts> CheckedRowTexts(const QTreeWidget* list)
{
    std::vector<mainwindow::ObjectRowTexts> rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            rows.push_back({row->text(0), row->text(1)});
    }
    return rows;
}

} // namespace bkl
