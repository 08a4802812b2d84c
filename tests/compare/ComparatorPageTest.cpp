// A whole comparison page, byte for byte: a calculation that differs between the
// demo models, and the pieces of the other kinds' pages.
#include "ComparatorTestSupport.h"

#include "compare/CompareObject.h"

using namespace bkl::comparetest;
using bkl::compare::CompareObject;

namespace {
class ComparatorPage : public ComparatorTest {
protected:
    static QString compare(const char* name, const char* kind)
    {
        return CompareObject(sides(), QString::fromUtf8(name), QString::fromUtf8(kind));
    }
};

// The formula differs (plain cell: orange, white text). The folder named
// "Bonus --> Quarterly" splits into two levels, as the stored path reads.
const QString kQuarterlyBonusPage = QStringLiteral(
        "0<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Calculation: Quarterly Bonus</font></b></td></tr>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: SalesModel2026@demo</font></b></td></tr>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Target Model: SalesModel2026_Target@demo</font></b></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>&nbsp;</font></b></td>"
        "<td width='45%' ><b><font  face='Calibri' size='2'>SOURCE</font></b></td>"
        "<td width='45%' ><b><font  face='Calibri' size='2'>TARGET</font></b></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Type:</font></b></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>User-Defined Calculation</font></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>User-Defined Calculation</font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Description:</font></b></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>Bonus for payees at or above quota in a quarter.</font></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>Bonus for payees at or above quota in a quarter.</font></td>"
        "</tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Data Source(s):</font></b></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td colspan=2> <font face='Calibri' size='2'>&nbsp;Primary Source: PayeeMaster</font></td>"
        "</tr></table></font></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td colspan=2> <font face='Calibri' size='2'>&nbsp;Primary Source: PayeeMaster</font></td>"
        "</tr></table></font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Formula:</font></b></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>IIF( Quota Attainment &gt;= 100, Total Sales * 0.02, 0 )</font></td><td width='45%' bgcolor = '#FF8040'><font  color = '#FFFFFF' face='Calibri' size='2'>IIF( Quota Attainment &gt;= 100, Total Sales * 0.025, 0 )</font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Partitions:</font></b></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;1 - PayeeMaster.PayeeID [Payee] </font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;2 - Time.Quarter [Quarter] [FISCAL/Quarter/Year]</font></td>"
        "</tr></table></font></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;1 - PayeeMaster.PayeeID [Payee] </font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;2 - Time.Quarter [Quarter] [FISCAL/Quarter/Year]</font></td>"
        "</tr></table></font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Restrictions:</font></b></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'><td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td><td width='99%'> <font face='Calibri' size='2'>&nbsp;&nbsp;PayeeMaster.Title  =  Account Executive<br></font></td></table></font></td><td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'><td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td><td width='99%'> <font face='Calibri' size='2'>&nbsp;&nbsp;PayeeMaster.Title  =  Account Executive<br></font></td></table></font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Calendar:</font></b></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>FISCAL - Fiscal Calendar</font></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>FISCAL - Fiscal Calendar</font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Dependencies:</font></b></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;View(s):</font></td>"
        "<td width='66%'> <font face='Calibri' size='2'>* None *</font></td></tr>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;Presentor Reports(s):</font></td>"
        "<td width='65%'> <font face='Calibri' size='2'>* None *</font></td></tr>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;Tailored Report(s):</font></td>"
        "<td width='65%'> <font face='Calibri' size='2'>(TR02) Quarterly Bonus Summary<br></font></td></tr>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;Compensation Plan(s):</font></td>"
        "<td width='65%'> <font face='Calibri' size='2'>(AE2026) Account Executive Plan 2026<br></font></td>"
        "</tr></table></font></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;View(s):</font></td>"
        "<td width='66%'> <font face='Calibri' size='2'>* None *</font></td></tr>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;Presentor Reports(s):</font></td>"
        "<td width='65%'> <font face='Calibri' size='2'>* None *</font></td></tr>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;Tailored Report(s):</font></td>"
        "<td width='65%'> <font face='Calibri' size='2'>(TR02) Quarterly Bonus Summary<br></font></td></tr>"
        "<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;Compensation Plan(s):</font></td>"
        "<td width='65%'> <font face='Calibri' size='2'>(AE2026) Account Executive Plan 2026<br></font></td>"
        "</tr></table></font></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Folder:</font></b></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;Calculations (Root)</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Sales Compensation</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Commissions</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Quarterly</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Bonus</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Quarterly Bonus</font></td></tr></table></font></td><td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;Calculations (Root)</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Sales Compensation</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Commissions</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Quarterly</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Bonus</font></td></tr>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Quarterly Bonus</font></td></tr></table></font></td></tr></table>"
);
} // namespace

