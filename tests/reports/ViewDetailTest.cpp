#include "reports/DetailSectionFlags.h"
#include "reports/ViewDetail.h"

#include "ReportTestSupport.h"

using ViewDetail = ReportTest;

TEST_F(ViewDetail, RegionSalesViewHtmlAndText)
{
    EXPECT_EQ(GetViewDetails(source(), u" RegionSalesView "_s),
              Html("<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='80%'  cellspacing='0' "
                   "cellpadding='0'><tr><td width='20%' ><b>{F}Column(s)</font></b></td><td width='80%' ><b>{F}"
                   "<table border='0' width='100%'><tr><td > {f}&nbsp;Region Sales.RegionCode </font></td></tr>"
                   "<tr><td > {f}&nbsp;Region Sales.Value </font></td></tr><tr><td > {f}&nbsp;Total Sales.Value </font></td></tr>"
                   "</table></font></b></td></tr><tr><td width='20%' ><b>{F}Dependent Object(s)</font></b></td>"
                   "<td width='80%' ><b>{F}<table border='0' width='100%'><tr><td > {f}&nbsp;Region Sales</font></td></tr>"
                   "<tr><td > {f}&nbsp;Total Sales</font></td></tr></table></font></b></td></tr></table>"));
    const QString heading = Rule() + "View: RegionSalesView\r\n";
    EXPECT_EQ(ExportViewDetails(source(), u"RegionSalesView"_s),
              heading + "Column(s):\r\n\tRegion Sales.RegionCode \r\n\tRegion Sales.Value \r\n\tTotal Sales.Value \r\n"
                        "Dependent Object(s):\r\n\tRegion Sales\r\n\tTotal Sales\r\n\r\n");
    g_bViewColumns = false;
    EXPECT_EQ(ExportViewDetails(source(), u"RegionSalesView"_s),
              heading + "Dependent Object(s):\r\n\tRegion Sales\r\n\tTotal Sales\r\n\r\n");
    g_bViewDependentObjects = false;
    EXPECT_EQ(ExportViewDetails(source(), u"RegionSalesView"_s), heading + "\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(ViewDetail, BlankUnknownAndMarkedUpViews)
{
    EXPECT_EQ(GetViewDetails(source(), u"  "_s), "* No Details Available *");
    EXPECT_EQ(ExportViewDetails(source(), QString()), "* No Details Available *\r\n");
    // An unknown view: both lists empty, no error.
    EXPECT_EQ(GetViewDetails(source(), u"NoSuchView"_s).count(u"<table border='0' width='100%'></table>"_s), 2);
    EXPECT_EQ(ExportViewDetails(source(), u"NoSuchView"_s),
              Rule() + "View: NoSuchView\r\nColumn(s):\r\nDependent Object(s):\r\n\r\n");
    // A quote in the name is doubled, markup escaped in HTML only.
    EXPECT_EQ(ReturnViewFields(edge(), u" O'Brien View "_s),
              Html("<table border='0' width='100%'><tr><td > {f}&nbsp;Rate &lt;Tier&gt; &amp; Bonus.Value </font></td></tr></table>"));
    EXPECT_EQ(ReturnAllCalculationsForView(edge(), u"O'Brien View"_s),
              Html("<table border='0' width='100%'><tr><td > {f}&nbsp;Rate &lt;Tier&gt; &amp; Bonus</font></td></tr></table>"));
    EXPECT_EQ(ExportViewFields(edge(), u"O'Brien View"_s), "\tRate <Tier> & Bonus.Value \r\n");
    EXPECT_EQ(ExportAllCalculationsForView(edge(), u"O'Brien View"_s), "\tRate <Tier> & Bonus\r\n");
    // A column named "Dotted.Name Calc.Value": the calculation is the part before the first ".".
    EXPECT_EQ(ExportAllCalculationsForView(edge(), u"Dotted View"_s), "\tDotted\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(ViewDetail, ColumnWithoutDotFailsOnlyTheDependentObjects)
{
    const QString html = GetViewDetails(edge(), u"Edge View"_s);
    EXPECT_TRUE(html.contains(Html("<table border='0' width='100%'><tr><td > {f}&nbsp;Base Amount.Value </font></td></tr>"
                                   "<tr><td > {f}&nbsp;NoDotColumn </font></td></tr>"
                                   "<tr><td > {f}&nbsp;O&#39;Brien Commission.Value </font></td></tr></table>")));
    EXPECT_TRUE(html.endsWith(Html("<tr><td width='20%' ><b>{F}Dependent Object(s)</font></b></td><td width='80%' ><b>{F}"
                                   "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table></font></b></td></tr></table>")));
    EXPECT_EQ(ExportViewDetails(edge(), u"Edge View"_s),
              Rule() + "View: Edge View\r\nColumn(s):\r\n\tBase Amount.Value \r\n\tNoDotColumn \r\n"
                       "\tO'Brien Commission.Value \r\nDependent Object(s):\r\n\r\n");
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith("Function: ReturnAllCalculationsForView() --> Code: "));
    EXPECT_TRUE(log[1].startsWith("Function: ExportAllCalculationsForView() --> Code: "));
}
