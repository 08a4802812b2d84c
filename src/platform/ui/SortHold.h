#pragma once
// A list that keeps itself sorted finds the place of each row put into it, and
// checks the place of a row again on each change of it, a check mark included,
// moving the list's whole row table each time: tens of thousands of rows added
// or marked one by one take seconds. While a hold lasts, the list does not sort
// itself; its header still takes clicks and shows its sort. When the hold ends,
// the list is sorted once, by the header's sort column and order (rows of equal
// text stay in the order they came), and keeps itself sorted again. A header
// click during the hold names the sort that its end applies (sortBy).
//
//   { SortHold sorting(list); ...add or mark rows, turning the event loop...; } // sorted here
#include <QPointer>
#include <QTreeWidget>

namespace bkl {

class SortHold {
public:
    explicit SortHold(QTreeWidget* list);
    ~SortHold();
    SortHold(const SortHold&) = delete;
    SortHold& operator=(const SortHold&) = delete;

    // The hold on a list, nullptr when it has none. A second hold on a list that has one does nothing.
    static SortHold* of(const QTreeWidget* list);

    // The list sorts itself by `column` in `order` from the end of the hold on; its header shows it now.
    void sortBy(int column, Qt::SortOrder order);

private:
    QPointer<QTreeWidget> list_;
    bool holding_ = false;
    bool sortAtEnd_ = false;
};

} // namespace bkl
