#include "compare/SectionCells.h"

namespace bkl::compare::cells {

namespace {
const QString kPlain = QStringLiteral("<td width='45%' ><font  face='");
const QString kTop = QStringLiteral("<td width='45%' valign='top' ><font  face='");
const QString kTopTight = QStringLiteral("<td width='45%' valign='top'><font  face='");
const QString kTopRedMark =
    QStringLiteral("<td width='45%' valign='top' bgcolor = '#FF8040'><font  color = '#FF0000' face='");
} // namespace

const CellOpenings& TableType()
{
    static const CellOpenings c{kPlain, kPlain,
                                QStringLiteral("<td width='45%' bgcolor = '#FF8040'><font  color = '#FF0000' face='")};
    return c;
}

const CellOpenings& RecordCount()
{
    static const CellOpenings c{kPlain, QStringLiteral("<td width='45%' ><font face='"),
                                QStringLiteral("<td width='45%' bgcolor = '#FF8040'><font face='")};
    return c;
}

const CellOpenings& TopAlignedWhite()
{
    static const CellOpenings c{
        kTop, kTop, QStringLiteral("<td width='45%' valign='top' bgcolor = '#FF8040'><font color = '#FFFFFF' face='")};
    return c;
}

const CellOpenings& TopAlignedRed()
{
    static const CellOpenings c{kTopTight, kTopTight, kTopRedMark};
    return c;
}

const CellOpenings& ViewDependentObjects()
{
    static const CellOpenings c{kTopTight, kTop, kTopRedMark};
    return c;
}

const CellOpenings& CalculationPlain()
{
    static const CellOpenings c{kPlain, kPlain,
                                QStringLiteral("<td width='45%' bgcolor = '#FF8040'><font  color = '#FFFFFF' face='")};
    return c;
}

const CellOpenings& PresentorReport()
{
    static const CellOpenings c{
        kTop, kTop, QStringLiteral("<td width='45%' valign='top' bgcolor = '#FF8040'><font color = '#000000' face='")};
    return c;
}

} // namespace bkl::compare::cells
