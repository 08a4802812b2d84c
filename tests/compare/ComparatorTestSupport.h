#pragma once
// Shared helpers of the comparator tests: the demo source, target and edge-case
// models (opened once per suite), the comparison's two sides with fixed captions,
// the ERROR lines the comparators log, and the marked sections of a page.
#include "compare/CompareObject.h"
#include "support/DemoModel.h"
#include "support/LogReader.h"

namespace bkl::comparetest {

using test::ClearLog;
using test::SetAllSectionFlags;

// Messages of the ERROR lines written since the last ClearLog, and their starts up to "Code: ".
inline QStringList ErrorMessages() { return test::LogMessages(); }
inline QStringList ErrorStarts()
{
    QStringList starts;
    for (const QString& m : ErrorMessages())
        starts << m.left(m.indexOf(QStringLiteral("Code: ")) + 6);
    return starts;
}
// "Function: <name>() --> Code: " for each name.
inline QStringList Errors(const QStringList& functions)
{
    QStringList starts;
    for (const QString& f : functions)
        starts << QStringLiteral("Function: ") + f + QStringLiteral("() --> Code: ");
    return starts;
}

// Fixture: the three models opened once, an empty log and every section on before each test.
class ComparatorTest : public test::DemoModelTest {
protected:
    // Source against target, captioned "SalesModel2026@demo" and "SalesModel2026_Target@demo".
    static bkl::compare::CompareSides sides()
    {
        return {source(), target(), QStringLiteral("SalesModel2026@demo"), QStringLiteral("SalesModel2026_Target@demo")};
    }
    // The edge-case model against itself.
    static bkl::compare::CompareSides edgeSides()
    {
        return {edge(), edge(), QStringLiteral("EdgeCaseModel@demo"), QStringLiteral("EdgeCaseModel@demo")};
    }
    static QString Compare(const QString& name, const QString& kind, const bkl::compare::CompareSides& on = sides())
    {
        return bkl::compare::CompareObject(on, name, kind);
    }
    // The status digit that starts a result.
    static QString Status(const QString& name, const QString& kind, const bkl::compare::CompareSides& on = sides())
    {
        return Compare(name, kind, on).left(1);
    }
};

// Labels of the section rows whose target cell is marked as differing, in page
// order (e.g. {"Columns:"}): the orange marker is only in a differing target cell.
inline QStringList MarkedSections(const QString& result)
{
    QStringList labels;
    const QStringList rows = result.split(QStringLiteral("<tr><td width='10%' ><b><font  face='Calibri' size='2'>"));
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (rows.at(i).contains(QStringLiteral("bgcolor = '#FF8040'><font")))
            labels << rows.at(i).left(rows.at(i).indexOf(QStringLiteral("</font></b></td>")));
    return labels;
}

} // namespace bkl::comparetest
