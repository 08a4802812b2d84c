// The status digit of every compared kind on the demo source and target models,
// and which sections make a mismatch.
#include "ComparatorTestSupport.h"

#include "compare/CompareObject.h"
#include "reports/DetailSectionFlags.h"
#include "support/TestEnvironment.h"

#include <QRegularExpression>

using namespace bkl::comparetest;
using bkl::compare::CompareObject;

namespace {
class ComparatorStatus : public ComparatorTest {
protected:
    static QString status(const char* name, const char* kind)
    {
        return StatusOf(CompareObject(sides(), QString::fromUtf8(name), QString::fromUtf8(kind)));
    }
    static QStringList marked(const char* name, const char* kind)
    {
        return MarkedSections(PageOf(CompareObject(sides(), QString::fromUtf8(name), QString::fromUtf8(kind))));
    }
};
} // namespace

TEST_F(ComparatorStatus, Tables)
{
    for (const char* name : {"PayeeMaster", "RegionLookup", "SalesAdjustments", "GenTable0001", "GenTable0008"})
        EXPECT_EQ(status(name, "TABLE"), QStringLiteral("1")) << name;
    EXPECT_EQ(marked("CommissionRates", "TABLE"), QStringList{QStringLiteral("Columns:")});
    EXPECT_EQ(marked("ProductLookup", "TABLE"), QStringList{QStringLiteral("Table Type:")});
    EXPECT_EQ(marked("SalesTransactions", "TABLE"), QStringList{QStringLiteral("Record Count:")});
    for (const char* name : {"CommissionRates", "ProductLookup", "SalesTransactions"})
        EXPECT_EQ(status(name, "TABLE"), QStringLiteral("0")) << name;
    EXPECT_EQ(status("QuotaTargets", "TABLE"), QStringLiteral("2"));
    // A view is no table, and a table no view.
    EXPECT_EQ(status("PayeeEarningsView", "TABLE"), QStringLiteral("2"));
    EXPECT_EQ(status("PayeeMaster", "VIEW"), QStringLiteral("2"));
    EXPECT_TRUE(ErrorMessages().isEmpty()) << ErrorMessages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ComparatorStatus, Views)
{
    for (const char* name : {"PayeeEarningsView", "GenView0001", "GenView0002"})
        EXPECT_EQ(status(name, "VIEW"), QStringLiteral("1")) << name;
    EXPECT_EQ(status("RegionSalesView", "VIEW"), QStringLiteral("0"));
    // The extra column also adds a calculation the view draws on.
    EXPECT_EQ(marked("RegionSalesView", "VIEW"),
              (QStringList{QStringLiteral("Column(s):"), QStringLiteral("Dependent Object(s):")}));
    EXPECT_EQ(status("QuotaAttainmentView", "VIEW"), QStringLiteral("2"));
    EXPECT_TRUE(ErrorMessages().isEmpty());
}

TEST_F(ComparatorStatus, Calendars)
{
    EXPECT_EQ(status("(FISCAL) Fiscal Calendar", "CALENDAR"), QStringLiteral("1"));
    EXPECT_EQ(status("(STD) Standard Calendar", "CALENDAR"), QStringLiteral("0"));
    EXPECT_EQ(marked("(STD) Standard Calendar", "CALENDAR"), QStringList{QStringLiteral("Time Hierarchy:")});
    EXPECT_EQ(status("(RETAIL) Retail Calendar", "CALENDAR"), QStringLiteral("2"));
    // Both the id and the name must match a root row of the target.
    EXPECT_EQ(status("(STD) Fiscal Calendar", "CALENDAR"), QStringLiteral("2"));
    EXPECT_TRUE(ErrorMessages().isEmpty());
}

