#include "reports/DetailSectionFlags.h"
#include "reports/TailoredReportDetail.h"

#include "ReportTestSupport.h"

using TailoredReportDetail = ReportTest;

TEST_F(TailoredReportDetail, QuarterlyBonusSummaryHtmlAndText)
{
    EXPECT_EQ(GetTailoredReportDetails(source(), u"(TR02) Quarterly Bonus Summary"_s),
              Html("<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
                   "<tr><td width='20%' ><b>{F}Report ID</font></b></td><td width='80%'>&nbsp;{F}TR02&nbsp;</font></td></tr>"
                   "<tr><td width='20%' ><b>{F}Payee Group</font></b></td><td width='80%'>&nbsp;{F}2 - Sales Managers&nbsp;"
                   "</font></td></tr><tr><td width='20%' ><b>{F}Calculation(s)</font></b></td><td width='80%'>{F}"
                   "<table border='0' width='100%'><tr><td > {f}&nbsp;Quarterly Bonus</font></td></tr>"
                   "<tr><td > {f}&nbsp;Quota Attainment</font></td></tr></table></font></td></tr></table>"));
    const QString heading = Rule() + "Tailored Report: (TR02) Quarterly Bonus Summary\r\n\r\n";
    EXPECT_EQ(ExportTailoredReportDetails(source(), u" (TR02) Quarterly Bonus Summary "_s),
              heading + "Report ID: TR02\r\n\r\nPayee Group: 2 - Sales Managers\r\n\r\n"
                        "Calculation(s): \r\n\tQuarterly Bonus\r\n\tQuota Attainment\r\n\r\n");
    SetAllSectionFlags(false);
    EXPECT_EQ(ExportTailoredReportDetails(source(), u"(TR02) Quarterly Bonus Summary"_s), heading);
    g_bTailoredPayeeGroup = true;
    EXPECT_EQ(ExportTailoredReportDetails(source(), u"(TR02) Quarterly Bonus Summary"_s),
              heading + "Payee Group: 2 - Sales Managers\r\n\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(TailoredReportDetail, NullListUnknownAndBlankReports)
{
    EXPECT_TRUE(GetTailoredReportDetails(edge(), u"(TRN) Report With Null List"_s)
                    .endsWith(Html("<td width='80%'>{F}<table border='0' width='100%'></table></font></td></tr></table>")));
    EXPECT_EQ(ExportTailoredReportDetails(edge(), u"(TRN) Report With Null List"_s),
              Rule() + "Tailored Report: (TRN) Report With Null List\r\n\r\nReport ID: TRN\r\n\r\n"
                       "Payee Group: 1 - Edge <Payees> & Co\r\n\r\nCalculation(s): \r\n\r\n");
    ExpectPieces(GetTailoredReportDetails(edge(), u"(TRQ) O'Brien Statement"_s), {">2 - O&#39;Brien Team&nbsp;<"});
    EXPECT_TRUE(LogMessages().isEmpty());
    EXPECT_EQ(GetTailoredReportDetails(source(), u"(TR09) Nope"_s),
              "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");
    EXPECT_EQ(ExportTailoredReportDetails(source(), u"TR01"_s), QString());
    EXPECT_EQ(LogMessages(), QStringList({u"Function: GetTailoredReportDetails() --> Code: 3021 --> Description: "
                                          "No current record: the recordset is at its end."_s,
                                          u"Function: ExportTailoredReportDetails() --> Code: 5 --> Description: "
                                          "Invalid procedure call or argument"_s}));
}
