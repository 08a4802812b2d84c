#pragma once
// Reading the object list's checked rows, for the preview and the export hand-off.
#include "mainwindow/CheckedObjects.h"

#include <vector>

class QTreeWidget;

namespace bkl {

// The item and type texts of the list's checked rows, in row order, as they stand.
std::vector<mainwindow::ObjectRowTexts> CheckedObjectRows(const QTreeWidget* list);

} // namespace bkl
