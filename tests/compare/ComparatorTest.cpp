// The comparison of the demo source model against the target: its own statements,
// the status of every compared object and the sections that make each mismatch,
// a whole page byte for byte and the rows of the other kinds' pages, stored order,
// failed reads and the section switches.
#include "ComparatorTestSupport.h"

#include "compare/CompareSql.h"
#include "compare/ComparisonPage.h"
#include "compare/SectionCells.h"
#include "reports/DetailSectionFlags.h"
#include "reports/ModelRead.h"
#include "support/TestEnvironment.h"

#include <QMap>

using namespace bkl::comparetest;
using namespace bkl::compare::sql;

namespace {

using ComparatorPage = ComparatorTest;
using ComparatorStatus = ComparatorTest;

// The mismatching objects of each kind and the sections that differ.
const struct {
    const char* name;
    const char* kind;
    QStringList marked;
} kMismatches[] = {
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

TEST(ComparatorSql, ExistenceTests)
{
    EXPECT_EQ(TableExists(QStringLiteral("CommissionRates")),
              QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'CommissionRates' AND TableType <> 'View' "));
    EXPECT_EQ(ViewExists(QStringLiteral("O'Brien View")),
              QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'O''Brien View' AND TableType = 'View' "));
    EXPECT_EQ(CalendarExists(QStringLiteral("O'Brien Calendar"), QStringLiteral("O'B")),
              QStringLiteral("SELECT COUNT(1) FROM [Time] WHERE [Name] = 'O''Brien Calendar' AND TimeID = 'O''B' AND "
                             "Parent IS NULL"));
    EXPECT_EQ(PresentorReportExists(QStringLiteral("O'Brien Report")),
              QStringLiteral("SELECT COUNT(1) FROM WebReport WHERE [Name] = 'O''Brien Report'"));
    EXPECT_EQ(CalculationExists(QStringLiteral("Commission Amount")),
              QStringLiteral("SELECT COUNT(1) FROM Calculation WHERE [Name] = 'Commission Amount' "));
}

TEST(ComparatorSql, TableFetchers)
{
    EXPECT_EQ(TableType(QStringLiteral("O'Brien Accounts")),
              QStringLiteral("SELECT [TABLETYPE] = CT.TableType FROM CustomTable CT WHERE CT.TableName = 'O''Brien Accounts'"));
    EXPECT_EQ(TableColumnTypes(QStringLiteral("CommissionRates")),
              QStringLiteral("SELECT [COLUMNNAME] = CC.ColumnName, [COLUMNDATATYPE] = [Type] FROM CustomTable CT, "
                             "CustomColumn CC WHERE CT.TableName = CC.TableName AND CT.TableName = 'CommissionRates' "
                             "ORDER BY [Order]"));
}

TEST(ComparatorSql, CalculationFetchers)
{
    const QString n = QStringLiteral("O'Brien Commission");
    EXPECT_EQ(CalculationType(n), QStringLiteral("SELECT [CALCTYPE] = [Type] FROM [Calculation] WHERE [Name] = 'O''Brien Commission'"));
    EXPECT_EQ(CalculationFormula(n),
              QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCOPERATION] = [Operation] FROM [Calculation] WHERE "
                             "[Name] = 'O''Brien Commission'"));
    EXPECT_EQ(CalculationPartitionLevels(n),
              QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = "
                             "[ResetLevel], [CALCCALENDARUSED]= [CalendarUsed] FROM [Calculation] WHERE [Name] = "
                             "'O''Brien Commission'"));
}

TEST(ComparatorPageBuilder, TextsAreComparedExactly)
{
    const bkl::db::Connection none;
    const bkl::compare::CompareSides sides{none, none, QStringLiteral("S@h"), QStringLiteral("T@h")};
    const struct {
        const char* source;
        const char* target;
        const char* status;
    } cases[] = {{"Data", "Data", "1"}, {"Data", "data", "0"}, {"Data", "Data ", "0"}, {"&nbsp;", "&nbsp;", "1"}};
    for (const auto& c : cases) {
        bkl::compare::ComparisonPage page(QStringLiteral("Table Name: "), QStringLiteral("X"), sides);
        page.startSections();
        page.addSection(QStringLiteral("Table Type:"), bkl::compare::cells::TableType(), QString::fromUtf8(c.source),
                        QString::fromUtf8(c.target));
        EXPECT_EQ(page.finish().left(1), QLatin1String(c.status)) << c.source << " / " << c.target;
    }
    // No section: identical.
    bkl::compare::ComparisonPage empty(QStringLiteral("View Name: "), QStringLiteral("V"), sides);
    EXPECT_EQ(empty.finish().left(1), QStringLiteral("1"));
}

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
            const QString status = Status(name, k.kind);
            if (status != QLatin1String("1"))
                notIdentical.insert(name, status);
        }
        EXPECT_EQ(notIdentical, k.notIdentical) << k.kind;
    }

    for (const auto& m : kMismatches)
        EXPECT_EQ(MarkedSections(Compare(m.name, m.kind)), m.marked) << m.name;

    // A view is no table, and a table no view; a calendar needs both its id and name in the target.
    EXPECT_EQ(Status("PayeeEarningsView", "TABLE"), "2");
    EXPECT_EQ(Status("PayeeMaster", "VIEW"), "2");
    EXPECT_EQ(Status("(STD) Fiscal Calendar", "CALENDAR"), "2");
    // Kinds not compared give nothing.
    for (const char* kind : {"COMPENSATION PLAN", "TAILORED REPORT", "Table", " TABLE", "CALCULATIONS", ""})
        EXPECT_EQ(Compare("PayeeMaster", kind), QString()) << kind;
    EXPECT_TRUE(ErrorMessages().isEmpty()) << ErrorMessages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(ComparatorStatus, StoredOrderIsNoDifferenceAndAFailedReadIsAnError)
{
    // Restrictions under one parent show in the order of their text, whatever order the statement gives.
    EXPECT_TRUE(Compare("Product Mix", "CALCULATION").contains("ANY (<br>&nbsp;&nbsp;&nbsp;ProductLookup.ProductFamily  =  "
                                                              "Services<br>&nbsp;&nbsp;&nbsp;ProductLookup.ProductFamily  =  Software<br>"));
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
            const QString result = Compare(name, kind, toCopy);
            EXPECT_EQ(result.left(1), c.status) << name << ": " << MarkedSections(result).join(',').toStdString();
        }
    }
}