TEST_F(ComparatorPage, MismatchingCalculationWholePage)
{
    EXPECT_EQ(compare("Quarterly Bonus", "CALCULATION"), kQuarterlyBonusPage);
    // A table page has the same frame; its differing Columns cell is orange with white text.
    EXPECT_TRUE(compare("CommissionRates", "TABLE")
                    .contains(QStringLiteral("<td width='45%' valign='top' bgcolor = '#FF8040'><font color = '#FFFFFF' "
                                             "face='Calibri' size='2'><table border='0' width='100%'  cellspacing='0' "
                                             "cellpadding='0'><tr><td width='40%' ><b><font  face='Calibri' "
                                             "size='2'>Column</font></b></td>")));
    EXPECT_TRUE(ErrorMessages().isEmpty());
}

TEST_F(ComparatorPage, MissingObjectsEndWithTheirKindsRow)
{
    const QString titles = QStringLiteral(
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: SalesModel2026@demo</font></b></td></tr>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Target Model: SalesModel2026_Target@demo</font></b></td></tr>");
    const QString open = QStringLiteral(
        "2<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' "
        "cellpadding='0'><tr ><td colspan='3'><b><font  face='Calibri' size='2'>");
    const auto missing = [&](const char* title, const char* kind) {
        return open + QString::fromUtf8(title) + QStringLiteral("</font></b></td></tr>") + titles
            + QStringLiteral("<tr><td Colspan='3' bgcolor = '#FF8040'><b><font  face='Calibri' size='2'>** ")
            + QString::fromUtf8(kind) + QStringLiteral(" Not exists in target model **</font></b></td></tr></table>");
    };
    EXPECT_EQ(compare("QuotaTargets", "TABLE"), missing("Table Name: QuotaTargets", "Table"));
    EXPECT_EQ(compare("Quota Tracker", "PRESENTOR REPORT"),
              missing("Presentor Report: Quota Tracker", "Presentor Report"));
    // Missing is missing whatever the switches say.
    SetAllSectionFlags(false);
    EXPECT_EQ(compare("QuotaTargets", "TABLE"), missing("Table Name: QuotaTargets", "Table"));
}

TEST_F(ComparatorPage, SectionRowsOfTheOtherKinds)
{
    // Counts are grouped; a differing count keeps the default text colour.
    EXPECT_TRUE(compare("SalesTransactions", "TABLE")
                    .contains(QStringLiteral(
                        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Record Count:</font></b></td>"
                        "<td width='45%' ><font  face='Calibri' size='2'>1,500</font></td>"
                        "<td width='45%' bgcolor = '#FF8040'><font face='Calibri' size='2'>1,480</font></td></tr>")));

    const QString view = compare("RegionSalesView", "VIEW");
    EXPECT_TRUE(view.contains(QStringLiteral(
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Column(s):</font></b></td>"
        "<td width='45%' valign='top'><font  face='Calibri' size='2'><table border='0' width='100%'>"
        "<tr><td > <font face='Calibri' size='2'>&nbsp;Region Sales.RegionCode </font></td></tr>")));

    const QString calendar = compare("(STD) Standard Calendar", "CALENDAR");
    EXPECT_TRUE(calendar.contains(QStringLiteral(
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Time Hierarchy:</font></b></td>"
        "<td width='45%' valign='top'><font  face='Calibri' size='2'><table border='0' align = 'center' "
        "bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
        "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Period Name</font></b></td>")));

    const QString report = compare("Region Summary", "PRESENTOR REPORT");
    EXPECT_TRUE(report.endsWith(QStringLiteral(
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Linked Report(s):</font></b></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'>* None *</font></td>"
        "<td width='45%' valign='top' ><font  face='Calibri' size='2'>* None *</font></td></tr></table>")));
    EXPECT_TRUE(ErrorMessages().isEmpty());
}
