#include "ReportTestSupport.h"

#include "reports/DetailSectionFlags.h"
#include "reports/ViewDetail.h"

using namespace bkl::reports;
using bkl::test::LogMessages;

namespace {
class ViewDetail : public bkl::test::ReportTest {};

const QString kSeparator = QString(100, QLatin1Char('-')) + QStringLiteral("\r\n");
const QString kTableOpen = QStringLiteral(
    "<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' cellpadding='0'>");
} // namespace

TEST_F(ViewDetail, RegionSalesViewHtmlAndText)
{
    EXPECT_EQ(GetViewDetails(source(), QStringLiteral(" RegionSalesView ")),
              kTableOpen
                  + QStringLiteral(
                      "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Column(s)</font></b></td>"
                      "<td width='80%' ><b><font  face='Calibri' size='2'><table border='0' width='100%'>"
                      "<tr><td > <font face='Calibri' size='2'>&nbsp;Region Sales.RegionCode </font></td></tr>"
                      "<tr><td > <font face='Calibri' size='2'>&nbsp;Region Sales.Value </font></td></tr>"
                      "<tr><td > <font face='Calibri' size='2'>&nbsp;Total Sales.Value </font></td></tr>"
                      "</table></font></b></td></tr>"
                      "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Dependent Object(s)</font></b></td>"
                      "<td width='80%' ><b><font  face='Calibri' size='2'><table border='0' width='100%'>"
                      "<tr><td > <font face='Calibri' size='2'>&nbsp;Region Sales</font></td></tr>"
                      "<tr><td > <font face='Calibri' size='2'>&nbsp;Total Sales</font></td></tr>"
                      "</table></font></b></td></tr></table>"));
    EXPECT_EQ(ExportViewDetails(source(), QStringLiteral("RegionSalesView")),
              kSeparator
                  + QStringLiteral("View: RegionSalesView\r\n"
                                   "Column(s):\r\n"
                                   "\tRegion Sales.RegionCode \r\n"
                                   "\tRegion Sales.Value \r\n"
                                   "\tTotal Sales.Value \r\n"
                                   "Dependent Object(s):\r\n"
                                   "\tRegion Sales\r\n"
                                   "\tTotal Sales\r\n"
                                   "\r\n"));
    g_bViewColumns = false;
    EXPECT_EQ(ExportViewDetails(source(), QStringLiteral("RegionSalesView")),
              kSeparator + QStringLiteral("View: RegionSalesView\r\nDependent Object(s):\r\n\tRegion Sales\r\n\tTotal Sales\r\n\r\n"));
    g_bViewDependentObjects = false;
    EXPECT_EQ(ExportViewDetails(source(), QStringLiteral("RegionSalesView")),
              kSeparator + QStringLiteral("View: RegionSalesView\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(ViewDetail, BlankAndUnknownViews)
{
    EXPECT_EQ(GetViewDetails(source(), QStringLiteral("  ")), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(ExportViewDetails(source(), QString()), QStringLiteral("* No Details Available *\r\n"));
    // An unknown view: both lists empty, no error.
    EXPECT_EQ(GetViewDetails(source(), QStringLiteral("NoSuchView"))
                  .count(QStringLiteral("<table border='0' width='100%'></table>")),
              2);
    EXPECT_EQ(ExportViewDetails(source(), QStringLiteral("NoSuchView")),
              kSeparator + QStringLiteral("View: NoSuchView\r\nColumn(s):\r\nDependent Object(s):\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(ViewDetail, ColumnWithoutDotFailsOnlyTheDependentObjects)
{
    const QString html = GetViewDetails(edge(), QStringLiteral("Edge View"));
    EXPECT_TRUE(html.contains(QStringLiteral(
        "<table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;Base Amount.Value </font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;NoDotColumn </font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;O&#39;Brien Commission.Value </font></td></tr></table>")));
    EXPECT_TRUE(html.endsWith(QStringLiteral(
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Dependent Object(s)</font></b></td>"
        "<td width='80%' ><b><font  face='Calibri' size='2'><table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>"
        "</font></b></td></tr></table>")));
    EXPECT_EQ(ExportViewDetails(edge(), QStringLiteral("Edge View")),
              kSeparator
                  + QStringLiteral("View: Edge View\r\nColumn(s):\r\n\tBase Amount.Value \r\n\tNoDotColumn \r\n"
                                   "\tO'Brien Commission.Value \r\nDependent Object(s):\r\n\r\n"));
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Function: ReturnAllCalculationsForView() --> Code: ")));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("Function: ExportAllCalculationsForView() --> Code: ")));
}

TEST_F(ViewDetail, NamesWithQuoteAndMarkup)
{
    EXPECT_EQ(ReturnViewFields(edge(), QStringLiteral(" O'Brien View ")),
              QStringLiteral("<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;"
                             "Rate &lt;Tier&gt; &amp; Bonus.Value </font></td></tr></table>"));
    EXPECT_EQ(ReturnAllCalculationsForView(edge(), QStringLiteral("O'Brien View")),
              QStringLiteral("<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;"
                             "Rate &lt;Tier&gt; &amp; Bonus</font></td></tr></table>"));
    EXPECT_EQ(ExportViewFields(edge(), QStringLiteral("O'Brien View")), QStringLiteral("\tRate <Tier> & Bonus.Value \r\n"));
    EXPECT_EQ(ExportAllCalculationsForView(edge(), QStringLiteral("O'Brien View")), QStringLiteral("\tRate <Tier> & Bonus\r\n"));
    // A column named "Dotted.Name Calc.Value": the calculation is the part before the first ".".
    EXPECT_EQ(ExportAllCalculationsForView(edge(), QStringLiteral("Dotted View")), QStringLiteral("\tDotted\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}