TEST_F(ComparatorStatus, SwitchesOffCompareNothing)
{
    SetAllSectionFlags(false);
    for (const auto& m : kMismatches) {
        const QString result = Compare(m.name, m.kind);
        EXPECT_EQ(result.left(1), "1") << m.name;
        EXPECT_TRUE(result.endsWith("size='2'>TARGET</font></b></td></tr></table>")) << m.name;
    }
    // Only the switched-on section is compared.
    g_bTableColumns = true;
    EXPECT_EQ(Status("CommissionRates", "TABLE"), "0");
    EXPECT_EQ(Status("ProductLookup", "TABLE"), "1");
}

TEST_F(ComparatorStatus, ConnectionsAloneNameTheModelsByTheirConnectionStrings)
{
    const QString result = bkl::compare::CompareObject(source(), target(), "QuotaTargets", "TABLE");
    EXPECT_TRUE(result.contains(QStringLiteral("'>Source Model: SalesModel2026@") + bkl::test::DemoServerFolder()
                                + QStringLiteral("</font>")));
    EXPECT_TRUE(result.contains(QStringLiteral("'>Target Model: SalesModel2026_Target@")
                                + bkl::test::DemoServerFolder() + QStringLiteral("</font>")));
    EXPECT_EQ(bkl::compare::ModelCaption(bkl::db::Connection()), QString());
}

TEST_F(ComparatorPage, MismatchingCalculationWholePage)
{
    EXPECT_EQ(Compare("Quarterly Bonus", "CALCULATION"), kQuarterlyBonusPage);
    // A table page has the same frame; its differing Columns cell is orange with white text.
    EXPECT_TRUE(Compare("CommissionRates", "TABLE")
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
    EXPECT_EQ(Compare("QuotaTargets", "TABLE"), missing("Table Name: QuotaTargets", "Table"));
    EXPECT_EQ(Compare("Quota Tracker", "PRESENTOR REPORT"),
              missing("Presentor Report: Quota Tracker", "Presentor Report"));
    // Missing is missing whatever the switches say.
    SetAllSectionFlags(false);
    EXPECT_EQ(Compare("QuotaTargets", "TABLE"), missing("Table Name: QuotaTargets", "Table"));
}

TEST_F(ComparatorPage, SectionRowsOfTheOtherKinds)
{
    // Counts are grouped; a differing count keeps the default text colour; a report's links close its page.
    const QString label = QStringLiteral("<tr><td width='10%' ><b><font  face='Calibri' size='2'>");
    const std::array<const char*, 3> rows[] = {
        {"SalesTransactions", "TABLE",
         "Record Count:</font></b></td><td width='45%' ><font  face='Calibri' size='2'>1,500</font></td>"
         "<td width='45%' bgcolor = '#FF8040'><font face='Calibri' size='2'>1,480</font></td></tr>"},
        {"RegionSalesView", "VIEW",
         "Column(s):</font></b></td><td width='45%' valign='top'><font  face='Calibri' size='2'><table border='0' "
         "width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;Region Sales.RegionCode </font></td></tr>"},
        {"(STD) Standard Calendar", "CALENDAR",
         "Time Hierarchy:</font></b></td><td width='45%' valign='top'><font  face='Calibri' size='2'><table border='0' "
         "align = 'center' bgcolor='#CCCCFF' bordercolorlight='#000066' width='100%'  cellspacing='0' cellpadding='0'>"
         "<tr><td width='20%' ><b><font  face='Calibri' size='2'>Period Name</font></b></td>"},
        {"Region Summary", "PRESENTOR REPORT",
         "Linked Report(s):</font></b></td><td width='45%' valign='top' ><font  face='Calibri' size='2'>* None "
         "*</font></td><td width='45%' valign='top' ><font  face='Calibri' size='2'>* None *</font></td></tr></table>"},
    };
    for (const auto& [name, kind, row] : rows)
        EXPECT_TRUE(Compare(name, kind).contains(label + row)) << name;
    EXPECT_TRUE(ErrorMessages().isEmpty());
}
