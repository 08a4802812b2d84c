#include "platform/ui/GridLineDelegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace bkl {

QColor GridLineDelegate::lineColour() { return QColor(0xd4, 0xd4, 0xd4); }

QSize GridLineDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    return QStyledItemDelegate::sizeHint(option, index) + QSize(1, 1);
}

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    // The cell's own look inside the lines, so the lines never cover its text (an underscore, a descender).
    QStyleOptionViewItem inner(option);
    inner.rect.adjust(0, 0, -1, -1);
    QStyledItemDelegate::paint(painter, inner, index);
    const QRect r = option.rect;
    painter->save();
    painter->setPen(lineColour());
    painter->drawLine(r.topRight(), r.bottomRight());
    painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}

void SetGridLines(QAbstractItemView* list, bool on)
{
    const bool hasLines = qobject_cast<GridLineDelegate*>(list->itemDelegate()) != nullptr;
    if (on == hasLines)
        return;
    QAbstractItemDelegate* old = list->itemDelegate();
    list->setItemDelegate(on ? static_cast<QAbstractItemDelegate*>(new GridLineDelegate(list))
                             : new QStyledItemDelegate(list));
    if (old && old->parent() == list)
        old->deleteLater();
}

} // namespace bkl
