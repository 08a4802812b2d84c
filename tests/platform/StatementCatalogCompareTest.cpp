// Compare statements on the target demo model, and statements on the edge-case
// model where the server's answer is an error or an empty result.
#include "StatementCatalog.h"

#include <gtest/gtest.h>

using namespace bkl::test;

namespace {
const QString kSource = QStringLiteral("SalesModel2026");
const QString kTarget = QStringLiteral("SalesModel2026_Target");
const QString kEdge = QStringLiteral("EdgeCaseModel");
} // namespace

TEST(StatementCatalog, CompareAndEdgeCaseStatements)
{
    const QString calc = QStringLiteral("SELECT [CALCID]=[CalculationID]%1 FROM [Calculation] WHERE [Name] = "
                                        "'Commission Amount'");
    const QString plan = QStringLiteral(
        "SELECT CP.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME, CP.Comment AS COMMENTS, CP.ListID AS "
        "LISTID  FROM CompPlan CP, PayeeGroup PG WHERE CP.PayeeGroupID = PG.PayeeGroupID AND CP.Name = '%1' AND "
        "CP.CompPlanID = '%2'");
    const QString calcRow = QStringLiteral(
        "SELECT [CALCID]=[CalculationID], [CALCTYPE] = [Type], [CALCNAME]=[Name], [CALCCOMMENT]=[Comment], "
        "[CALCPRIMARYSOURCE] = [Source], [CALCOPERATION] = [Operation], [CALCCALENDARUSED]= [CalendarUsed], "
        "[CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = [ResetLevel] FROM [Calculation] WHERE [Name] = '%1'");
    const QString views = QStringLiteral(
        "SELECT [name] AS VIEWNAME FROM sys.views WHERE object_id IN (SELECT object_id FROM sys.columns WHERE "
        "left([name], charindex('.', [name],1)) = '%1.')");
    CheckStatements({
        {"table exists", kTarget,
         QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'CommissionRates' AND TableType <> 'View' "),
         {"1"}},
        {"table missing", kTarget,
         QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'QuotaTargets' AND TableType <> 'View' "),
         {"0"}},
        {"view missing", kTarget,
         QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = 'QuotaAttainmentView' AND TableType = "
                        "'View' "),
         {"0"}},
        {"calendar exists", kTarget,
         QStringLiteral("SELECT COUNT(1) FROM [Time] WHERE [Name] = 'Standard Calendar' AND TimeID = 'STD' AND Parent "
                        "IS NULL"),
         {"1"}},
        {"calendar missing", kTarget,
         QStringLiteral("SELECT COUNT(1) FROM [Time] WHERE [Name] = 'Retail Calendar' AND TimeID = 'RETAIL' AND Parent "
                        "IS NULL"),
         {"0"}},
        {"presentor report missing", kTarget, QStringLiteral("SELECT COUNT(1) FROM WebReport WHERE [Name] = 'Quota Tracker'"),
         {"0"}},
        {"calculation missing", kTarget,
         QStringLiteral("SELECT COUNT(1) FROM Calculation WHERE [Name] = 'Legacy Adjustment' "), {"0"}},
        {"calculation present in the source", kSource,
         QStringLiteral("SELECT COUNT(1) FROM Calculation WHERE [Name] = 'Legacy Adjustment' "), {"1"}},
        {"table type", kTarget,
         QStringLiteral("SELECT [TABLETYPE] = CT.TableType FROM CustomTable CT WHERE CT.TableName = 'ProductLookup'"),
         {"Data"}},
        {"record count", kTarget,
         QStringLiteral("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si "
                        "WHERE so.xtype = 'U' AND si.id = OBJECT_ID(so.name) AND so.name = 'SalesTransactions' GROUP "
                        "BY so.Name "),
         {"SalesTransactions|1480"}},
        {"columns", kTarget,
         QStringLiteral("SELECT [COLUMNNAME] = CC.ColumnName, [COLUMNDATATYPE] = [Type] FROM CustomTable CT, "
                        "CustomColumn CC WHERE CT.TableName = CC.TableName AND CT.TableName = 'CommissionRates' ORDER "
                        "BY [Order]"),
         {"TierCode|Text", "LowerBound|Currency", "UpperBound|Currency", "Rate|Percent", "Cap|Currency"}},
        {"view columns", kTarget,
         QStringLiteral("SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id "
                        "FROM sys.views cv WHERE cv.name  = 'RegionSalesView') ORDER BY sc.column_id"),
         {"Region Sales.RegionCode", "Region Sales.Value", "Total Sales.Value", "Attainment Rank.Value"}},
        {"presentor source dependencies", kTarget,
         QStringLiteral("SELECT DISTINCT TableName AS SOURCETABLENAME, 'Table' AS SOURCETYPE FROM WebReportDependency "
                        "WHERE WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = 'Region Summary') UNION "
                        "SELECT [Name] AS SOURCETABLENAME, 'Calculation' AS SOURCETYPE FROM Calculation WHERE "
                        "CalculationID IN ( SELECT CalculationID FROM WebReportCalculation WHERE WebReportID IN (SELECT "
                        "WebReportID FROM WebReport WHERE [Name] = 'Region Summary')) "),
         {"RegionLookup|Table", "SalesTransactions|Table", "ProductLookup|Table", "Region Sales|Calculation"},
         RowOrder::AnyOrder},
        {"calculation type", kTarget,
         QStringLiteral("SELECT [CALCTYPE] = [Type] FROM [Calculation] WHERE [Name] = 'Commission Amount'"), {"3"}},
        {"calculation comment", kTarget,
         QStringLiteral("SELECT [CALCCOMMENT]=[Comment] FROM [Calculation] WHERE [Name] = 'Attainment Rank'"),
         {"Payees ranked by attainment (revised)."}},
        {"calculation calendar", kTarget,
         QStringLiteral("SELECT [CALCCALENDARUSED]= [CalendarUsed] FROM [Calculation] WHERE [Name] = 'Commission Amount'"),
         {"FISCAL"}},
        {"formula with the target's ids", kTarget, calc.arg(QStringLiteral(", [CALCOPERATION] = [Operation]")),
         {"5005|( _TableAlias0 * _LookupAlias0.Rate ) + _Result5006 - _LookupAlias1.Recovery + _TableAlias1 * 0"}},
        {"primary source", kTarget, calc.arg(QStringLiteral(", [CALCPRIMARYSOURCE] = [Source]")), {"5005|_Result5001"}},
        {"partition levels", kTarget,
         calc.arg(QStringLiteral(", [CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = [ResetLevel], "
                                 "[CALCCALENDARUSED]= [CalendarUsed]")),
         {"5005|Month|Year|FISCAL"}},
        {"calculation id", kTarget, calc.arg(QString()), {"5005"}},
        {"target id resolves to the same name", kTarget,
         QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = 5006"), {"Quarterly Bonus"}},
        {"view column without '.': left() with length -1 is an error", kEdge,
         QStringLiteral("SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE "
                        "object_id IN (SELECT object_id FROM sys.views WHERE [name] = 'Edge View')"),
         {}, RowOrder::Exact, -1, true},
        {"view columns, one without '.'", kEdge,
         QStringLiteral("SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id "
                        "FROM sys.views cv WHERE cv.name  = 'Edge View') ORDER BY sc.column_id"),
         {"Base Amount.Value", "NoDotColumn", "O'Brien Commission.Value"}},
        {"views using a calculation, past a column without '.'", kEdge, views.arg(QStringLiteral("Base Amount")),
         {"Edge View"}},
        {"a calculation name holding '.' matches no view", kEdge, views.arg(QStringLiteral("Dotted.Name Calc")), {}},
        {"a name with an unescaped quote is an error", kEdge, calcRow.arg(QStringLiteral("O'Brien Commission")), {},
         RowOrder::Exact, -1, true},
        {"the same name with the quote doubled", kEdge, calcRow.arg(QStringLiteral("O''Brien Commission")),
         {"2|3|O'Brien Commission|Edge case 2.|_Result1|_Result1 * 0.1|OBC|NULL|NULL"}},
        {"names with markup come back unchanged", kEdge, calcRow.arg(QStringLiteral("Rate <Tier> & Bonus")),
         {"3|3|Rate <Tier> & Bonus|Edge case 3.|_Result2|_Result2 + _LookupAlias0.Rate|NULL|NULL|NULL"}},
        {"_Result1 and _Result12 in one formula", kEdge, calcRow.arg(QStringLiteral("Tokens One And Twelve")),
         {"13|3|Tokens One And Twelve|Edge case 13.|_Result12|_Result1 + _Result12 + _Result1|EDGE|Month|Year"}},
        {"calendar that does not exist", kEdge,
         QStringLiteral("SELECT TOP 1 [TIMECAL] = [TimeID]+ ' - ' + [Name] FROM [Time] WHERE [TimeID] = 'NOCAL' AND "
                        "[Parent] IS NULL"),
         {}},
        {"calendar without periods", kEdge,
         QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], [Starting] AS "
                        "[CALSTARTING], [Ending] AS [CALENDING] FROM [Time] WHERE TimeID = 'EMPTY' AND [Parent] IS "
                        "NOT NULL  ORDER BY [Parent], Ending "),
         {}},
        {"table without a physical table has no catalog count", kEdge,
         QStringLiteral("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si "
                        "WHERE so.xtype = 'U' AND si.id = OBJECT_ID(so.name) AND so.name = 'Ghost Table' GROUP BY "
                        "so.Name "),
         {}},
        {"'List' column without a reference", kEdge,
         QStringLiteral("SELECT [USEDCOLUMNNAME] = CC.ColumnName, [REFERENCEDTABLE] = REF.ReferencedTable, "
                        "[REFERENCECOLUMN] = REFCOL.ReferencedColumn FROM CustomColumn CC, Reference REF, "
                        "ReferenceColumn REFCOL WHERE CC.TableName = REF.TableName AND REF.ReferenceID = "
                        "REFCOL.ReferenceID AND CC.ColumnName = REFCOL.ColumnName AND CC.TableName = 'Dangling List "
                        "Table' AND CC.ColumnName = 'StatusCode'"),
         {}},
        {"plan with a NULL list id", kEdge, plan.arg(QStringLiteral("Plan With Null List"), QStringLiteral("NULLLIST")),
         {"1|Edge <Payees> & Co|List id is NULL.|NULL"}},
        {"plan whose payee group is missing", kEdge,
         plan.arg(QStringLiteral("Orphan Group Plan"), QStringLiteral("ORPHAN")), {}},
        {"tailored report with a NULL list id", kEdge,
         QStringLiteral("SELECT TR.ID AS TRID, PG.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME,"
                        "TR.CalculationListID AS LISTID FROM TailoredReport TR, PayeeGroup PG WHERE TR.PayeeGroupID = "
                        "PG.PayeeGroupID AND TR.Name = 'Report With Null List' AND TR.ID = 'TRN'"),
         {"TRN|1|Edge <Payees> & Co|NULL"}},
        {"plans sorted by names with symbols and quotes", kEdge,
         QStringLiteral("SELECT CompPlanID AS PLANID, [Name] AS PLANNAME FROM CompPlan WHERE ListID IN (SELECT ListID "
                        "FROM CalculationListElement WHERE CalculationID = 1) ORDER BY [Name]"),
         {"LT1|<Less Than> & Plan", "OB1|O'Brien Plan", "ORPHAN|Orphan Group Plan"}},
        {"restriction tree that loops: the level below 9002", kEdge,
         QStringLiteral("SELECT [CONSTRAINTID] = cct.[ConstraintID], [LOOKUPID] =  cct.[LookupID], [LOOKUPPARENT] = "
                        "[Parent], [CLAUSETYPE] = cct.[ClauseType] FROM [CalcConstraintTree] cct WHERE "
                        "cct.[CalculationID] = 8 AND [LookupID] IS NULL AND [Parent] = 9002 "),
         {"9001|NULL|9002|0", "9003|NULL|9002|NULL"}, RowOrder::AnyOrder},
        {"column names of 50 and 51 characters", kEdge,
         QStringLiteral("SELECT [COLUMNNAME] = CC.ColumnName, [COLUMNDATATYPE] = [Type] FROM CustomTable CT, "
                        "CustomColumn CC WHERE CT.TableName = CC.TableName AND CT.TableName = 'Wide Columns' ORDER BY "
                        "[Order]"),
         {"QuarterlyAcceleratedCommissionThresholdAmountLocal|Currency",
          "QuarterlyAcceleratedCommissionThresholdAmountGlobal|Currency"}},
        {"periods: symbols sort before digits", kEdge,
         QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], [Starting] AS "
                        "[CALSTARTING], [Ending] AS [CALENDING] FROM [Time] WHERE TimeID = 'EDGE' AND [Parent] IS "
                        "NOT NULL  ORDER BY [Parent], Ending "),
         {"Edge 2026|Year|Edge <Calendar> & Co|2026-01-01 00:00:00|2026-12-31 00:00:00",
          "Edge Q1 2026|Quarter|Edge 2026|2026-01-01 00:00:00|2026-03-31 00:00:00",
          "Edge Q2 2026|Quarter|Edge 2026|2026-04-01 00:00:00|2026-06-30 00:00:00",
          "Edge Q3 2026|Quarter|Edge 2026|2026-07-01 00:00:00|2026-09-30 00:00:00",
          "Edge Q4 2026|Quarter|Edge 2026|2026-10-01 00:00:00|2026-12-31 00:00:00",
          "Jan 2026|Month|Edge Q1 2026|2026-01-01 00:00:00|2026-01-31 00:00:00",
          "Feb 2026|Month|Edge Q1 2026|2026-02-01 00:00:00|2026-02-28 00:00:00",
          "Mar 2026|Month|Edge Q1 2026|2026-03-01 00:00:00|2026-03-31 00:00:00",
          "Apr 2026|Month|Edge Q2 2026|2026-04-01 00:00:00|2026-04-30 00:00:00",
          "May 2026|Month|Edge Q2 2026|2026-05-01 00:00:00|2026-05-31 00:00:00",
          "Jun 2026|Month|Edge Q2 2026|2026-06-01 00:00:00|2026-06-30 00:00:00",
          "Jul 2026|Month|Edge Q3 2026|2026-07-01 00:00:00|2026-07-31 00:00:00",
          "Aug 2026|Month|Edge Q3 2026|2026-08-01 00:00:00|2026-08-31 00:00:00",
          "Sep 2026|Month|Edge Q3 2026|2026-09-01 00:00:00|2026-09-30 00:00:00",
          "Oct 2026|Month|Edge Q4 2026|2026-10-01 00:00:00|2026-10-31 00:00:00",
          "Nov 2026|Month|Edge Q4 2026|2026-11-01 00:00:00|2026-11-30 00:00:00",
          "Dec 2026|Month|Edge Q4 2026|2026-12-01 00:00:00|2026-12-31 00:00:00"}},
        {"periods: a NULL end date sorts first among its parent's", kEdge,
         QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], [Starting] AS "
                        "[CALSTARTING], [Ending] AS [CALENDING] FROM [Time] WHERE TimeID = 'WIDE' AND [Parent] IS "
                        "NOT NULL  ORDER BY [Parent], Ending "),
         {"Jan 2026|Month|Quarter Name 21 Q1 26|2026-01-01 00:00:00|2026-01-31 00:00:00",
          "Feb 2026|Month|Quarter Name 21 Q1 26|2026-02-01 00:00:00|2026-02-28 00:00:00",
          "Mar 2026|Month|Quarter Name 21 Q1 26|2026-03-01 00:00:00|2026-03-31 00:00:00",
          "Apr 2026|Month|Quarter Name 21 Q2 26|2026-04-01 00:00:00|2026-04-30 00:00:00",
          "May 2026|Month|Quarter Name 21 Q2 26|2026-05-01 00:00:00|2026-05-31 00:00:00",
          "Jun 2026|Month|Quarter Name 21 Q2 26|2026-06-01 00:00:00|2026-06-30 00:00:00",
          "Jul 2026|Month|Quarter Name 21 Q3 26|2026-07-01 00:00:00|2026-07-31 00:00:00",
          "Aug 2026|Month|Quarter Name 21 Q3 26|2026-08-01 00:00:00|2026-08-31 00:00:00",
          "Sep 2026|Month|Quarter Name 21 Q3 26|2026-09-01 00:00:00|2026-09-30 00:00:00",
          "Open Period|Month|Quarter Name 21 Q4 26|2027-01-01 00:00:00|NULL",
          "Oct 2026|Month|Quarter Name 21 Q4 26|2026-10-01 00:00:00|2026-10-31 00:00:00",
          "Nov 2026|Month|Quarter Name 21 Q4 26|2026-11-01 00:00:00|2026-11-30 00:00:00",
          "Dec 2026|Month|Quarter Name 21 Q4 26|2026-12-01 00:00:00|2026-12-31 00:00:00",
          "Year Name Twenty2026|Year|Wide Period Names|2026-01-01 00:00:00|2026-12-31 00:00:00",
          "Quarter Name 21 Q1 26|Quarter|Year Name Twenty2026|2026-01-01 00:00:00|2026-03-31 00:00:00",
          "Quarter Name 21 Q2 26|Quarter|Year Name Twenty2026|2026-04-01 00:00:00|2026-06-30 00:00:00",
          "Quarter Name 21 Q3 26|Quarter|Year Name Twenty2026|2026-07-01 00:00:00|2026-09-30 00:00:00",
          "Quarter Name 21 Q4 26|Quarter|Year Name Twenty2026|2026-10-01 00:00:00|2026-12-31 00:00:00"}},
        {"leaf with two value rows", kEdge,
         QStringLiteral("SELECT [LEFTJOINTABLE] = ccv.[TableName], [LEFTJOINCOLUMN] = ccv.[ColumnName], [JOINOPERATOR] = "
                        "ccv.[Operator], [JOINVALUE] = ccv.[Value], [JOINLITERALTYPE] = ccv.[LiteralType] FROM "
                        "[CalcConstraintValue] ccv WHERE ccv.[ConstraintID] = 505"),
         {"O'Brien Accounts|Amount|LESSTHAN|100|2", "O'Brien Accounts|Amount|LESSTHAN|200|2"}, RowOrder::AnyOrder},
        {"a table and a calculation of the same name are two sources", kEdge,
         QStringLiteral("SELECT DISTINCT TableName AS SOURCETABLENAME, 'Table' AS SOURCETYPE FROM WebReportDependency "
                        "WHERE WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = 'Same Name Report') UNION "
                        "SELECT [Name] AS SOURCETABLENAME, 'Calculation' AS SOURCETYPE FROM Calculation WHERE "
                        "CalculationID IN ( SELECT CalculationID FROM WebReportCalculation WHERE WebReportID IN (SELECT "
                        "WebReportID FROM WebReport WHERE [Name] = 'Same Name Report')) "),
         {"Base Amount|Table", "Base Amount|Calculation"}, RowOrder::AnyOrder},
        {"a report linked to itself", kEdge,
         QStringLiteral("SELECT [Name] AS LINKEDREPORT FROM WebReport WHERE WebReportID IN ( SELECT LinkedWebReportID "
                        "FROM WebReportLinkDependency WHERE WebReportID IN ( SELECT WebReportID FROM WebReport WHERE "
                        "[Name] = 'Self Linked Report')) ORDER BY [Name]"),
         {"Self Linked Report"}},
        {"_Result12 is calculation 12", kEdge,
         QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = 12"), {"Twelve Result"}},
    });
}
