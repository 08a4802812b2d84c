// The status digit of every compared object of the demo source model against the
// target, which sections make each mismatch, and the kinds not compared.
#include "ComparatorTestSupport.h"

#include "compare/CompareObject.h"
#include "reports/DetailSectionFlags.h"
#include "reports/ModelRead.h"
#include "support/TestEnvironment.h"

#include <QMap>

using namespace bkl::comparetest;
using bkl::compare::CompareObject;

namespace {
class ComparatorStatus : public ComparatorTest {
protected:
    static QString compare(const QString& name, const char* kind)
    {
        return CompareObject(sides(), name, QString::fromUtf8(kind));
    }
};
} // namespace

TEST_F(ComparatorStatus, EveryDemoObjectAndTheSectionsThatDiffer)
{
    // Every object of each kind: the ones not identical, and how many were compared.
    const struct {
        const char* listSql;
        const char* kind;
        int count;
        QMap<QString, QString> notIdentical;
    } kinds[] = {
        {"SELECT TableName AS N FROM CustomTable WHERE TableType <> 'View'", "TABLE", 15,
         {{"CommissionRates", "0"}, {"ProductLookup", "0"}, {"SalesTransactions", "0"}, {"QuotaTargets", "2"}}},
        {"SELECT TableName AS N FROM CustomTable WHERE TableType = 'View'", "VIEW", 5,
         {{"RegionSalesView", "0"}, {"QuotaAttainmentView", "2"}}},
        {"SELECT '(' + TimeID + ') ' + [Name] AS N FROM [Time] WHERE Parent IS NULL", "CALENDAR", 3,
         {{"(STD) Standard Calendar", "0"}, {"(RETAIL) Retail Calendar", "2"}}},
        {"SELECT [Name] AS N FROM Calculation", "CALCULATION", 41,
         {{"Quarterly Bonus", "0"}, {"Attainment Rank", "0"}, {"Product Mix", "0"}, {"Quota Attainment", "0"},
          {"Team Sales Rollup", "0"}, {"Legacy Adjustment", "2"}}},
        {"SELECT [Name] AS N FROM WebReport", "PRESENTOR REPORT", 4, {{"Region Summary", "0"}, {"Quota Tracker", "2"}}},
    };
    for (const auto& k : kinds) {
        const QStringList names = bkl::reports::ReadTexts(source(), QString::fromUtf8(k.listSql), QStringLiteral("N"));
        EXPECT_EQ(names.size(), k.count) << k.kind;
        QMap<QString, QString> notIdentical;
        for (const QString& name : names) {
            const QString status = StatusOf(compare(name, k.kind));
            if (status != QLatin1String("1"))
                notIdentical.insert(name, status);
        }
        EXPECT_EQ(notIdentical, k.notIdentical) << k.kind;
    }

    const struct {
        const char* name;
        const char* kind;
        QStringList marked;
    } mismatches[] = {
        {"CommissionRates", "TABLE", {"Columns:"}},
        // The extra column also adds a calculation the view draws on.
        {"RegionSalesView", "VIEW", {"Column(s):", "Dependent Object(s):"}},
        {"(STD) Standard Calendar", "CALENDAR", {"Time Hierarchy:"}},
        {"Quarterly Bonus", "CALCULATION", {"Formula:"}},
        {"Attainment Rank", "CALCULATION", {"Description:", "Dependencies:"}},
        // The month partition's tag names the calendar too.
        {"Product Mix", "CALCULATION", {"Partitions:", "Calendar:"}},
        {"Region Summary", "PRESENTOR REPORT", {"Source Dependencies:"}},
    };
    for (const auto& m : mismatches)
        EXPECT_EQ(MarkedSections(PageOf(compare(QString::fromUtf8(m.name), m.kind))), m.marked) << m.name;

    // A view is no table, and a table no view; a calendar needs both its id and name in the target.
    EXPECT_EQ(StatusOf(compare(QStringLiteral("PayeeEarningsView"), "TABLE")), QStringLiteral("2"));
    EXPECT_EQ(StatusOf(compare(QStringLiteral("PayeeMaster"), "VIEW")), QStringLiteral("2"));
    EXPECT_EQ(StatusOf(compare(QStringLiteral("(STD) Fiscal Calendar"), "CALENDAR")), QStringLiteral("2"));
    // Kinds not compared give nothing.
    for (const char* kind : {"COMPENSATION PLAN", "TAILORED REPORT", "Table", " TABLE", "CALCULATIONS", ""})
        EXPECT_EQ(compare(QStringLiteral("PayeeMaster"), kind), QString()) << kind;
    EXPECT_TRUE(ErrorMessages().isEmpty()) << ErrorMessages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ComparatorStatus, StoredOrderIsNoDifferenceAndAFailedReadIsAnError)
{
    // Each table's rows stored again in reverse order.
    const auto reversed = [](const char* table) {
        return QStringLiteral("CREATE TEMP TABLE r_%1 AS SELECT * FROM %1 ORDER BY rowid DESC; DELETE FROM %1; "
                              "INSERT INTO %1 SELECT * FROM r_%1;")
            .arg(QLatin1String(table));
    };
    const struct {
        QString change; // made to a copy of the source, the target
        std::vector<std::pair<const char*, const char*>> objects;
        const char* status;
    } cases[] = {
        {reversed("CalcConstraintTree"), {{"Commission Amount", "CALCULATION"}, {"Product Mix", "CALCULATION"}}, "1"},
        {QStringLiteral("DROP VIEW PayeeEarningsView; CREATE VIEW [PayeeEarningsView] AS SELECT 0.0 AS [Quota "
                        "Attainment.Value], 0.0 AS [Total Sales.Value], 0.0 AS [Commission Amount.Value], PayeeID "
                        "AS [Commission Amount.PayeeID] FROM PayeeMaster;"),
         {{"PayeeEarningsView", "VIEW"}},
         "1"},
        {reversed("WebReportDependency") + reversed("WebReportCalculation"), {{"Sales Dashboard", "PRESENTOR REPORT"}}, "1"},
        // No existence test, fetch or union over calculations can be read: never "Not Exists" or a comparison.
        {QStringLiteral("DROP TABLE Calculation;"),
         {{"Commission Amount", "CALCULATION"}, {"Legacy Adjustment", "CALCULATION"}, {"Sales Dashboard", "PRESENTOR REPORT"}},
         "3"},
    };
    for (const auto& c : cases) {
        const bkl::db::Connection copy = bkl::test::OpenAlteredDemoModel(QLatin1String(bkl::test::kSourceModel), c.change);
        const bkl::compare::CompareSides toCopy{source(), copy, QStringLiteral("s"), QStringLiteral("t")};
        for (const auto& [name, kind] : c.objects) {
            const QString result = CompareObject(toCopy, QString::fromUtf8(name), QString::fromUtf8(kind));
            EXPECT_EQ(StatusOf(result), QLatin1String(c.status)) << name << ": " << MarkedSections(PageOf(result)).join(',').toStdString();
        }
    }
}

