// The calculation detail as a whole: exact HTML and text of the richest demo
// calculation, the section flags, and the failure and escaping rules.
#include "reports/CalculationDetail.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"

#include "ReportTestSupport.h"

using CalcDetail = ReportTest;

namespace {

const char kCommissionHtml[] =
    "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
    "<tr><td width='20%' ><b>{F}Type</font></b></td><td width='80%'>&nbsp;{F}User-Defined Calculation&nbsp;</font></td>"
    "</tr><tr><td width='20%' ><b>{F}Description</font></b></td>"
    "<td width='80%'>&nbsp;{F}Monthly commission: sales times the tier rate, plus the quarterly bonus, less draw "
    "recovery.&nbsp;</font></td></tr><tr><td width='20%' ><b>{F}Data Source(s)</font></b></td>"
    "<td width='80%'>{F}<table border='0' width='100%'><tr><td colspan=2> {f}&nbsp;Primary Source: Total Sales</font></td>"
    "</tr><tr><td colspan='2'> {f}&nbsp;<u>Join Type: By Column</u></font></td></tr>"
    "<td width='1%'> {f}&nbsp;</font></td><td width='99%'> {f}Add Columns: <u>CommissionRates [Rate Tier]</u><br>"
    "&nbsp;&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;&nbsp;&nbsp;CommissionRates.LowerBound  <=  Total Sales<br>"
    "&nbsp;&nbsp;&nbsp;&nbsp;CommissionRates.UpperBound  >  Total Sales<br>&nbsp;&nbsp;&nbsp;)<br>"
    "Add Columns: <u>Draw Recovery</u><br>&nbsp;&nbsp;&nbsp;Draw Recovery.PayeeID  =  PayeeMaster.PayeeID<br>"
    "</font></td><tr><td colspan='2'> {f}&nbsp;<u>Join Type: By Row</u></font></td></tr>"
    "<tr><td width='1%'> {f}&nbsp;</font></td><td width='99%'> {f}&nbsp;SalesAdjustments</font></td></tr>"
    "<tr><td width='1%'> {f}&nbsp;</font></td><td width='99%'> {f}&nbsp;Prior Year Sales</font></td></tr>"
    "</table></font></td></tr><tr><td width='20%' ><b>{F}Formula</font></b></td>"
    "<td width='80%'>&nbsp;{F}( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - Draw "
    "Recovery.Recovery + PayeeMaster.RegionCode * 0&nbsp;</font></td></tr>"
    "<tr><td width='20%' ><b>{F}Partitions</font></b></td>"
    "<td width='80%'>{F}<table border='0' width='100%'><tr><td > {f}&nbsp;1 - PayeeMaster.PayeeID [Payee] </font></td></tr>"
    "<tr><td > {f}&nbsp;2 - Time.Month [Month] [FISCAL/Month/Year]</font></td></tr>"
    "<tr><td > {f}&nbsp;3 - CommissionRates.TierCode [Tier] </font></td></tr></table></font></td></tr>"
    "<tr><td width='20%' ><b>{F}Restrictions</font></b></td>"
    "<td width='80%'>{F}<table border='0' width='100%'><td width='1%'> {f}&nbsp;</font></td>"
    "<td width='99%'> {f}&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;&nbsp;SalesTransactions.Amount  >  0<br>"
    "&nbsp;&nbsp;&nbsp;SalesTransactions.SaleDate  >=  2026-02-01<br>"
    "&nbsp;&nbsp;&nbsp;SalesTransactions.SaleDate  <=  2027-01-31<br>&nbsp;&nbsp;&nbsp;ANY (<br>"
    "&nbsp;&nbsp;&nbsp;&nbsp;PayeeMaster.Title  =  Account Executive<br>"
    "&nbsp;&nbsp;&nbsp;&nbsp;PayeeMaster.Title  =  Sales Manager<br>"
    "&nbsp;&nbsp;&nbsp;&nbsp;PayeeMaster.TerminationDate  Is Empty  <br>&nbsp;&nbsp;&nbsp;)<br>"
    "&nbsp;&nbsp;&nbsp;SalesTransactions.RegionCode  <>  INT<br>&nbsp;&nbsp;)<br>"
    "&nbsp;&nbsp;PayeeMaster.PayeeID  Is Not Empty  <br>&nbsp;&nbsp;SalesTransactions.Quantity  <  1000<br>"
    "&nbsp;&nbsp;SalesTransactions.Amount  >=  Accelerator Rate<br>"
    "</font></td></table></font></td></tr><tr><td width='20%' ><b>{F}Calendar</font></b></td>"
    "<td width='80%'>&nbsp;{F}FISCAL - Fiscal Calendar&nbsp;</font></td></tr>"
    "<tr><td width='20%' ><b>{F}Dependencies</font></b></td>"
    "<td width='80%'>{F}<table border='0' width='100%'><tr><td width='25%'> {f}&nbsp;View(s):</font></td>"
    "<td width='75%'> {f}&nbsp;PayeeEarningsView<br></font></td></tr>"
    "<tr><td width='25%'> {f}&nbsp;Presentor Reports(s):</font></td><td width='75%'> {f}Payee Statement<br>"
    "Sales Dashboard<br></font></td></tr><tr><td width='25%'> {f}&nbsp;Tailored Report(s):</font></td>"
    "<td width='75%'> {f}(TR01) Monthly Commission Statement<br>"
    "</font></td></tr><tr><td width='25%'> {f}&nbsp;Compensation Plan(s):</font></td>"
    "<td width='75%'> {f}(AE2026) Account Executive Plan 2026<br>(SM2026) Sales Manager Plan 2026<br>"
    "</font></td></tr></table></font></td></tr><tr><td width='20%' ><b>{F}Folder</font></b></td>"
    "<td width='80%'>{F}<table border='0' width='100%'><tr><td > {f}&nbsp;Calculations (Root)</font></td></tr>"
    "<tr><td > {f}&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Sales Compensation</font></td></tr>"
    "<tr><td > {f}&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Commissions</font></td></tr>"
    "<tr><td > {f}&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
    "Monthly</font></td></tr><tr><td > {f}&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
    "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Commission Amount</font></td></tr></table></font></td></tr></table>";

const char kCommissionText[] =
    "Calculation: Commission Amount\r\n\r\nType: User-Defined Calculation\r\n\r\n"
    "Description: Monthly commission: sales times the tier rate, plus the quarterly bonus, less draw recovery.\r\n\r\n"
    "Data Source(s): \r\n\tPrimary Source: Total Sales\r\n\tJoin Type: By Column\r\n"
    "\tAdd Columns: CommissionRates [Rate Tier]\r\n\tAND (\r\n\t\tCommissionRates.LowerBound  <=  Total Sales\r\n"
    "\t\tCommissionRates.UpperBound  >  Total Sales\r\n\t)\r\n\tAdd Columns: Draw Recovery\r\n"
    "\tDraw Recovery.PayeeID  =  PayeeMaster.PayeeID\r\n\tJoin Type: By Row\r\n\tSalesAdjustments\r\n"
    "\tPrior Year Sales\r\n\r\nFormula: ( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - Draw "
    "Recovery.Recovery + PayeeMaster.RegionCode * 0\r\n\r\nPartitions: \r\n\t1 - PayeeMaster.PayeeID [Payee] \r\n"
    "\t2 - Time.Month [Month] [FISCAL/Month/Year]\r\n\t3 - CommissionRates.TierCode [Tier] \r\n\r\nRestrictions: \r\n"
    "\tAND (\r\n\t\tSalesTransactions.Amount  >  0\r\n\t\tSalesTransactions.SaleDate  >=  2026-02-01\r\n"
    "\t\tSalesTransactions.SaleDate  <=  2027-01-31\r\n\t\tANY (\r\n\t\t\tPayeeMaster.Title  =  Account Executive\r\n"
    "\t\t\tPayeeMaster.Title  =  Sales Manager\r\n\t\t\tPayeeMaster.TerminationDate  Is Empty  \r\n\t\t)\r\n"
    "\t\tSalesTransactions.RegionCode  <>  INT\r\n\t)\r\n\tPayeeMaster.PayeeID  Is Not Empty  \r\n"
    "\tSalesTransactions.Quantity  <  1000\r\n\tSalesTransactions.Amount  >=  Accelerator Rate\r\n\r\n"
    "Calendar: FISCAL - Fiscal Calendar\r\n\r\nDependencies: \r\n\tView(s): \r\n\t\tPayeeEarningsView\r\n"
    "\tPresentor Reports(s): \r\n\t\tPayee Statement\r\n\t\tSales Dashboard\r\n\tTailored Report(s): \r\n"
    "\t\t(TR01) Monthly Commission Statement\r\n\tCompensation Plan(s): \r\n"
    "\t\t(AE2026) Account Executive Plan 2026\r\n\t\t(SM2026) Sales Manager Plan 2026\r\n\r\nFolder: \r\n"
    " \tCalculations (Root)\r\n        Sales Compensation\r\n            Commissions\r\n                Monthly\r\n"
    "                    Commission Amount\r\n\r\n\r\n";

} // namespace

