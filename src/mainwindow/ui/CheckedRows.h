#pragma once
// The checked rows of an object list, in row order, as the hand-offs to the
// preview, the export dialog and the compare window read them.
#include "mainwindow/CheckedObjects.h"

#include <vector>

class QTreeWidget;

namespace bkl {

// Name (column 0) and type (column 1) of every checked row, as shown.
std::vector<mainwindow::ObjectRowTexts> CheckedRowTexts(const QTreeWidget* list);

} // namespace bkl
