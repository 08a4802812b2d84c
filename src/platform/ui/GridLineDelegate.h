#pragma once
// Grid lines of a list view: a thin line along the right and bottom edge of
// every cell, painted over the cell's normal look. A selected row keeps its
// highlight and its text, which a style sheet on the items would lose.
#include <QStyledItemDelegate>

class QAbstractItemView;

namespace bkl {

class GridLineDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // One pixel more each way than the plain cell: room for the lines.
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // The colour of the lines.
    static QColor lineColour();
};

// Draws the list's grid lines (`on`) or leaves its cells plain.
void SetGridLines(QAbstractItemView* list, bool on);

} // namespace bkl
