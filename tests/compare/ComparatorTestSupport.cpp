#include "ComparatorTestSupport.h"

namespace bkl::comparetest {

compare::CompareSides ComparatorTest::sides()
{
    return {source(), target(), QStringLiteral("SalesModel2026@demo"), QStringLiteral("SalesModel2026_Target@demo")};
}

compare::CompareSides ComparatorTest::edgeSides()
{
    return {edge(), edge(), QStringLiteral("EdgeCaseModel@demo"), QStringLiteral("EdgeCaseModel@demo")};
}

QStringList MarkedSections(const QString& page)
{
    // Each section row starts with its label cell; the target cell of a differing
    // section is the only place of the orange marker before the next label.
    QStringList labels;
    const QStringList rows = page.split(QStringLiteral("<tr><td width='10%' ><b><font  face='Calibri' size='2'>"));
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows.at(i).contains(QStringLiteral("bgcolor = '#FF8040'><font")))
            labels.append(rows.at(i).left(rows.at(i).indexOf(QStringLiteral("</font></b></td>"))));
    }
    return labels;
}

} // namespace bkl::comparetest
