#pragma once
// The checked rows of an object list, in row order, as the hand-offs to the
// preview, the export dialog and the compare window read them, and the check
// marks of a whole list set at once.
#include "mainwindow/CheckedObjects.h"

#include <functional>
#include <vector>

class QTreeWidget;

namespace bkl {

// Name (column 0) and type (column 1) of every checked row, as shown.
std::vector<mainwindow::ObjectRowTexts> CheckedRowTexts(const QTreeWidget* list);

// Sets the check mark of every row to `mark(checked now)`, one row at a time as
// a click does, so the list reports each change. A list that sorts itself is
// held from sorting until the last row is marked (SortHold), and the event loop
// turns on its time slice meanwhile, with the run guard up. Returns false,
// changing nothing, while an earlier call is still marking rows.
bool SetCheckMarks(QTreeWidget* list, const std::function<bool(bool checked)>& mark);

} // namespace bkl
