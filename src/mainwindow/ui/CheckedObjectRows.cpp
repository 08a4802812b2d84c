#include "mainwindow/ui/CheckedObjectRows.h"

#include <QTreeWidget>

namespace bkl {

std::vector<mainwindow::ObjectRowTexts> CheckedObjectRows(const QTreeWidget* list)
{
    std::vector<mainwindow::ObjectRowTexts> rows;
    const int count = list->topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        const QTreeWidgetItem* row = list->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            rows.push_back({row->text(0), row->text(1)});
    }
    return rows;
}

} // namespace bkl
