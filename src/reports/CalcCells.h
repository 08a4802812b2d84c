#pragma once
// The list-table cells the calculation sections share: the narrow spacer and the
// wide text cell that stand side by side (without a row of their own under the
// "Join Type" headings and in the restrictions), and the two-column heading.
#include <QString>

namespace bkl::reports {

// "<td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
QString CalcSpacerCell();
// "<td width='99%'> <font face='Calibri' size='2'>" text "</font></td>"
QString CalcTextCell(const QString& text);
// "<tr><td colspan='2'> <font face='Calibri' size='2'>&nbsp;<u>" heading "</u></font></td></tr>"
QString CalcHeadingRow(const QString& heading);
// "<td width='" width "'> <font face='Calibri' size='2'>" text "</font></td>"
QString CalcWidthCell(const QString& width, const QString& text);

} // namespace bkl::reports
