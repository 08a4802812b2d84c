#include "platform/ui/ListBatch.h"

namespace bkl {

QTreeWidgetItem* ListBatch::flush()
{
    if (rows_.isEmpty())
        return nullptr;
    if (!list_) { // the list has gone with its window: the rows have nowhere to go
        qDeleteAll(rows_);
        rows_.clear();
        return nullptr;
    }
    QTreeWidgetItem* last = rows_.last();
    if (list_->isSortingEnabled()) {
        // A sorting list inserts a batch backwards (each row at the old end), so
        // rows with equal keys would come out in reverse: add them one by one.
        for (QTreeWidgetItem* row : std::as_const(rows_))
            list_->addTopLevelItem(row);
    } else {
        list_->addTopLevelItems(rows_);
    }
    rows_.clear();
    return last;
}

} // namespace bkl
