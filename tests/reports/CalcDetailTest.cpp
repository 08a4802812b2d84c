// The calculation detail as a whole: exact HTML and text of the richest demo
// calculation, the section flags, and the failure and escaping rules.
#include "reports/CalcDataSources.h"
#include "reports/CalculationDetail.h"
#include "reports/DetailSectionFlags.h"
#include "reports/Fragments.h"

#include "CalcTestSupport.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;
using namespace bkl::test;

namespace {

void SetCalcFlags(bool on)
{
    g_bCalcType = g_bCalcDescription = g_bCalcDataSources = g_bCalcFormula = g_bCalcPartitions = g_bCalcRestrictions =
        g_bCalcCalendar = g_bCalcDependencies = g_bCalcFolder = on;
}

const QString kCommissionHtml = QStringLiteral(
        "<table border='1' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Type</font></b></td>"
        "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>User-Defined Calculation&nbsp;</font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Description</font></b></td>"
        "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>Monthly commission: sales times the tier rate, plus the quarterly bonus, less draw recovery.&nbsp;</font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Data Source(s)</font></b></td><td width='80%'>"
        "<font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td colspan=2> <font face='Calibri' size='2'>&nbsp;Primary Source: Total Sales</font></td></tr>"
        "<tr><td colspan='2'> <font face='Calibri' size='2'>&nbsp;<u>Join Type: By Column</u></font></td></tr>"
        "<td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
        "<td width='99%'> <font face='Calibri' size='2'>Add Columns: <u>CommissionRates [Rate Tier]</u><br>"
        "&nbsp;&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;&nbsp;&nbsp;CommissionRates.LowerBound  <=  Total Sales<br>"
        "&nbsp;&nbsp;&nbsp;&nbsp;CommissionRates.UpperBound  >  Total Sales<br>"
        "&nbsp;&nbsp;&nbsp;)<br>Add Columns: <u>Draw Recovery</u><br>&nbsp;&nbsp;&nbsp;Draw Recovery.PayeeID  =  PayeeMaster.PayeeID<br>"
        "</font></td>"
        "<tr><td colspan='2'> <font face='Calibri' size='2'>&nbsp;<u>Join Type: By Row</u></font></td></tr>"
        "<tr><td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
        "<td width='99%'> <font face='Calibri' size='2'>&nbsp;SalesAdjustments</font></td></tr>"
        "<tr><td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
        "<td width='99%'> <font face='Calibri' size='2'>&nbsp;Prior Year Sales</font></td></tr></table></font></td>"
        "</tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Formula</font></b></td>"
        "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - Draw Recovery.Recovery + PayeeMaster.RegionCode * 0&nbsp;</font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Partitions</font></b></td><td width='80%'>"
        "<font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;1 - PayeeMaster.PayeeID [Payee] </font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;2 - Time.Month [Month] [FISCAL/Month/Year]</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;3 - CommissionRates.TierCode [Tier] </font></td></tr></table>"
        "</font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Restrictions</font></b></td><td width='80%'>"
        "<font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td><td width='99%'> <font face='Calibri' size='2'>&nbsp;&nbsp;AND (<br>"
        "&nbsp;&nbsp;&nbsp;SalesTransactions.Amount  >  0<br>&nbsp;&nbsp;&nbsp;SalesTransactions.SaleDate  >=  2026-02-01<br>"
        "&nbsp;&nbsp;&nbsp;SalesTransactions.SaleDate  <=  2027-01-31<br>"
        "&nbsp;&nbsp;&nbsp;ANY (<br>&nbsp;&nbsp;&nbsp;&nbsp;PayeeMaster.Title  =  Account Executive<br>"
        "&nbsp;&nbsp;&nbsp;&nbsp;PayeeMaster.Title  =  Sales Manager<br>&nbsp;&nbsp;&nbsp;&nbsp;PayeeMaster.TerminationDate  Is Empty  <br>"
        "&nbsp;&nbsp;&nbsp;)<br>&nbsp;&nbsp;&nbsp;SalesTransactions.RegionCode  <>  INT<br>"
        "&nbsp;&nbsp;)<br>&nbsp;&nbsp;PayeeMaster.PayeeID  Is Not Empty  <br>"
        "&nbsp;&nbsp;SalesTransactions.Quantity  <  1000<br>&nbsp;&nbsp;SalesTransactions.Amount  >=  Accelerator Rate<br>"
        "</font></td></table></font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Calendar</font></b></td>"
        "<td width='80%'>&nbsp;<font  face='Calibri' size='2'>FISCAL - Fiscal Calendar&nbsp;</font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Dependencies</font></b></td><td width='80%'>"
        "<font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td width='25%'> <font face='Calibri' size='2'>&nbsp;View(s):</font></td><td width='75%'> <font face='Calibri' size='2'>&nbsp;PayeeEarningsView<br>"
        "</font></td></tr>"
        "<tr><td width='25%'> <font face='Calibri' size='2'>&nbsp;Presentor Reports(s):</font></td>"
        "<td width='75%'> <font face='Calibri' size='2'>Payee Statement<br>Sales Dashboard<br></font></td></tr>"
        "<tr><td width='25%'> <font face='Calibri' size='2'>&nbsp;Tailored Report(s):</font></td>"
        "<td width='75%'> <font face='Calibri' size='2'>(TR01) Monthly Commission Statement<br></font></td></tr>"
        "<tr><td width='25%'> <font face='Calibri' size='2'>&nbsp;Compensation Plan(s):</font></td>"
        "<td width='75%'> <font face='Calibri' size='2'>(AE2026) Account Executive Plan 2026<br>"
        "(SM2026) Sales Manager Plan 2026<br></font></td></tr></table></font></td></tr>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Folder</font></b></td><td width='80%'>"
        "<font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;Calculations (Root)</font></td></tr>"
        "<tr>"
        "<td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Sales Compensation</font>"
        "</td></tr>"
        "<tr>"
        "<td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Commissions</font></td></tr>"
        "<tr>"
        "<td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Monthly</font></td></tr>"
        "<tr>"
        "<td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Commission Amount</font></td></tr></table></font></td></tr></table>");

const QString kCommissionText = QStringLiteral(
        "----------------------------------------------------------------------------------------------------\r\n"
        "Calculation: Commission Amount\r\n"
        "\r\n"
        "Type: User-Defined Calculation\r\n"
        "\r\n"
        "Description: Monthly commission: sales times the tier rate, plus the quarterly bonus, less draw recovery.\r\n"
        "\r\n"
        "Data Source(s): \r\n"
        "\tPrimary Source: Total Sales\r\n"
        "\tJoin Type: By Column\r\n"
        "\tAdd Columns: CommissionRates [Rate Tier]\r\n"
        "\tAND (\r\n"
        "\t\tCommissionRates.LowerBound  <=  Total Sales\r\n"
        "\t\tCommissionRates.UpperBound  >  Total Sales\r\n"
        "\t)\r\n"
        "\tAdd Columns: Draw Recovery\r\n"
        "\tDraw Recovery.PayeeID  =  PayeeMaster.PayeeID\r\n"
        "\tJoin Type: By Row\r\n"
        "\tSalesAdjustments\r\n"
        "\tPrior Year Sales\r\n"
        "\r\n"
        "Formula: ( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - Draw Recovery.Recovery + PayeeMaster.RegionCode * 0\r\n"
        "\r\n"
        "Partitions: \r\n"
        "\t1 - PayeeMaster.PayeeID [Payee] \r\n"
        "\t2 - Time.Month [Month] [FISCAL/Month/Year]\r\n"
        "\t3 - CommissionRates.TierCode [Tier] \r\n"
        "\r\n"
        "Restrictions: \r\n"
        "\tAND (\r\n"
        "\t\tSalesTransactions.Amount  >  0\r\n"
        "\t\tSalesTransactions.SaleDate  >=  2026-02-01\r\n"
        "\t\tSalesTransactions.SaleDate  <=  2027-01-31\r\n"
        "\t\tANY (\r\n"
        "\t\t\tPayeeMaster.Title  =  Account Executive\r\n"
        "\t\t\tPayeeMaster.Title  =  Sales Manager\r\n"
        "\t\t\tPayeeMaster.TerminationDate  Is Empty  \r\n"
        "\t\t)\r\n"
        "\t\tSalesTransactions.RegionCode  <>  INT\r\n"
        "\t)\r\n"
        "\tPayeeMaster.PayeeID  Is Not Empty  \r\n"
        "\tSalesTransactions.Quantity  <  1000\r\n"
        "\tSalesTransactions.Amount  >=  Accelerator Rate\r\n"
        "\r\n"
        "Calendar: FISCAL - Fiscal Calendar\r\n"
        "\r\n"
        "Dependencies: \r\n"
        "\tView(s): \r\n"
        "\t\tPayeeEarningsView\r\n"
        "\tPresentor Reports(s): \r\n"
        "\t\tPayee Statement\r\n"
        "\t\tSales Dashboard\r\n"
        "\tTailored Report(s): \r\n"
        "\t\t(TR01) Monthly Commission Statement\r\n"
        "\tCompensation Plan(s): \r\n"
        "\t\t(AE2026) Account Executive Plan 2026\r\n"
        "\t\t(SM2026) Sales Manager Plan 2026\r\n"
        "\r\n"
        "Folder: \r\n"
        " \tCalculations (Root)\r\n"
        "        Sales Compensation\r\n"
        "            Commissions\r\n"
        "                Monthly\r\n"
        "                    Commission Amount\r\n"
        "\r\n"
        "\r\n");

} // namespace

