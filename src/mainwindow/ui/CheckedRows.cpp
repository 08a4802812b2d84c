#include "mainwindow/ui/CheckedRows.h"

#include "platform/core/TimeSlice.h"
#include "platform/ui/RunGuard.h"
#include "platform/ui/SortHold.h"

#include <QPointer>
#include <QScopeGuard>
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

bool SetCheckMarks(QTreeWidget* list, const std::function<bool(bool checked)>& mark)
{
    static bool marking = false;
    if (marking)
        return false;
    marking = true;
    const auto done = qScopeGuard([] { marking = false; });
    // Nothing that would clear the list or close its window starts while the loop turns.
    RunGuard busy;
    QPointer<QTreeWidget> alive(list);
    SortHold sorting(list);
    TimeSlice slice;
    for (int i = 0; alive && i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = list->topLevelItem(i);
        row->setCheckState(0, mark(row->checkState(0) == Qt::Checked) ? Qt::Checked : Qt::Unchecked);
        slice.tick();
    }
    return true;
}

} // namespace bkl
