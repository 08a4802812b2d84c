// The edge-case model holds every trap it promises.
#include "DemoFile.h"

#include <gtest/gtest.h>

using namespace bkl::test;

namespace {
QString Edge(const QString& sql) { return DemoValue(DemoFile(QStringLiteral("EdgeCaseModel")), sql); }
QStringList EdgeRows(const QString& sql) { return DemoRows(DemoFile(QStringLiteral("EdgeCaseModel")), sql); }
} // namespace

TEST(DemoEdgeCaseModel, NullsWhereValuesAreExpected)
{
    EXPECT_EQ(Edge(QStringLiteral("SELECT CompPlanID FROM CompPlan WHERE ListID IS NULL")), QStringLiteral("NULLLIST"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT ID FROM TailoredReport WHERE CalculationListID IS NULL")),
              QStringLiteral("TRN"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT c.Name FROM CalculationLookup l, Calculation c WHERE l.CalculationID = "
                                  "c.CalculationID AND l.Source IS NULL")),
              QStringLiteral("Null Lookup Source"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT CalculationID FROM CalculationPartition WHERE SourceTable IS NULL")),
              QStringLiteral("7"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM CalcConstraintValue WHERE Operator IS NULL")), QStringLiteral("1"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM CompPlan WHERE PayeeGroupID NOT IN (SELECT PayeeGroupID FROM "
                                  "PayeeGroup)")),
              QStringLiteral("1"));
}

TEST(DemoEdgeCaseModel, StoredTreesThatLoop)
{
    // Restrictions of calculation 8: node 9001 at the top, 9002 below it, and 9001 again below 9002.
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT ConstraintID, Parent FROM CalcConstraintTree WHERE CalculationID = 8 "
                                      "ORDER BY rowid")),
              QStringList({"9001|NULL", "9002|9001", "9001|9002", "9003|9002"}));
    // Folders: calculation 9 sits under Loop A, whose parent Loop B has Loop A as parent; node 9201 is its own parent.
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT a.Name, b.Name, c.Name FROM CalculationTree a, CalculationTree b, "
                                      "CalculationTree c WHERE a.CalculationID = 9 AND b.NodeID = a.Parent AND "
                                      "c.NodeID = b.Parent")),
              QStringList({"Cyclic Folder|Loop A|Loop B"}));
    EXPECT_EQ(Edge(QStringLiteral("SELECT Parent FROM CalculationTree WHERE NodeID = (SELECT Parent FROM "
                                  "CalculationTree WHERE NodeID = 9102)")),
              QStringLiteral("9102"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT Parent FROM CalculationTree WHERE NodeID = 9201")), QStringLiteral("9201"));
}

TEST(DemoEdgeCaseModel, NamesThatBreakCarelessCode)
{
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT Name FROM Calculation WHERE Name LIKE '%''%' OR Name LIKE '%<%' OR "
                                      "Name LIKE '%&%' ORDER BY 1")),
              QStringList({"O'Brien Commission", "Rate <Tier> & Bonus"}));
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT TableName FROM CustomTable WHERE TableName LIKE '%''%' OR TableName "
                                      "LIKE '%<%' ORDER BY 1")),
              QStringList({"O'Brien Accounts", "O'Brien View", "Rates <2026> & More"}));
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT Name FROM Calculation WHERE instr(Name, '_Result') > 0")),
              QStringList({"Net_Result Total", "Uses Net_Result"}));
    EXPECT_EQ(Edge(QStringLiteral("SELECT Operation FROM Calculation WHERE CalculationID = 13")),
              QStringLiteral("_Result1 + _Result12 + _Result1"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT Name FROM Calculation WHERE CalculationID IN (1, 12) ORDER BY 1")),
              QStringLiteral("<2 rows>"));
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT length(ColumnName) FROM CustomColumn WHERE TableName = 'Wide Columns' "
                                      "ORDER BY [Order]")),
              QStringList({"50", "51"}));
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT length(Name) FROM Calculation WHERE CalculationID IN (11, 14) "
                                      "ORDER BY CalculationID")),
              QStringList({"50", "51"}));
    EXPECT_EQ(Edge(QStringLiteral("SELECT length(TableName) FROM WebReportDependency WHERE TableName LIKE "
                                  "'Dependency%'")),
              QStringLiteral("50"));
}

