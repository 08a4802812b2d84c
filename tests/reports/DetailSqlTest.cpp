// The detail statements as built from names holding a quote: each quote doubled,
// nothing else changed.
#include "reports/DetailSql.h"

#include "ReportTestSupport.h"

TEST(DetailSql, StatementsDoubleTheQuotesOfNames)
{
    const std::pair<QString, const char*> cases[] = {
        {sql::TableColumns(u"O'Brien <&>"_s),
         "SELECT [TABLENAME] = CT.TableName, [TABLETYPE] = CT.TableType, [COLUMNNAME] = CC.ColumnName, [COLUMNDATATYPE] = "
         "[Type] FROM CustomTable CT, CustomColumn CC WHERE CT.TableName = CC.TableName AND CT.TableName = 'O''Brien <&>' "
         "ORDER BY [Order]"},
        {sql::TableRowCount(u"Q'"_s),
         "SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si WHERE so.xtype = 'U' "
         "AND si.id = OBJECT_ID(so.name) AND so.name = 'Q''' GROUP BY so.Name "},
        {sql::ReferenceTableAndColumn(u"a'"_s, u"b'"_s),
         "SELECT [USEDCOLUMNNAME] = CC.ColumnName, [REFERENCEDTABLE] = REF.ReferencedTable, [REFERENCECOLUMN] = "
         "REFCOL.ReferencedColumn FROM CustomColumn CC, Reference REF, ReferenceColumn REFCOL WHERE CC.TableName = "
         "REF.TableName AND REF.ReferenceID = REFCOL.ReferenceID AND CC.ColumnName = REFCOL.ColumnName AND CC.TableName = "
         "'a''' AND CC.ColumnName = 'b'''"},
        {sql::ViewColumns(u"v'S"_s),
         "SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id FROM sys.views cv WHERE "
         "cv.name  = 'v''S') ORDER BY sc.column_id"},
        {sql::ViewCalculations(u"v'S"_s),
         "SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE object_id IN (SELECT "
         "object_id FROM sys.views WHERE [name] = 'v''S')"},
        {sql::CalendarPeriods(u"1'2"_s),
         "SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], [Starting] AS [CALSTARTING], [Ending] "
         "AS [CALENDING] FROM [Time] WHERE TimeID = '1''2' AND [Parent] IS NOT NULL  ORDER BY [Parent], Ending "},
        {sql::CompensationPlan(u"N'P"_s, u"1'2"_s),
         "SELECT CP.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME, CP.Comment AS COMMENTS, CP.ListID AS LISTID  "
         "FROM CompPlan CP, PayeeGroup PG WHERE CP.PayeeGroupID = PG.PayeeGroupID AND CP.Name = 'N''P' AND CP.CompPlanID = "
         "'1''2'"},
        {sql::TailoredReport(u"Q'S"_s, u"1'2"_s),
         "SELECT TR.ID AS TRID, PG.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME,TR.CalculationListID AS LISTID "
         "FROM TailoredReport TR, PayeeGroup PG WHERE TR.PayeeGroupID = PG.PayeeGroupID AND TR.Name = 'Q''S' AND TR.ID = "
         "'1''2'"},
        {sql::PresentorReportSources(u"a'b"_s),
         "SELECT DISTINCT TableName AS SOURCETABLENAME, 'Table' AS SOURCETYPE FROM WebReportDependency WHERE WebReportID IN "
         "(SELECT WebReportID FROM WebReport WHERE [Name] = 'a''b') UNION SELECT [Name] AS SOURCETABLENAME, 'Calculation' "
         "AS SOURCETYPE FROM Calculation WHERE CalculationID IN ( SELECT CalculationID FROM WebReportCalculation WHERE "
         "WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = 'a''b')) "},
        {sql::PresentorReportLinkedReports(u"R'"_s),
         "SELECT [Name] AS LINKEDREPORT FROM WebReport WHERE WebReportID IN ( SELECT LinkedWebReportID FROM "
         "WebReportLinkDependency WHERE WebReportID IN ( SELECT WebReportID FROM WebReport WHERE [Name] = 'R''')) ORDER BY "
         "[Name]"},
        {sql::CalculationsByListId(-7),
         "SELECT C.Name AS CALCNAME FROM Calculation C, CalculationListElement CLE WHERE C.CalculationID = CLE.CalculationID "
         "AND CLE.ListID = -7 ORDER BY [Order]"},
    };
    for (const auto& [built, expected] : cases)
        EXPECT_EQ(built, expected);
}