TEST(CalcDetail, RichCalculationRendersExactly)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kSourceModel));
    SetCalcFlags(false); // the preview ignores the flags
    EXPECT_EQ(GetCalculationDetails(cn, QStringLiteral("Commission Amount")), kCommissionHtml);
    SetCalcFlags(true);
    // Blanks around the name find the calculation; the heading shows the stored name.
    EXPECT_EQ(ExportCalculationDetails(cn, QStringLiteral("  Commission Amount ")), kCommissionText);
    SetCalcFlags(false);
    EXPECT_TRUE(LogMessages().isEmpty()) << LogMessages().join('\n').toStdString();
}

TEST(CalcDetail, ExportComputesOnlyTheFlaggedSections)
{
    auto cn = OpenDemoModel(QLatin1String(kSourceModel));
    const QString heading = QStringLiteral("----------------------------------------------------------------------------------------------------\r\n"
                                           "Calculation: Commission Amount\r\n\r\n");
    const QString rowQuery = QStringLiteral(
        "SELECT [CALCID]=[CalculationID], [CALCTYPE] = [Type], [CALCNAME]=[Name], [CALCCOMMENT]=[Comment], "
        "[CALCPRIMARYSOURCE] = [Source], [CALCOPERATION] = [Operation], [CALCCALENDARUSED]= [CalendarUsed], "
        "[CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = [ResetLevel] FROM [Calculation] WHERE [Name] = 'Commission Amount'");
    SetCalcFlags(false);
    {
        StatementRecorder rec;
        EXPECT_EQ(ExportCalculationDetails(cn, QStringLiteral("Commission Amount")), heading);
        EXPECT_EQ(rec.statements, QStringList{rowQuery});
    }
    g_bCalcFormula = true;
    {
        StatementRecorder rec;
        EXPECT_EQ(ExportCalculationDetails(cn, QStringLiteral("Commission Amount")),
                  heading
                      + QStringLiteral("Formula: ( SalesTransactions.Amount * CommissionRates.Rate ) + Quarterly Bonus - "
                                       "Draw Recovery.Recovery + PayeeMaster.RegionCode * 0\r\n\r\n"));
        const QString joins = QStringLiteral(
            "SELECT [TABLENAME1] = [Table1], [COLUMNNAME1] = [Column1], [TABLENAME2] = [Table2], [COLUMNNAME2] = [Column2] "
            "FROM CalculationJoin WHERE CalculationID = 1005 ORDER BY Position ASC");
        const QString lookups = QStringLiteral("SELECT [CALCORTABLENAME] = [Name], [CALCORTABLESOURCE] = [Source] FROM "
                                               "CalculationLookup WHERE CalculationID = 1005 ORDER BY LookupID ASC");
        // One resolver query per token, repeats included; nothing of the other sections.
        EXPECT_EQ(rec.statements,
                  (QStringList{rowQuery, joins, joins, lookups, lookups,
                               QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = 1006")}));
    }
    SetCalcFlags(false);
}

TEST(CalcDetail, AnUnknownCalculationCostsOneErrorLine)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kSourceModel));
    SetCalcFlags(true);
    EXPECT_EQ(GetCalculationDetails(cn, QStringLiteral("No Such Calc")), QLatin1String(kErrorSpacer));
    EXPECT_EQ(ExportCalculationDetails(cn, QStringLiteral("  No Such Calc ")), QString());
    SetCalcFlags(false);
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Function: GetCalculationDetails() --> Code: 3021 --> Description: ")));
    // The export's line carries the name exactly as passed.
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("Function: ExportCalculationDetails(  No Such Calc ) --> Code: 3021 --> ")));
}

