#include "reports/DetailSql.h"

#include <gtest/gtest.h>

using namespace bkl::reports;

TEST(DetailSql, TableStatements)
{
    EXPECT_EQ(sql::TableColumns(QStringLiteral("Quota")),
              QStringLiteral("SELECT [TABLENAME] = CT.TableName, [TABLETYPE] = CT.TableType, [COLUMNNAME] = CC.ColumnName, "
                             "[COLUMNDATATYPE] = [Type] FROM CustomTable CT, CustomColumn CC WHERE CT.TableName = CC.TableName "
                             "AND CT.TableName = 'Quota' ORDER BY [Order]"));
    EXPECT_EQ(sql::TableRowCount(QStringLiteral("Quota")),
              QStringLiteral("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si "
                             "WHERE so.xtype = 'U' AND si.id = OBJECT_ID(so.name) AND so.name = 'Quota' GROUP BY so.Name "));
    EXPECT_EQ(sql::ReferenceTableAndColumn(QStringLiteral("Quota"), QStringLiteral("Region")),
              QStringLiteral("SELECT [USEDCOLUMNNAME] = CC.ColumnName, [REFERENCEDTABLE] = REF.ReferencedTable, "
                             "[REFERENCECOLUMN] = REFCOL.ReferencedColumn FROM CustomColumn CC, Reference REF, "
                             "ReferenceColumn REFCOL WHERE CC.TableName = REF.TableName AND REF.ReferenceID = "
                             "REFCOL.ReferenceID AND CC.ColumnName = REFCOL.ColumnName AND CC.TableName = 'Quota' "
                             "AND CC.ColumnName = 'Region'"));
    // Quotes inside names are doubled, nothing else changes.
    EXPECT_TRUE(sql::TableColumns(QStringLiteral("O'Brien <&>")).contains(QStringLiteral("CT.TableName = 'O''Brien <&>' ORDER")));
    EXPECT_TRUE(sql::ReferenceTableAndColumn(QStringLiteral("a'"), QStringLiteral("b'"))
                    .endsWith(QStringLiteral("CC.TableName = 'a''' AND CC.ColumnName = 'b'''")));
}

TEST(DetailSql, ViewAndCalendarStatements)
{
    EXPECT_EQ(sql::ViewColumns(QStringLiteral("vSales")),
              QStringLiteral("SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id FROM "
                             "sys.views cv WHERE cv.name  = 'vSales') ORDER BY sc.column_id"));
    EXPECT_EQ(sql::ViewCalculations(QStringLiteral("vSales")),
              QStringLiteral("SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE "
                             "object_id IN (SELECT object_id FROM sys.views WHERE [name] = 'vSales')"));
    EXPECT_EQ(sql::CalendarPeriods(QStringLiteral("12")),
              QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], [Starting] AS "
                             "[CALSTARTING], [Ending] AS [CALENDING] FROM [Time] WHERE TimeID = '12' AND [Parent] IS NOT "
                             "NULL  ORDER BY [Parent], Ending "));
    EXPECT_TRUE(sql::CalendarPeriods(QStringLiteral("1'2")).contains(QStringLiteral("TimeID = '1''2' AND")));
}

TEST(DetailSql, PlanReportAndListStatements)
{
    EXPECT_EQ(sql::CompensationPlan(QStringLiteral("North Plan"), QStringLiteral("12")),
              QStringLiteral("SELECT CP.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME, CP.Comment AS COMMENTS, "
                             "CP.ListID AS LISTID  FROM CompPlan CP, PayeeGroup PG WHERE CP.PayeeGroupID = PG.PayeeGroupID "
                             "AND CP.Name = 'North Plan' AND CP.CompPlanID = '12'"));
    EXPECT_EQ(sql::TailoredReport(QStringLiteral("QS"), QStringLiteral("12")),
              QStringLiteral("SELECT TR.ID AS TRID, PG.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME,"
                             "TR.CalculationListID AS LISTID FROM TailoredReport TR, PayeeGroup PG WHERE TR.PayeeGroupID = "
                             "PG.PayeeGroupID AND TR.Name = 'QS' AND TR.ID = '12'"));
    EXPECT_EQ(sql::PresentorReportSources(QStringLiteral("R")),
              QStringLiteral("SELECT DISTINCT TableName AS SOURCETABLENAME, 'Table' AS SOURCETYPE FROM WebReportDependency "
                             "WHERE WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = 'R') UNION SELECT [Name] "
                             "AS SOURCETABLENAME, 'Calculation' AS SOURCETYPE FROM Calculation WHERE CalculationID IN ( "
                             "SELECT CalculationID FROM WebReportCalculation WHERE WebReportID IN (SELECT WebReportID FROM "
                             "WebReport WHERE [Name] = 'R')) "));
    EXPECT_EQ(sql::PresentorReportLinkedReports(QStringLiteral("R")),
              QStringLiteral("SELECT [Name] AS LINKEDREPORT FROM WebReport WHERE WebReportID IN ( SELECT LinkedWebReportID "
                             "FROM WebReportLinkDependency WHERE WebReportID IN ( SELECT WebReportID FROM WebReport WHERE "
                             "[Name] = 'R')) ORDER BY [Name]"));
    EXPECT_EQ(sql::CalculationsByListId(-7),
              QStringLiteral("SELECT C.Name AS CALCNAME FROM Calculation C, CalculationListElement CLE WHERE "
                             "C.CalculationID = CLE.CalculationID AND CLE.ListID = -7 ORDER BY [Order]"));
    EXPECT_EQ(sql::PresentorReportSources(QStringLiteral("a'b")).count(QStringLiteral("'a''b'")), 2);
}
