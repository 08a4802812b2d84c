// The comparison page builder without a model: exact comparison of the two
// texts, the marked target cell and the status digit.
#include "compare/ComparisonPage.h"
#include "compare/SectionCells.h"

#include <gtest/gtest.h>

using namespace bkl::compare;

namespace {
const bkl::db::Connection kNone;
const CompareSides kSides{kNone, kNone, QStringLiteral("S@h"), QStringLiteral("T@h")};

QString statusAfter(const QString& source, const QString& target)
{
    ComparisonPage page(QStringLiteral("Table Name: "), QStringLiteral("X"), kSides);
    page.startSections();
    page.addSection(QStringLiteral("Table Type:"), cells::TableType(), source, target);
    return page.finish().left(1);
}
} // namespace

TEST(ComparatorPageBuilder, TextsAreComparedExactly)
{
    EXPECT_EQ(statusAfter(QStringLiteral("Data"), QStringLiteral("Data")), QStringLiteral("1"));
    EXPECT_EQ(statusAfter(QStringLiteral("Data"), QStringLiteral("data")), QStringLiteral("0"));
    EXPECT_EQ(statusAfter(QStringLiteral("Data"), QStringLiteral("Data ")), QStringLiteral("0"));
    EXPECT_EQ(statusAfter(QStringLiteral("&nbsp;"), QStringLiteral("&nbsp;")), QStringLiteral("1"));

    // One differing section makes the page a mismatch; only its target cell is marked.
    ComparisonPage page(QStringLiteral("Calculation: "), QStringLiteral("A<B>"), kSides);
    page.startSections();
    page.addSection(QStringLiteral("Type:"), cells::CalculationPlain(), QStringLiteral("1"), QStringLiteral("2"));
    page.addSection(QStringLiteral("Folder:"), cells::TopAlignedWhite(), QStringLiteral("f"), QStringLiteral("f"));
    EXPECT_EQ(page.finish(),
              QStringLiteral(
                  "0<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  "
                  "cellspacing='0' cellpadding='0'>"
                  "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Calculation: A&lt;B&gt;</font></b></td></tr>"
                  "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: S@h</font></b></td></tr>"
                  "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Target Model: T@h</font></b></td></tr>"
                  "<tr><td width='10%' ><b><font  face='Calibri' size='2'>&nbsp;</font></b></td>"
                  "<td width='45%' ><b><font  face='Calibri' size='2'>SOURCE</font></b></td>"
                  "<td width='45%' ><b><font  face='Calibri' size='2'>TARGET</font></b></td></tr>"
                  "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Type:</font></b></td>"
                  "<td width='45%' ><font  face='Calibri' size='2'>1</font></td>"
                  "<td width='45%' bgcolor = '#FF8040'><font  color = '#FFFFFF' face='Calibri' size='2'>2</font></td></tr>"
                  "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Folder:</font></b></td>"
                  "<td width='45%' valign='top' ><font  face='Calibri' size='2'>f</font></td>"
                  "<td width='45%' valign='top' ><font  face='Calibri' size='2'>f</font></td></tr></table>"));

    // No section: identical.
    ComparisonPage empty(QStringLiteral("View Name: "), QStringLiteral("V"), kSides);
    EXPECT_EQ(empty.finish().left(1), QStringLiteral("1"));
}

TEST(ComparatorPageBuilder, RowsTheReportsShareToo)
{
    EXPECT_EQ(TitleRow(QStringLiteral("Source Model: M@h")),
              QStringLiteral("<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: M@h</font></b></td></tr>"));
    EXPECT_EQ(NotExistsRow(QStringLiteral("Presentor Report")),
              QStringLiteral("<tr><td Colspan='3' bgcolor = '#FF8040'><b><font  face='Calibri' size='2'>** Presentor "
                             "Report Not exists in target model **</font></b></td></tr>"));
    EXPECT_EQ(ValueCellWith(cells::RecordCount().equal, QStringLiteral("1,234")),
              QStringLiteral("<td width='45%' ><font face='Calibri' size='2'>1,234</font></td>"));
}