TEST(CalcDetail, ModelTextsAreEscapedInHtmlOnly)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    const QString html = GetCalculationDetails(cn, QStringLiteral("Rate <Tier> & Bonus"));
    for (const char* piece : {
             "&nbsp;Primary Source: O&#39;Brien Commission</font>",
             "Add Columns: <u>Rates &lt;2026&gt; &amp; More</u><br>&nbsp;&nbsp;&nbsp;Rates &lt;2026&gt; &amp; "
             "More.RateCode  =  R&lt;1&gt;<br></font></td>",
             ">Formula</font></b></td><td width='80%'>&nbsp;<font  face='Calibri' size='2'>O&#39;Brien Commission + Rates "
             "&lt;2026&gt; &amp; More.Rate&nbsp;</font></td>",
             "&nbsp;O&#39;Brien View<br>",
             "Report &lt;One&gt; &amp; Two<br>",
             "&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Rate &lt;Tier&gt; &amp; Bonus</font>",
         })
        EXPECT_TRUE(html.contains(QString::fromUtf8(piece))) << piece;
    EXPECT_FALSE(html.contains(QStringLiteral("<2026>")));

    g_bCalcFormula = g_bCalcDataSources = true;
    EXPECT_EQ(ExportCalculationDetails(cn, QStringLiteral("Rate <Tier> & Bonus")),
              QStringLiteral("----------------------------------------------------------------------------------------------------\r\n"
                             "Calculation: Rate <Tier> & Bonus\r\n\r\n"
                             "Data Source(s): \r\n"
                             "\tPrimary Source: O'Brien Commission\r\n"
                             "\tJoin Type: By Column\r\n"
                             "\tAdd Columns: Rates <2026> & More\r\n"
                             "\tRates <2026> & More.RateCode  =  R<1>\r\n\r\n"
                             "Formula: O'Brien Commission + Rates <2026> & More.Rate\r\n\r\n"));
    SetCalcFlags(false);
    // The quote in the name is doubled in the statements, so nothing failed.
    EXPECT_TRUE(GetCalculationDetails(cn, QStringLiteral("O'Brien Commission")).contains(QStringLiteral(">Base Amount * 0.1&nbsp;<")));
    EXPECT_TRUE(LogMessages().isEmpty()) << LogMessages().join('\n').toStdString();
}

TEST(CalcDetail, NullLookupSourceAndNullPartitionTableReadAsEmpty)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    const QString nullLookup = GetCalculationDetails(cn, QStringLiteral("Null Lookup Source"));
    EXPECT_TRUE(nullLookup.contains(QStringLiteral(
        "<td width='99%'> <font face='Calibri' size='2'>Add Columns: <u> [Nothing]</u><br></font></td></table>")));
    // The blank source resolves nothing, so the token stays.
    EXPECT_TRUE(nullLookup.contains(QStringLiteral(">_LookupAlias0 + 1&nbsp;<")));
    const QString nullPartition = GetCalculationDetails(cn, QStringLiteral("Null Partition Source"));
    EXPECT_TRUE(nullPartition.contains(QStringLiteral(
        "<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;1 - .Month [Month] "
        "[EDGE/Month/Year]</font></td></tr></table>")));
    EXPECT_TRUE(LogMessages().isEmpty()) << LogMessages().join('\n').toStdString();
}
