#include "compare/ui/CompareListRow.h"

#include <QLabel>
#include <QTreeWidget>

namespace bkl::compare {

bool CompareListRow::operator<(const QTreeWidgetItem& other) const
{
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    return text(column).compare(other.text(column), Qt::CaseInsensitive) < 0;
}

QColor WindowsColour(unsigned colour)
{
    return QColor(ColourRed(colour), ColourGreen(colour), ColourBlue(colour));
}

void SetRowStatus(QTreeWidgetItem* row, const CompareStatus& status)
{
    row->setText(2, status.text);
    row->setForeground(2, WindowsColour(status.colour));
}

void SetLabelColour(QLabel* label, unsigned colour)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, WindowsColour(colour));
    label->setPalette(palette);
}

} // namespace bkl::compare