TEST_F(ComparatorStatus, SwitchesOffCompareNothing)
{
    SetAllSectionFlags(false);
    const struct {
        const char* name;
        const char* kind;
    } mismatches[] = {{"CommissionRates", "TABLE"},      {"RegionSalesView", "VIEW"},
                      {"(STD) Standard Calendar", "CALENDAR"}, {"Quarterly Bonus", "CALCULATION"},
                      {"Region Summary", "PRESENTOR REPORT"}};
    for (const auto& m : mismatches) {
        const QString result = compare(QString::fromUtf8(m.name), m.kind);
        EXPECT_EQ(StatusOf(result), QStringLiteral("1")) << m.name;
        EXPECT_TRUE(result.endsWith(QStringLiteral("size='2'>TARGET</font></b></td></tr></table>"))) << m.name;
    }
    // A missing object is still missing.
    EXPECT_EQ(StatusOf(compare(QStringLiteral("QuotaTargets"), "TABLE")), QStringLiteral("2"));

    // Only the switched-on section is compared.
    g_bTableColumns = true;
    EXPECT_EQ(StatusOf(compare(QStringLiteral("CommissionRates"), "TABLE")), QStringLiteral("0"));
    EXPECT_EQ(StatusOf(compare(QStringLiteral("ProductLookup"), "TABLE")), QStringLiteral("1"));
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
