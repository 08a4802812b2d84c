#include "reports/DetailSectionFlags.h"
#include "reports/PresentorReportDetail.h"

#include "ReportTestSupport.h"

using PresentorReportDetail = ReportTest;

namespace {

// Text rows of the sources table: a tab, then each field in 50 columns.
QString Rows(std::initializer_list<std::pair<const char*, const char*>> rows)
{
    QString text;
    for (const auto& [source, type] : rows)
        text += "\r\n\t" + QString::fromUtf8(source).leftJustified(50) + QString::fromUtf8(type).leftJustified(50);
    return text;
}
} // namespace

TEST_F(PresentorReportDetail, QuotaTrackerHtmlAndText)
{
    EXPECT_EQ(GetPresentorReportDetails(source(), u" Quota Tracker "_s),
              Html("<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
                   "<tr><td width='20%' ><b>{F}Source Dependencies</font></b></td><td width='80%'>{F}"
                   "<table border='0' width='80%'><tr><td width='70%' ><b>{F}Source</font></b></td>"
                   "<td width='30%' ><b>{F}Type</font></b></td></tr><tr><td width='70%' >{F}Attainment Rank</font></td>"
                   "<td width='30%' >{F}Calculation</font></td></tr><tr><td width='70%' >{F}Quota Attainment</font></td>"
                   "<td width='30%' >{F}Calculation</font></td></tr><tr><td width='70%' >{F}QuotaTargets</font></td>"
                   "<td width='30%' >{F}Table</font></td></tr></table>&nbsp;</font></td></tr>"
                   "<tr><td width='20%' ><b>{F}Linked Report(s)</font></b></td>"
                   "<td width='80%'>{F}Payee Statement<br>&nbsp;</font></td></tr></table>"));
    const QString heading = Rule() + "Presentor Report: Quota Tracker\r\n\r\n";
    EXPECT_EQ(ExportPresentorReportDetails(source(), u"Quota Tracker"_s),
              heading + "Source Dependencies: "
                  + Rows({{"Source", "Type"}, {"Attainment Rank", "Calculation"}, {"Quota Attainment", "Calculation"},
                          {"QuotaTargets", "Table"}})
                  + "\r\n\r\n\r\nLinked Report(s): \r\n\tPayee Statement\r\n\r\n");
    SetAllSectionFlags(false);
    EXPECT_EQ(ExportPresentorReportDetails(source(), u"Quota Tracker"_s), heading);
    g_bPresentorLinkedReports = true;
    EXPECT_EQ(ExportPresentorReportDetails(source(), u"Quota Tracker"_s),
              heading + "Linked Report(s): \r\n\tPayee Statement\r\n\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(PresentorReportDetail, SourcesLinksAndBlankNames)
{
    // A table named twice is listed once; linked reports come sorted by name.
    EXPECT_EQ(ReturnPresentorReportLinkedReports(source(), u"Sales Dashboard"_s), "Payee Statement<br>Region Summary<br>");
    EXPECT_EQ(ExportPresentorReportLinkedReports(source(), u"Sales Dashboard"_s), "\r\n\tPayee Statement\r\n\tRegion Summary");
    EXPECT_EQ(ExportPresentorReportSourceDependency(source(), u"Sales Dashboard"_s).count(u"SalesTransactions"_s), 1);
    EXPECT_EQ(ReturnPresentorReportLinkedReports(source(), u"Region Summary"_s), "* None *");
    EXPECT_EQ(ExportPresentorReportLinkedReports(source(), u"Region Summary"_s), "* None *");
    // Unknown report: heading-only sources and no links.
    EXPECT_EQ(ReturnPresentorReportSourceDependency(source(), u"Nope"_s),
              Html("<table border='0' width='80%'><tr><td width='70%' ><b>{F}Source</font></b></td>"
                   "<td width='30%' ><b>{F}Type</font></b></td></tr></table>"));
    EXPECT_EQ(ExportPresentorReportDetails(source(), u"Nope"_s),
              Rule() + "Presentor Report: Nope\r\n\r\nSource Dependencies: " + Rows({{"Source", "Type"}})
                  + "\r\n\r\n\r\nLinked Report(s): * None *\r\n\r\n");
    for (const QString& blank : {QString(), u"  "_s}) {
        EXPECT_EQ(GetPresentorReportDetails(source(), blank), "* No Details Available *");
        EXPECT_EQ(ExportPresentorReportDetails(source(), blank), "* No Details Available *");
        EXPECT_EQ(ReturnPresentorReportSourceDependency(source(), blank), "* No Details Available *");
        EXPECT_EQ(ExportPresentorReportSourceDependency(source(), blank), "* No Details Available *");
    }
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(PresentorReportDetail, EdgeNamesAndFiftyCharacterColumns)
{
    // A name of 51 characters is followed by a tab.
    EXPECT_EQ(ExportPresentorReportSourceDependency(edge(), u"Wide Names Report"_s),
              Rows({{"Source", "Type"}, {"Calculation Name With Exactly Fifty Characters 50!", "Calculation"},
                    {"Calculation Name With Exactly Fifty-One Characters!\t", "Calculation"},
                    {"Dependency Table Name With Exactly Fifty Chars 050", "Table"}})
                  + "\r\n");
    ExpectPieces(GetPresentorReportDetails(edge(), u"Report <One> & Two"_s),
                 {"<td width='70%' ><font  face='Calibri' size='2'>Rates &lt;2026&gt; &amp; More</font></td>",
                  "<td width='80%'><font  face='Calibri' size='2'>O&#39;Brien Report<br>&nbsp;</font></td>"});
    EXPECT_TRUE(ExportPresentorReportDetails(edge(), u"Report <One> & Two"_s)
                    .endsWith("Linked Report(s): \r\n\tO'Brien Report\r\n\r\n"));
    ExpectPieces(GetPresentorReportDetails(edge(), u"O'Brien Report"_s),
                 {">O&#39;Brien Accounts</font></td><td width='30%' ><font  face='Calibri' size='2'>Table<"});
    EXPECT_TRUE(LogMessages().isEmpty());
}
