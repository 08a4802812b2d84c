#include "reports/CalcCells.h"

#include "reports/Fragments.h"

namespace bkl::reports {

QString CalcWidthCell(const QString& width, const QString& text)
{
    return QStringLiteral("<td width='") + width + QStringLiteral("'> ") + ListFontOpen() + text
        + QStringLiteral("</font></td>");
}

QString CalcSpacerCell() { return CalcWidthCell(QStringLiteral("1%"), QLatin1String(kNbsp)); }

QString CalcTextCell(const QString& text) { return CalcWidthCell(QStringLiteral("99%"), text); }

QString CalcHeadingRow(const QString& heading)
{
    return Row(QStringLiteral("<td colspan='2'> ") + ListFontOpen() + QLatin1String(kNbsp) + QStringLiteral("<u>")
               + heading + QStringLiteral("</u></font></td>"));
}

} // namespace bkl::reports
