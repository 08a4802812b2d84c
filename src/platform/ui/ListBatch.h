#pragma once
// The rows a long run gathers between two turns of the event loop, put into a
// list in one insertion when its time slice flushes, instead of one insertion
// (and one relayout of the list) per row. Rows still gathered when the batch
// ends, because the run failed for instance, are put in too: a run keeps the
// rows it has read.
//
//   ListBatch rows(list);
//   TimeSlice slice([&rows] { rows.flush(); });
//   for (...) { rows.add(new QTreeWidgetItem(...)); slice.tick(); }
//   slice.pumpNow();
#include <QList>
#include <QPointer>
#include <QTreeWidget>

namespace bkl {

class ListBatch {
public:
    explicit ListBatch(QTreeWidget* list) : list_(list) {}
    ~ListBatch() { flush(); }
    ListBatch(const ListBatch&) = delete;
    ListBatch& operator=(const ListBatch&) = delete;

    void add(QTreeWidgetItem* row) { rows_.append(row); }
    // Appends the gathered rows to the list; a list that sorts itself places
    // them by its sorting, as it places rows added one by one (a run that fills
    // a list the user may have sorted holds its sorting with a SortHold, so
    // that each batch goes in whole). Returns the last row put in (to scroll to
    // it), nullptr when there was none.
    QTreeWidgetItem* flush();

private:
    QPointer<QTreeWidget> list_;
    QList<QTreeWidgetItem*> rows_;
};

} // namespace bkl