TEST_F(CalcDetail, RichCalculationRendersExactly)
{
    EXPECT_EQ(ExportCalculationDetails(source(), u"  Commission Amount "_s), Rule() + kCommissionText);
    SetAllSectionFlags(false); // the preview ignores the flags
    // Blanks around the name find the calculation; the heading shows the stored name.
    EXPECT_EQ(GetCalculationDetails(source(), u"Commission Amount"_s), Html(kCommissionHtml));
    EXPECT_TRUE(LogMessages().isEmpty()) << LogMessages().join('\n').toStdString();
}

TEST_F(CalcDetail, ExportComputesOnlyTheFlaggedSections)
{
    const QString heading = Rule() + "Calculation: Commission Amount\r\n\r\n";
    const QString rowQuery = u"SELECT [CALCID]=[CalculationID], [CALCTYPE] = [Type], [CALCNAME]=[Name], "
                             "[CALCCOMMENT]=[Comment], [CALCPRIMARYSOURCE] = [Source], [CALCOPERATION] = [Operation], "
                             "[CALCCALENDARUSED]= [CalendarUsed], [CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = "
                             "[ResetLevel] FROM [Calculation] WHERE [Name] = 'Commission Amount'"_s;
    const QString joins = u"SELECT [TABLENAME1] = [Table1], [COLUMNNAME1] = [Column1], [TABLENAME2] = [Table2], "
                          "[COLUMNNAME2] = [Column2] FROM CalculationJoin WHERE CalculationID = 1005 ORDER BY Position ASC"_s;
    const QString lookups = u"SELECT [CALCORTABLENAME] = [Name], [CALCORTABLESOURCE] = [Source] FROM "
                            "CalculationLookup WHERE CalculationID = 1005 ORDER BY LookupID ASC"_s;
    SetAllSectionFlags(false);
    {
        StatementRecorder rec;
        EXPECT_EQ(ExportCalculationDetails(source(), u"Commission Amount"_s), heading);
        EXPECT_EQ(rec.statements, QStringList{rowQuery});
    }
    g_bCalcFormula = true;
    StatementRecorder rec;
    EXPECT_EQ(ExportCalculationDetails(source(), u"Commission Amount"_s),
              heading + "Formula: ( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - "
                        "Draw Recovery.Recovery + PayeeMaster.RegionCode * 0\r\n\r\n");
    // One resolver query per token, repeats included; nothing of the other sections.
    EXPECT_EQ(rec.statements, (QStringList{rowQuery, joins, joins, lookups, lookups,
                                           u"SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = 1006"_s}));
}