TEST_F(ComparatorStatus, Calculations)
{
    for (const char* name : {"Commission Amount", "Total Sales", "Region Sales", "Accelerator Rate", "Draw Recovery",
                             "_WR_Dashboard Sales", "Gen Metric 00001"})
        EXPECT_EQ(status(name, "CALCULATION"), QStringLiteral("1")) << name;
    EXPECT_EQ(marked("Quarterly Bonus", "CALCULATION"), QStringList{QStringLiteral("Formula:")});
    EXPECT_EQ(marked("Attainment Rank", "CALCULATION"),
              (QStringList{QStringLiteral("Description:"), QStringLiteral("Dependencies:")}));
    // The month partition's tag names the calendar too.
    EXPECT_EQ(marked("Product Mix", "CALCULATION"),
              (QStringList{QStringLiteral("Partitions:"), QStringLiteral("Calendar:")}));
    EXPECT_EQ(marked("Quota Attainment", "CALCULATION"), QStringList{QStringLiteral("Dependencies:")});
    EXPECT_EQ(marked("Team Sales Rollup", "CALCULATION"), QStringList{QStringLiteral("Dependencies:")});
    for (const char* name : {"Quarterly Bonus", "Attainment Rank", "Product Mix", "Quota Attainment", "Team Sales Rollup"})
        EXPECT_EQ(status(name, "CALCULATION"), QStringLiteral("0")) << name;
    EXPECT_EQ(status("Legacy Adjustment", "CALCULATION"), QStringLiteral("2"));
    EXPECT_TRUE(ErrorMessages().isEmpty()) << ErrorMessages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ComparatorStatus, PresentorReports)
{
    EXPECT_EQ(status("Sales Dashboard", "PRESENTOR REPORT"), QStringLiteral("1"));
    EXPECT_EQ(status("Payee Statement", "PRESENTOR REPORT"), QStringLiteral("1"));
    EXPECT_EQ(marked("Region Summary", "PRESENTOR REPORT"), QStringList{QStringLiteral("Source Dependencies:")});
    EXPECT_EQ(status("Quota Tracker", "PRESENTOR REPORT"), QStringLiteral("2"));
    EXPECT_TRUE(ErrorMessages().isEmpty());
}

TEST_F(ComparatorStatus, KindsNotComparedGiveNothing)
{
    for (const char* kind : {"COMPENSATION PLAN", "TAILORED REPORT", "Table", " TABLE", "CALCULATIONS", ""})
        EXPECT_EQ(CompareObject(sides(), QStringLiteral("PayeeMaster"), QString::fromUtf8(kind)), QString()) << kind;
    EXPECT_EQ(CompareObject(sides(), QStringLiteral("(AE2026) Account Executive Plan 2026"),
                            QStringLiteral("COMPENSATION PLAN")),
              QString());
}

TEST_F(ComparatorStatus, SwitchesOffCompareNothing)
{
    SetAllSectionFlags(false);
    const QString header = QStringLiteral(
        "<tr><td width='10%' ><b><font  face='Calibri' size='2'>&nbsp;</font></b></td>"
        "<td width='45%' ><b><font  face='Calibri' size='2'>SOURCE</font></b></td>"
        "<td width='45%' ><b><font  face='Calibri' size='2'>TARGET</font></b></td></tr></table>");
    const struct {
        const char* name;
        const char* kind;
    } mismatches[] = {{"CommissionRates", "TABLE"},      {"RegionSalesView", "VIEW"},
                      {"(STD) Standard Calendar", "CALENDAR"}, {"Quarterly Bonus", "CALCULATION"},
                      {"Region Summary", "PRESENTOR REPORT"}};
    for (const auto& m : mismatches) {
        const QString result = CompareObject(sides(), QString::fromUtf8(m.name), QString::fromUtf8(m.kind));
        EXPECT_EQ(StatusOf(result), QStringLiteral("1")) << m.name;
        EXPECT_TRUE(result.endsWith(header)) << m.name;
    }
    // A missing object is still missing.
    EXPECT_EQ(StatusOf(CompareObject(sides(), QStringLiteral("QuotaTargets"), QStringLiteral("TABLE"))),
              QStringLiteral("2"));

    // Only the switched-on section is compared.
    g_bTableColumns = true;
    EXPECT_EQ(StatusOf(CompareObject(sides(), QStringLiteral("CommissionRates"), QStringLiteral("TABLE"))),
              QStringLiteral("0"));
    EXPECT_EQ(StatusOf(CompareObject(sides(), QStringLiteral("ProductLookup"), QStringLiteral("TABLE"))),
              QStringLiteral("1"));
}

TEST_F(ComparatorStatus, ConnectionsAloneNameTheModelsByTheirConnectionStrings)
{
    const QString result = CompareObject(source(), target(), QStringLiteral("QuotaTargets"), QStringLiteral("TABLE"));
    EXPECT_TRUE(result.contains(QStringLiteral("'>Source Model: SalesModel2026@") + bkl::test::DemoServerFolder()
                                + QStringLiteral("</font>")));
    EXPECT_TRUE(result.contains(QStringLiteral("'>Target Model: SalesModel2026_Target@")
                                + bkl::test::DemoServerFolder() + QStringLiteral("</font>")));
    EXPECT_EQ(bkl::compare::ModelCaption(bkl::db::Connection()), QString());
}
