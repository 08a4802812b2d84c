#include "ReportTestSupport.h"

#include "reports/DetailSectionFlags.h"
#include "reports/PresentorReportDetail.h"

using namespace bkl::reports;
using bkl::test::LogMessages;

namespace {
class PresentorReportDetail : public bkl::test::ReportTest {};

const QString kSeparator = QString(100, QLatin1Char('-')) + QStringLiteral("\r\n");
QString col50(const QString& s) { return s.leftJustified(50); }
} // namespace

TEST_F(PresentorReportDetail, QuotaTrackerHtmlAndText)
{
    EXPECT_EQ(GetPresentorReportDetails(source(), QStringLiteral(" Quota Tracker ")),
              QStringLiteral(
                  "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Source Dependencies</font></b></td>"
                  "<td width='80%'><font  face='Calibri' size='2'><table border='0' width='80%'>"
                  "<tr><td width='70%' ><b><font  face='Calibri' size='2'>Source</font></b></td>"
                  "<td width='30%' ><b><font  face='Calibri' size='2'>Type</font></b></td></tr>"
                  "<tr><td width='70%' ><font  face='Calibri' size='2'>Attainment Rank</font></td>"
                  "<td width='30%' ><font  face='Calibri' size='2'>Calculation</font></td></tr>"
                  "<tr><td width='70%' ><font  face='Calibri' size='2'>Quota Attainment</font></td>"
                  "<td width='30%' ><font  face='Calibri' size='2'>Calculation</font></td></tr>"
                  "<tr><td width='70%' ><font  face='Calibri' size='2'>QuotaTargets</font></td>"
                  "<td width='30%' ><font  face='Calibri' size='2'>Table</font></td></tr></table>&nbsp;</font></td></tr>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Linked Report(s)</font></b></td>"
                  "<td width='80%'><font  face='Calibri' size='2'>Payee Statement<br>&nbsp;</font></td></tr></table>"));
    EXPECT_EQ(ExportPresentorReportDetails(source(), QStringLiteral("Quota Tracker")),
              kSeparator + QStringLiteral("Presentor Report: Quota Tracker\r\n\r\nSource Dependencies: ")
                  + QStringLiteral("\r\n\t") + col50(QStringLiteral("Source")) + col50(QStringLiteral("Type"))
                  + QStringLiteral("\r\n\t") + col50(QStringLiteral("Attainment Rank")) + col50(QStringLiteral("Calculation"))
                  + QStringLiteral("\r\n\t") + col50(QStringLiteral("Quota Attainment")) + col50(QStringLiteral("Calculation"))
                  + QStringLiteral("\r\n\t") + col50(QStringLiteral("QuotaTargets")) + col50(QStringLiteral("Table"))
                  + QStringLiteral("\r\n\r\n\r\nLinked Report(s): \r\n\tPayee Statement\r\n\r\n"));
    bkl::test::SetAllSectionFlags(false);
    EXPECT_EQ(ExportPresentorReportDetails(source(), QStringLiteral("Quota Tracker")),
              kSeparator + QStringLiteral("Presentor Report: Quota Tracker\r\n\r\n"));
    g_bPresentorLinkedReports = true;
    EXPECT_EQ(ExportPresentorReportDetails(source(), QStringLiteral("Quota Tracker")),
              kSeparator + QStringLiteral("Presentor Report: Quota Tracker\r\n\r\nLinked Report(s): \r\n\tPayee Statement\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(PresentorReportDetail, SourcesAndLinks)
{
    // A table named twice is listed once; linked reports come sorted by name.
    EXPECT_EQ(ReturnPresentorReportLinkedReports(source(), QStringLiteral("Sales Dashboard")),
              QStringLiteral("Payee Statement<br>Region Summary<br>"));
    EXPECT_EQ(ExportPresentorReportLinkedReports(source(), QStringLiteral("Sales Dashboard")),
              QStringLiteral("\r\n\tPayee Statement\r\n\tRegion Summary"));
    EXPECT_EQ(ExportPresentorReportSourceDependency(source(), QStringLiteral("Sales Dashboard")).count(QStringLiteral("SalesTransactions")), 1);
    EXPECT_EQ(ReturnPresentorReportLinkedReports(source(), QStringLiteral("Region Summary")), QStringLiteral("* None *"));
    EXPECT_EQ(ExportPresentorReportLinkedReports(source(), QStringLiteral("Region Summary")), QStringLiteral("* None *"));

    // Unknown report: heading-only sources and no links.
    EXPECT_EQ(ReturnPresentorReportSourceDependency(source(), QStringLiteral("Nope")),
              QStringLiteral("<table border='0' width='80%'><tr><td width='70%' ><b><font  face='Calibri' size='2'>Source</font></b></td>"
                             "<td width='30%' ><b><font  face='Calibri' size='2'>Type</font></b></td></tr></table>"));
    EXPECT_EQ(ExportPresentorReportDetails(source(), QStringLiteral("Nope")),
              kSeparator + QStringLiteral("Presentor Report: Nope\r\n\r\nSource Dependencies: \r\n\t") + col50(QStringLiteral("Source"))
                  + col50(QStringLiteral("Type")) + QStringLiteral("\r\n\r\n\r\nLinked Report(s): * None *\r\n\r\n"));

    // Blank names.
    EXPECT_EQ(GetPresentorReportDetails(source(), QStringLiteral("  ")), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(ExportPresentorReportDetails(source(), QString()), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(ReturnPresentorReportSourceDependency(source(), QStringLiteral(" ")), QStringLiteral("* No Details Available *"));
    EXPECT_EQ(ExportPresentorReportSourceDependency(source(), QString()), QStringLiteral("* No Details Available *"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(PresentorReportDetail, EdgeNamesAndFiftyCharacterColumns)
{
    const QString fifty = QStringLiteral("Calculation Name With Exactly Fifty Characters 50!");
    const QString fiftyOne = QStringLiteral("Calculation Name With Exactly Fifty-One Characters!");
    const QString table50 = QStringLiteral("Dependency Table Name With Exactly Fifty Chars 050");
    EXPECT_EQ(ExportPresentorReportSourceDependency(edge(), QStringLiteral("Wide Names Report")),
              QStringLiteral("\r\n\t") + col50(QStringLiteral("Source")) + col50(QStringLiteral("Type")) + QStringLiteral("\r\n\t")
                  + fifty + col50(QStringLiteral("Calculation")) + QStringLiteral("\r\n\t") + fiftyOne + QStringLiteral("\t")
                  + col50(QStringLiteral("Calculation")) + QStringLiteral("\r\n\t") + table50 + col50(QStringLiteral("Table"))
                  + QStringLiteral("\r\n"));

    const QString html = GetPresentorReportDetails(edge(), QStringLiteral("Report <One> & Two"));
    EXPECT_TRUE(html.contains(QStringLiteral("<td width='70%' ><font  face='Calibri' size='2'>Rates &lt;2026&gt; &amp; More</font></td>")));
    EXPECT_TRUE(html.contains(QStringLiteral("<td width='80%'><font  face='Calibri' size='2'>O&#39;Brien Report<br>&nbsp;</font></td>")));
    EXPECT_TRUE(ExportPresentorReportDetails(edge(), QStringLiteral("Report <One> & Two"))
                    .endsWith(QStringLiteral("Linked Report(s): \r\n\tO'Brien Report\r\n\r\n")));
    EXPECT_TRUE(GetPresentorReportDetails(edge(), QStringLiteral("O'Brien Report"))
                    .contains(QStringLiteral(">O&#39;Brien Accounts</font></td><td width='30%' ><font  face='Calibri' size='2'>Table<")));
    EXPECT_TRUE(LogMessages().isEmpty());
}
