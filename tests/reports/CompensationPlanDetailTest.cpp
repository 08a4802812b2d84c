#include "reports/CompensationPlanDetail.h"
#include "reports/DetailSectionFlags.h"

#include "ReportTestSupport.h"

using CompensationPlanDetail = ReportTest;

namespace {
const QString kNoRow = u"No current record: the recordset is at its end."_s;
} // namespace

TEST_F(CompensationPlanDetail, NewHirePlanHtmlAndText)
{
    EXPECT_EQ(GetCompensationPlanDetails(source(), u" (NH2026)New Hire Plan 2026 "_s),
              Html("<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
                   "<tr><td width='20%' ><b>{F}Plan ID</font></b></td><td width='80%'>&nbsp;{F}NH2026&nbsp;</font></td></tr>"
                   "<tr><td width='20%' ><b>{F}Payee Group</font></b></td><td width='80%'>&nbsp;{F}3 - New Hires&nbsp;</font>"
                   "</td></tr><tr><td width='20%' ><b>{F}Comments</font></b></td><td width='80%'>&nbsp;{F}Guarantee plan for "
                   "the first year.</font></td></tr><tr><td width='20%' ><b>{F}Calculation(s)</font></b></td><td width='80%'>"
                   "{F}<table border='0' width='100%'><tr><td > {f}&nbsp;New Hire Guarantee</font></td></tr>"
                   "<tr><td > {f}&nbsp;Total Sales</font></td></tr></table></font></td></tr></table>"));
    const QString heading = Rule() + "Compensation Plan: (NH2026) New Hire Plan 2026\r\n\r\n";
    EXPECT_EQ(ExportCompensationPlanDetails(source(), u"(NH2026) New Hire Plan 2026"_s),
              heading + "Plan ID: NH2026\r\n\r\nPayee Group: 3 - New Hires\r\n\r\nComments: Guarantee plan for the first year."
                        "\r\n\r\nCalculation(s): \r\n\tNew Hire Guarantee\r\n\tTotal Sales\r\n\r\n");
    // A calculation listed twice is shown twice, in list order.
    EXPECT_TRUE(ExportCompensationPlanDetails(source(), u"(SM2026) Sales Manager Plan 2026"_s)
                    .endsWith("Calculation(s): \r\n\tRegion Sales\r\n\tCommission Amount\r\n\tAttainment Rank\r\n"
                              "\tCommission Amount\r\n\r\n"));
    SetAllSectionFlags(false);
    EXPECT_EQ(ExportCompensationPlanDetails(source(), u"(NH2026) New Hire Plan 2026"_s), heading);
    g_bPlanComments = true;
    EXPECT_EQ(ExportCompensationPlanDetails(source(), u"(NH2026) New Hire Plan 2026"_s),
              heading + "Comments: Guarantee plan for the first year.\r\n\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CompensationPlanDetail, NullCommentEmptyListAndNullListId)
{
    const QString intl = GetCompensationPlanDetails(source(), u"(INT2026) International Plan 2026"_s);
    ExpectPieces(intl, {"<td width='80%'>&nbsp;<font  face='Calibri' size='2'></font></td>"});
    EXPECT_TRUE(intl.endsWith(Html("<td width='80%'>{F}<table border='0' width='100%'></table></font></td></tr></table>")));
    EXPECT_TRUE(ExportCompensationPlanDetails(source(), u"(INT2026) International Plan 2026"_s)
                    .endsWith("\r\nComments: \r\n\r\nCalculation(s): \r\n\r\n"));
    // A NULL list id renders the plan with an empty calculation list.
    EXPECT_TRUE(GetCompensationPlanDetails(edge(), u"(NULLLIST) Plan With Null List"_s)
                    .endsWith(Html(">List id is NULL.</font></td></tr><tr><td width='20%' ><b>{F}Calculation(s)</font></b>"
                                   "</td><td width='80%'>{F}<table border='0' width='100%'></table></font></td></tr></table>")));
    EXPECT_TRUE(ExportCompensationPlanDetails(edge(), u"(NULLLIST) Plan With Null List"_s)
                    .endsWith("\r\nComments: List id is NULL.\r\n\r\nCalculation(s): \r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CompensationPlanDetail, UnknownBlankAndMarkedUpPlans)
{
    // Not found (also: payee group missing, or a blank name without such a plan): the error result.
    EXPECT_EQ(GetCompensationPlanDetails(edge(), u"(ORPHAN) Orphan Group Plan"_s),
              "<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>");
    EXPECT_EQ(ExportCompensationPlanDetails(source(), u"(3)"_s), QString());
    EXPECT_EQ(ExportCompensationPlanDetails(source(), u"(AE2026 Account Executive Plan 2026"_s), QString());
    EXPECT_EQ(LogMessages(),
              QStringList({"Function: GetCompensationPlanDetails() --> Code: 3021 --> Description: " + kNoRow,
                           "Function: ExportCompensationPlanDetails() --> Code: 3021 --> Description: " + kNoRow,
                           u"Function: ExportCompensationPlanDetails() --> Code: 5 --> Description: "
                           "Invalid procedure call or argument"_s}));
    // Quote in the name reaches the statement doubled; markup in names and comments is escaped in HTML only.
    ClearLog();
    ExpectPieces(GetCompensationPlanDetails(edge(), u"(LT1) <Less Than> & Plan"_s),
                 {">&nbsp;<font  face='Calibri' size='2'>&lt;b&gt;not bold&lt;/b&gt; &amp; more</font>",
                  "&nbsp;O&#39;Brien Commission</font>"});
    ExpectPieces(ExportCompensationPlanDetails(edge(), u"(LT1) <Less Than> & Plan"_s),
                 {"\r\nComments: <b>not bold</b> & more\r\n\r\n"});
    ExpectPieces(GetCompensationPlanDetails(edge(), u"(OB1) O'Brien Plan"_s), {">2 - O&#39;Brien Team&nbsp;<"});
    EXPECT_TRUE(LogMessages().isEmpty());
}