TEST_F(CalcDetail, AnUnknownCalculationCostsOneErrorLine)
{
    EXPECT_EQ(GetCalculationDetails(source(), u"No Such Calc"_s), QLatin1String(kErrorSpacer));
    EXPECT_EQ(ExportCalculationDetails(source(), u"  No Such Calc "_s), QString());
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith("Function: GetCalculationDetails() --> Code: 3021 --> Description: "));
    // The export's line carries the name exactly as passed.
    EXPECT_TRUE(log[1].startsWith("Function: ExportCalculationDetails(  No Such Calc ) --> Code: 3021 --> "));
}

TEST_F(CalcDetail, ModelTextsEscapedInHtmlOnlyAndNullsReadAsEmpty)
{
    // Data sources and where-used lists are pinned escaped by their own tests.
    const QString html = GetCalculationDetails(edge(), u"Rate <Tier> & Bonus"_s);
    EXPECT_FALSE(html.contains(u"<2026>"_s));
    ExpectPieces(html,
                 {">Formula</font></b></td><td width='80%'>&nbsp;<font  face='Calibri' size='2'>O&#39;Brien Commission + "
                  "Rates &lt;2026&gt; &amp; More.Rate&nbsp;</font></td>",
                  "&nbsp;O&#39;Brien View<br>",
                  "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Rate &lt;Tier&gt; &amp; Bonus</font>"});
    SetAllSectionFlags(false);
    g_bCalcFormula = g_bCalcDataSources = true;
    EXPECT_EQ(ExportCalculationDetails(edge(), u"Rate <Tier> & Bonus"_s),
              Rule() + "Calculation: Rate <Tier> & Bonus\r\n\r\nData Source(s): \r\n\tPrimary Source: O'Brien Commission\r\n"
                       "\tJoin Type: By Column\r\n\tAdd Columns: Rates <2026> & More\r\n"
                       "\tRates <2026> & More.RateCode  =  R<1>\r\n\r\n"
                       "Formula: O'Brien Commission + Rates <2026> & More.Rate\r\n\r\n");
    // The quote in the name is doubled in the statements, so nothing failed.
    ExpectPieces(GetCalculationDetails(edge(), u"O'Brien Commission"_s), {">Base Amount * 0.1&nbsp;<"});
    // A NULL lookup source and a NULL partition table read as "": the blank source
    // resolves nothing, so the token stays.
    ExpectPieces(GetCalculationDetails(edge(), u"Null Lookup Source"_s),
                 {"<td width='99%'> <font face='Calibri' size='2'>Add Columns: <u> [Nothing]</u><br></font></td></table>",
                  ">_LookupAlias0 + 1&nbsp;<"});
    ExpectPieces(GetCalculationDetails(edge(), u"Null Partition Source"_s),
                 {"<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;1 - .Month [Month] "
                  "[EDGE/Month/Year]</font></td></tr></table>"});
    EXPECT_TRUE(LogMessages().isEmpty()) << LogMessages().join('\n').toStdString();
}
