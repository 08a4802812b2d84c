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

// A section whose two cells are equal: its label and the same cell twice.
QString Same(const char* label, const QString& cell)
{
    return QStringLiteral("<tr><td width='10%' ><b><font  face='Calibri' size='2'>") + QLatin1String(label)
        + QStringLiteral("</font></b></td>") + cell + cell + QStringLiteral("</tr>");
}
QString Plain(const char* text)
{
    return QStringLiteral("<td width='45%' ><font  face='Calibri' size='2'>") + QLatin1String(text)
        + QStringLiteral("</font></td>");
}
QString Table(const QString& rows)
{
    return QStringLiteral("<td width='45%' valign='top' ><font  face='Calibri' size='2'><table border='0' width='100%'>")
        + rows + QStringLiteral("</table></font></td>");
}
QString Line(int blanks, const char* text)
{
    return QStringLiteral("<tr><td > <font face='Calibri' size='2'>") + QStringLiteral("&nbsp;").repeated(blanks)
        + QLatin1String(text) + QStringLiteral("</font></td></tr>");
}
QString Dependents(const char* label, const char* width, const char* names)
{
    return QStringLiteral("<tr><td width='35%'> <font face='Calibri' size='2'>&nbsp;") + QLatin1String(label)
        + QStringLiteral("</font></td><td width='") + QLatin1String(width)
        + QStringLiteral("'> <font face='Calibri' size='2'>") + QLatin1String(names) + QStringLiteral("</font></td></tr>");
}

// The formula differs (plain cell: orange, white text). The folder named
// "Bonus --> Quarterly" splits into two levels, as the stored path reads.
const QString kQuarterlyBonusPage =
    QStringLiteral(
        "0<table border='1' align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Calculation: Quarterly Bonus</font></b></td></tr>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Source Model: SalesModel2026@demo</font></b></td></tr>"
        "<tr ><td colspan='3'><b><font  face='Calibri' size='2'>Target Model: SalesModel2026_Target@demo</font></b></td></tr>"
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>&nbsp;</font></b></td>"
        "<td width='45%' ><b><font  face='Calibri' size='2'>SOURCE</font></b></td>"
        "<td width='45%' ><b><font  face='Calibri' size='2'>TARGET</font></b></td></tr>")
    + Same("Type:", Plain("User-Defined Calculation"))
    + Same("Description:", Plain("Bonus for payees at or above quota in a quarter."))
    + Same("Data Source(s):", Table(QStringLiteral("<tr><td colspan=2> <font face='Calibri' size='2'>&nbsp;Primary Source: "
                                                   "PayeeMaster</font></td></tr>")))
    + QStringLiteral(
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>Formula:</font></b></td>"
        "<td width='45%' ><font  face='Calibri' size='2'>IIF( Quota Attainment &gt;= 100, Total Sales * 0.02, 0 )</font></td>"
        "<td width='45%' bgcolor = '#FF8040'><font  color = '#FFFFFF' face='Calibri' size='2'>IIF( Quota Attainment &gt;= 100, "
        "Total Sales * 0.025, 0 )</font></td></tr>")
    + Same("Partitions:", Table(Line(1, "1 - PayeeMaster.PayeeID [Payee] ")
                                + Line(1, "2 - Time.Quarter [Quarter] [FISCAL/Quarter/Year]")))
    + Same("Restrictions:", Table(QStringLiteral("<td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
                                                 "<td width='99%'> <font face='Calibri' size='2'>&nbsp;&nbsp;PayeeMaster.Title"
                                                 "  =  Account Executive<br></font></td>")))
    + Same("Calendar:", Plain("FISCAL - Fiscal Calendar"))
    + Same("Dependencies:", Table(Dependents("View(s):", "66%", "* None *")
                                  + Dependents("Presentor Reports(s):", "65%", "* None *")
                                  + Dependents("Tailored Report(s):", "65%", "(TR02) Quarterly Bonus Summary<br>")
                                  + Dependents("Compensation Plan(s):", "65%", "(AE2026) Account Executive Plan 2026<br>")))
    + Same("Folder:", Table(Line(1, "Calculations (Root)") + Line(8, "Sales Compensation") + Line(12, "Commissions")
                            + Line(16, "Quarterly") + Line(20, "Bonus") + Line(24, "Quarterly Bonus")))
    + QStringLiteral("</table>");
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
