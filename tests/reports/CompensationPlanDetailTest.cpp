#include "ReportTestSupport.h"

#include "reports/CompensationPlanDetail.h"
#include "reports/DetailSectionFlags.h"

using namespace bkl::reports;
using bkl::test::LogMessages;

namespace {
class CompensationPlanDetail : public bkl::test::ReportTest {};

const QString kSeparator = QString(100, QLatin1Char('-')) + QStringLiteral("\r\n");
const QString kNoRow = QStringLiteral("No current record: the recordset is at its end.");
} // namespace

TEST_F(CompensationPlanDetail, NewHirePlanHtmlAndText)
{
    EXPECT_EQ(GetCompensationPlanDetails(source(), QStringLiteral(" (NH2026)New Hire Plan 2026 ")),
              QStringLiteral(
                  "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Plan ID</font></b></td>"
                  "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>NH2026&nbsp;</font></td></tr>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Payee Group</font></b></td>"
                  "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>3 - New Hires&nbsp;</font></td></tr>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Comments</font></b></td>"
                  "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>Guarantee plan for the first year.</font></td></tr>"
                  "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Calculation(s)</font></b></td>"
                  "<td width='80%'><font  face='Calibri' size='2'><table border='0' width='100%'>"
                  "<tr><td > <font face='Calibri' size='2'>&nbsp;New Hire Guarantee</font></td></tr>"
                  "<tr><td > <font face='Calibri' size='2'>&nbsp;Total Sales</font></td></tr>"
                  "</table></font></td></tr></table>"));
    EXPECT_EQ(ExportCompensationPlanDetails(source(), QStringLiteral("(NH2026) New Hire Plan 2026")),
              kSeparator
                  + QStringLiteral("Compensation Plan: (NH2026) New Hire Plan 2026\r\n\r\n"
                                   "Plan ID: NH2026\r\n\r\n"
                                   "Payee Group: 3 - New Hires\r\n\r\n"
                                   "Comments: Guarantee plan for the first year.\r\n\r\n"
                                   "Calculation(s): \r\n\tNew Hire Guarantee\r\n\tTotal Sales\r\n\r\n"));
    // A calculation listed twice is shown twice, in list order.
    EXPECT_TRUE(ExportCompensationPlanDetails(source(), QStringLiteral("(SM2026) Sales Manager Plan 2026"))
                    .endsWith(QStringLiteral("Calculation(s): \r\n\tRegion Sales\r\n\tCommission Amount\r\n"
                                             "\tAttainment Rank\r\n\tCommission Amount\r\n\r\n")));

    bkl::test::SetAllSectionFlags(false);
    EXPECT_EQ(ExportCompensationPlanDetails(source(), QStringLiteral("(NH2026) New Hire Plan 2026")),
              kSeparator + QStringLiteral("Compensation Plan: (NH2026) New Hire Plan 2026\r\n\r\n"));
    g_bPlanComments = true;
    EXPECT_EQ(ExportCompensationPlanDetails(source(), QStringLiteral("(NH2026) New Hire Plan 2026")),
              kSeparator
                  + QStringLiteral("Compensation Plan: (NH2026) New Hire Plan 2026\r\n\r\n"
                                   "Comments: Guarantee plan for the first year.\r\n\r\n"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CompensationPlanDetail, NullCommentEmptyListAndNullListId)
{
    const QString intl = GetCompensationPlanDetails(source(), QStringLiteral("(INT2026) International Plan 2026"));
    EXPECT_TRUE(intl.contains(QStringLiteral("<td width='80%'>&nbsp;<font  face='Calibri' size='2'></font></td>")));
    EXPECT_TRUE(intl.endsWith(QStringLiteral("<td width='80%'><font  face='Calibri' size='2'><table border='0' width='100%'>"
                                             "</table></font></td></tr></table>")));
    EXPECT_TRUE(ExportCompensationPlanDetails(source(), QStringLiteral("(INT2026) International Plan 2026"))
                    .endsWith(QStringLiteral("\r\nComments: \r\n\r\nCalculation(s): \r\n\r\n")));

    // A NULL list id renders the plan with an empty calculation list.
    EXPECT_TRUE(GetCompensationPlanDetails(edge(), QStringLiteral("(NULLLIST) Plan With Null List"))
                    .endsWith(QStringLiteral(">List id is NULL.</font></td></tr><tr><td width='20%' ><b><font  face='Calibri' "
                                             "size='2'>Calculation(s)</font></b></td><td width='80%'><font  face='Calibri' "
                                             "size='2'><table border='0' width='100%'></table></font></td></tr></table>")));
    EXPECT_TRUE(ExportCompensationPlanDetails(edge(), QStringLiteral("(NULLLIST) Plan With Null List"))
                    .endsWith(QStringLiteral("\r\nComments: List id is NULL.\r\n\r\nCalculation(s): \r\n\r\n")));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CompensationPlanDetail, UnknownBlankAndMarkedUpPlans)
{
    // Not found (also: payee group missing, or a blank name without such a plan): the error result.
    EXPECT_EQ(GetCompensationPlanDetails(edge(), QStringLiteral("(ORPHAN) Orphan Group Plan")),
              QStringLiteral("<table border='0' width='100%'><tr><td>&nbsp;</td></tr></table>"));
    EXPECT_EQ(ExportCompensationPlanDetails(source(), QStringLiteral("(3)")), QString());
    EXPECT_EQ(ExportCompensationPlanDetails(source(), QStringLiteral("(AE2026 Account Executive Plan 2026")), QString());
    EXPECT_EQ(LogMessages(),
              QStringList({QStringLiteral("Function: GetCompensationPlanDetails() --> Code: 3021 --> Description: ") + kNoRow,
                           QStringLiteral("Function: ExportCompensationPlanDetails() --> Code: 3021 --> Description: ") + kNoRow,
                           QStringLiteral("Function: ExportCompensationPlanDetails() --> Code: 5 --> Description: "
                                          "Invalid procedure call or argument")}));

    // Quote in the name reaches the statement doubled; markup in names and comments is escaped in HTML only.
    bkl::test::ClearLog();
    const QString html = GetCompensationPlanDetails(edge(), QStringLiteral("(LT1) <Less Than> & Plan"));
    EXPECT_TRUE(html.contains(QStringLiteral(">&nbsp;<font  face='Calibri' size='2'>&lt;b&gt;not bold&lt;/b&gt; &amp; more</font>")));
    EXPECT_TRUE(html.contains(QStringLiteral("&nbsp;O&#39;Brien Commission</font>")));
    EXPECT_TRUE(ExportCompensationPlanDetails(edge(), QStringLiteral("(LT1) <Less Than> & Plan"))
                    .contains(QStringLiteral("\r\nComments: <b>not bold</b> & more\r\n\r\n")));
    EXPECT_TRUE(GetCompensationPlanDetails(edge(), QStringLiteral("(OB1) O'Brien Plan"))
                    .contains(QStringLiteral(">2 - O&#39;Brien Team&nbsp;<")));
    EXPECT_TRUE(LogMessages().isEmpty());
}
