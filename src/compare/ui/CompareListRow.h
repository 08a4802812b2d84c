#pragma once
// Rows of the compare window's two lists and the colours its statuses and
// labels are shown in.
#include "compare/CompareStatus.h"

#include <QTreeWidgetItem>

class QLabel;

namespace bkl::compare {

// A row of the source or compare list; rows sort by the clicked column's text
// without regard to letter case, as the list control does.
class CompareListRow final : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override;
};

// The colour of a Windows colour value.
QColor WindowsColour(unsigned colour);

// Sets the STATUS text of a compare row and its text colour.
void SetRowStatus(QTreeWidgetItem* row, const CompareStatus& status);

// Sets a label's text colour (a Windows colour value).
void SetLabelColour(QLabel* label, unsigned colour);

} // namespace bkl::compare
