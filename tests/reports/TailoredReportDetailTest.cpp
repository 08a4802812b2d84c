#include "ReportTestSupport.h"

#include "reports/CalculationList.h"
#include "reports/DetailSectionFlags.h"
#include "reports/TailoredReportDetail.h"

using namespace bkl::reports;
using bkl::test::LogMessages;

namespace {
class TailoredReportDetail : public bkl::test::ReportTest {};

const QString kSeparator = QString(100, QLatin1Char('-')) + QStringLiteral("\r\n");
} // namespace

TEST_F(TailoredReportDetail, QuarterlyBonusSummaryHtmlAndText)
{
    EXPECT_EQ(GetTailoredReportDetails(source(), QStringLiteral("(TR02) Quarterly Bonus Summary")),
              QStringLiteral(
                  "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Report ID</font></b></td>"
                  "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>TR02&nbsp;</font></td></tr>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Payee Group</font></b></td>"
                  "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>2 - Sales Managers&nbsp;</font></td></tr>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Calculation(s)</font></b></td>"
                  "<td width='80%'><font  face='Calibri' size='2'><table border='0' width='100%'>"
                  "<tr><td > <font face='Calibri' size='2'>&nbsp;Quarterly Bonus</font></td></tr>"
                  "<tr><td > <font face='Calibri' size='2'>&nbsp;Quota Attainment</font></td></tr>"
                  "</table></font></td></tr></table>"));
    EXPECT_EQ(ExportTailoredReportDetails(source(), QStringLiteral(" (TR02) Quarterly Bonus Summary ")),
              kSeparator
                  + QStringLiteral("Tailored Report: (TR02) Quarterly Bonus Summary\r\n\r\n"
                                   "Report ID: TR02\r\n\r\n"
                                   "Payee Group: 2 - Sales Managers\r\n\r\n"
                                   "Calculation(s): \r\n\tQuarterly Bonus\r\n\tQuota Attainment\r\n\r\n"));
    bkl::test::SetAllSectionFlags(false);
    EXPECT_EQ(ExportTailoredReportDetails(source(), QStringLiteral("(TR02) Quarterly Bonus Summary")),
              kSeparator + QStringLiteral("Tailored Report: (TR02) Quarterly Bonus Summary\r\n\r\n"));
    g_bTailoredPayeeGroup = true;
    EXPECT_EQ(ExportTailoredReportDetails(source(), QStringLiteral("(TR02) Quarterly Bonus Summary")),
              kSeparator + QStringLiteral("Tailored Report: (TR02) Quarterly Bonus Summary\r\n\r\nPayee Group: 2 - Sales Managers\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(TailoredReportDetail, NullListUnknownAndBlankReports)
{
    EXPECT_TRUE(GetTailoredReportDetails(edge(), QStringLiteral("(TRN) Report With Null List"))
                    .endsWith(QStringLiteral("<td width='80%'><font  face='Calibri' size='2'><table border='0' width='100%'>"
                                             "</table></font></td></tr></table>")));
    EXPECT_EQ(ExportTailoredReportDetails(edge(), QStringLiteral("(TRN) Report With Null List")),
              kSeparator
                  + QStringLiteral("Tailored Report: (TRN) Report With Null List\r\n\r\nReport ID: TRN\r\n\r\n"
                                   "Payee Group: 1 - Edge <Payees> & Co\r\n\r\nCalculation(s): \r\n\r\n"));
    EXPECT_TRUE(GetTailoredReportDetails(edge(), QStringLiteral("(TRQ) O'Brien Statement"))
                    .contains(QStringLiteral(">2 - O&#39;Brien Team&nbsp;<")));
    EXPECT_TRUE(LogMessages().isEmpty());

    EXPECT_EQ(GetTailoredReportDetails(source(), QStringLiteral("(TR09) Nope")),
              QStringLiteral("<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>"));
    EXPECT_EQ(ExportTailoredReportDetails(source(), QStringLiteral("TR01")), QString());
    EXPECT_EQ(LogMessages(),
              QStringList({QStringLiteral("Function: GetTailoredReportDetails() --> Code: 3021 --> Description: "
                                          "No current record: the recordset is at its end."),
                           QStringLiteral("Function: ExportTailoredReportDetails() --> Code: 5 --> Description: "
                                          "Invalid procedure call or argument")}));
}