TEST(DemoEdgeCaseModel, IncompleteObjects)
{
    // A view column without ".".
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('Edge View') WHERE instr(name, '.') = 0")),
              QStringLiteral("1"));
    // A 'List' column without a reference row.
    EXPECT_EQ(Edge(QStringLiteral("SELECT cc.TableName || '.' || cc.ColumnName FROM CustomColumn cc WHERE cc.[Type] = "
                                  "'List' AND NOT EXISTS (SELECT 1 FROM Reference r, ReferenceColumn rc WHERE "
                                  "r.ReferenceID = rc.ReferenceID AND r.TableName = cc.TableName AND rc.ColumnName = "
                                  "cc.ColumnName)")),
              QStringLiteral("Dangling List Table.StatusCode"));
    // A table without a physical table.
    EXPECT_EQ(Edge(QStringLiteral("SELECT TableName FROM CustomTable WHERE TableType <> 'View' AND TableName NOT IN "
                                  "(SELECT name FROM sqlite_master WHERE type = 'table')")),
              QStringLiteral("Ghost Table"));
    // A calendar without periods, still counted in TimeCalendar.
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM [Time] WHERE TimeID = 'EMPTY'")), QStringLiteral("1"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT Name FROM TimeCalendar WHERE TimeID = 'EMPTY'")),
              QStringLiteral("Calendar Without Periods"));
    // A leaf node without a value row.
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM CalcConstraintTree t WHERE ClauseType IS NULL AND NOT EXISTS "
                                  "(SELECT 1 FROM CalcConstraintValue v WHERE v.ConstraintID = t.ConstraintID)")),
              QStringLiteral("1"));
}

TEST(DemoEdgeCaseModel, BoundaryValuesForTheRenderers)
{
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT [Level], length(Name) FROM [Time] WHERE TimeID = 'WIDE' AND [Level] IN "
                                      "('Year', 'Quarter') GROUP BY [Level], length(Name) ORDER BY 1")),
              QStringList({"Quarter|21", "Year|20"}));
    EXPECT_EQ(Edge(QStringLiteral("SELECT Name FROM [Time] WHERE Ending IS NULL AND Parent IS NOT NULL")),
              QStringLiteral("Open Period"));
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT '[' || Name || ']' || Source FROM CalculationLookup WHERE CalculationID = "
                                      "24 ORDER BY LookupID")),
              QStringList({"[rates <2026> & more]Rates <2026> & More", "[  O'Brien Accounts  ]O'Brien Accounts",
                           "[Padded] O'Brien Accounts "}));
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM CalcConstraintValue GROUP BY ConstraintID HAVING COUNT(*) > 1")),
              QStringLiteral("2"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT f.Parent FROM CalculationTree n, CalculationTree f WHERE n.CalculationID = "
                                  "21 AND f.NodeID = n.Parent")),
              QStringLiteral("-1"));
    EXPECT_EQ(Edge(QStringLiteral("SELECT COUNT(*) FROM CalculationTree n, CalculationTree f WHERE n.CalculationID = 22 "
                                  "AND f.NodeID = n.Parent AND f.Parent NOT IN (SELECT NodeID FROM CalculationTree)")),
              QStringLiteral("1"));
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT w.Name FROM WebReport w WHERE EXISTS (SELECT 1 FROM WebReportDependency d, "
                                      "WebReportCalculation c, Calculation k WHERE d.WebReportID = w.WebReportID AND "
                                      "c.WebReportID = w.WebReportID AND k.CalculationID = c.CalculationID AND "
                                      "k.Name = d.TableName)")),
              QStringList({"Same Name Report"}));
    // Two reports of one name that read one calculation.
    EXPECT_EQ(EdgeRows(QStringLiteral("SELECT w.Name, c.CalculationID, COUNT(*) FROM WebReport w, WebReportCalculation c "
                                      "WHERE c.WebReportID = w.WebReportID GROUP BY w.Name, c.CalculationID "
                                      "HAVING COUNT(*) > 1")),
              QStringList({"Twin Report|12|2"}));
}
