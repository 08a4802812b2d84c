// Detail, alias, data-source, restriction-tree, where-used, calendar and folder
// statements on the source demo model.
#include "StatementCatalog.h"

#include <gtest/gtest.h>

using namespace bkl::test;

namespace {
const QString kSource = QStringLiteral("SalesModel2026");
const RowOrder kAny = RowOrder::AnyOrder;
} // namespace

TEST(StatementCatalog, DetailAliasTreeWhereUsedAndFolderStatements)
{
    const QString plan = QStringLiteral(
        "SELECT CP.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME, CP.Comment AS COMMENTS, CP.ListID AS "
        "LISTID  FROM CompPlan CP, PayeeGroup PG WHERE CP.PayeeGroupID = PG.PayeeGroupID AND CP.Name = '%1' AND "
        "CP.CompPlanID = '%2'");
    const QString list = QStringLiteral("SELECT C.Name AS CALCNAME FROM Calculation C, CalculationListElement CLE "
                                        "WHERE C.CalculationID = CLE.CalculationID AND CLE.ListID = %1 ORDER BY [Order]");
    const QString sources = QStringLiteral(
        "SELECT DISTINCT TableName AS SOURCETABLENAME, 'Table' AS SOURCETYPE FROM WebReportDependency WHERE "
        "WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = '%1') UNION SELECT [Name] AS "
        "SOURCETABLENAME, 'Calculation' AS SOURCETYPE FROM Calculation WHERE CalculationID IN ( SELECT CalculationID "
        "FROM WebReportCalculation WHERE WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = '%1')) ");
    const QString level = QStringLiteral(
        "SELECT [CONSTRAINTID] = cct.[ConstraintID], [LOOKUPID] =  cct.[LookupID], [LOOKUPPARENT] = [Parent], "
        "[CLAUSETYPE] = cct.[ClauseType] FROM [CalcConstraintTree] cct WHERE cct.[CalculationID] = 1005 %1%2");
    const QString leaf = QStringLiteral(
        "SELECT [LEFTJOINTABLE] = ccv.[TableName], [LEFTJOINCOLUMN] = ccv.[ColumnName], [JOINOPERATOR] = "
        "ccv.[Operator], [JOINVALUE] = ccv.[Value], [JOINLITERALTYPE] = ccv.[LiteralType] FROM [CalcConstraintValue] "
        "ccv WHERE ccv.[ConstraintID] = %1");
    const QString noLookup = QStringLiteral("AND [LookupID] IS NULL ");
    const QString views = QStringLiteral(
        "SELECT [name] AS VIEWNAME FROM sys.views WHERE object_id IN (SELECT object_id FROM sys.columns WHERE "
        "left([name], charindex('.', [name],1)) = '%1.')");
    const QString folder = QStringLiteral("SELECT [FOLDERNAME] = [Name], [PARENTNODE] = [Parent] FROM CalculationTree "
                                          "WHERE ");
    CheckStatements({
        {"table columns", kSource,
         QStringLiteral("SELECT [TABLENAME] = CT.TableName, [TABLETYPE] = CT.TableType, [COLUMNNAME] = CC.ColumnName, "
                        "[COLUMNDATATYPE] = [Type] FROM CustomTable CT, CustomColumn CC WHERE CT.TableName = "
                        "CC.TableName AND CT.TableName = 'SalesTransactions' ORDER BY [Order]"),
         {"SalesTransactions|Data|TransactionID|Number", "SalesTransactions|Data|PayeeID|List",
          "SalesTransactions|Data|ProductCode|List", "SalesTransactions|Data|RegionCode|List",
          "SalesTransactions|Data|SaleDate|Date", "SalesTransactions|Data|Quantity|Number",
          "SalesTransactions|Data|Amount|Currency"}},
        {"table record count", kSource,
         QStringLiteral("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si "
                        "WHERE so.xtype = 'U' AND si.id = OBJECT_ID(so.name) AND so.name = 'SalesTransactions' GROUP "
                        "BY so.Name "),
         {"SalesTransactions|1500"}},
        {"list column reference", kSource,
         QStringLiteral("SELECT [USEDCOLUMNNAME] = CC.ColumnName, [REFERENCEDTABLE] = REF.ReferencedTable, "
                        "[REFERENCECOLUMN] = REFCOL.ReferencedColumn FROM CustomColumn CC, Reference REF, "
                        "ReferenceColumn REFCOL WHERE CC.TableName = REF.TableName AND REF.ReferenceID = "
                        "REFCOL.ReferenceID AND CC.ColumnName = REFCOL.ColumnName AND CC.TableName = 'PayeeMaster' "
                        "AND CC.ColumnName = 'RegionCode'"),
         {"RegionCode|RegionLookup|RegionCode"}},
        {"view columns", kSource,
         QStringLiteral("SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id "
                        "FROM sys.views cv WHERE cv.name  = 'PayeeEarningsView') ORDER BY sc.column_id"),
         {"Commission Amount.PayeeID", "Commission Amount.Value", "Total Sales.Value", "Quota Attainment.Value"}},
        {"view dependent objects", kSource,
         QStringLiteral("SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE "
                        "object_id IN (SELECT object_id FROM sys.views WHERE [name] = 'PayeeEarningsView')"),
         {"Commission Amount", "Quota Attainment", "Total Sales"}, kAny},
        {"calendar periods", kSource,
         QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], [Starting] AS "
                        "[CALSTARTING], [Ending] AS [CALENDING] FROM [Time] WHERE TimeID = 'FISCAL' AND [Parent] IS "
                        "NOT NULL  ORDER BY [Parent], Ending "),
         {"FY 2026|Year|Fiscal Calendar|2026-02-01 00:00:00|2027-01-31 00:00:00",
          "Q1 FY 2026|Quarter|FY 2026|2026-02-01 00:00:00|2026-04-30 00:00:00",
          "Q2 FY 2026|Quarter|FY 2026|2026-05-01 00:00:00|2026-07-31 00:00:00",
          "Q3 FY 2026|Quarter|FY 2026|2026-08-01 00:00:00|2026-10-31 00:00:00",
          "Q4 FY 2026|Quarter|FY 2026|2026-11-01 00:00:00|2027-01-31 00:00:00",
          "Feb 2026|Month|Q1 FY 2026|2026-02-01 00:00:00|2026-02-28 00:00:00",
          "Mar 2026|Month|Q1 FY 2026|2026-03-01 00:00:00|2026-03-31 00:00:00",
          "Apr 2026|Month|Q1 FY 2026|2026-04-01 00:00:00|2026-04-30 00:00:00",
          "May 2026|Month|Q2 FY 2026|2026-05-01 00:00:00|2026-05-31 00:00:00",
          "Jun 2026|Month|Q2 FY 2026|2026-06-01 00:00:00|2026-06-30 00:00:00",
          "Jul 2026|Month|Q2 FY 2026|2026-07-01 00:00:00|2026-07-31 00:00:00",
          "Aug 2026|Month|Q3 FY 2026|2026-08-01 00:00:00|2026-08-31 00:00:00",
          "Sep 2026|Month|Q3 FY 2026|2026-09-01 00:00:00|2026-09-30 00:00:00",
          "Oct 2026|Month|Q3 FY 2026|2026-10-01 00:00:00|2026-10-31 00:00:00",
          "Nov 2026|Month|Q4 FY 2026|2026-11-01 00:00:00|2026-11-30 00:00:00",
          "Dec 2026|Month|Q4 FY 2026|2026-12-01 00:00:00|2026-12-31 00:00:00",
          "Jan 2027|Month|Q4 FY 2026|2027-01-01 00:00:00|2027-01-31 00:00:00"}},
        {"plan", kSource, plan.arg(QStringLiteral("Account Executive Plan 2026"), QStringLiteral("AE2026")),
         {"1|Account Executives|Quota-based plan for account executives.|20135"}},
        {"plan with a NULL comment", kSource, plan.arg(QStringLiteral("International Plan 2026"), QStringLiteral("INT2026")),
         {"4|International Sales|NULL|20138"}},
        {"plan's calculation list", kSource, list.arg(20135),
         {"Total Sales", "Quota Attainment", "Commission Amount", "Quarterly Bonus"}},
        {"list holding one calculation twice", kSource, list.arg(20136),
         {"Region Sales", "Commission Amount", "Attainment Rank", "Commission Amount"}},
        {"empty list", kSource, list.arg(20138), {}},
        {"tailored report", kSource,
         QStringLiteral("SELECT TR.ID AS TRID, PG.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME,"
                        "TR.CalculationListID AS LISTID FROM TailoredReport TR, PayeeGroup PG WHERE TR.PayeeGroupID = "
                        "PG.PayeeGroupID AND TR.Name = 'Monthly Commission Statement' AND TR.ID = 'TR01'"),
         {"TR01|1|Account Executives|20139"}},
        {"presentor source dependencies (union removes the repeated table)", kSource,
         sources.arg(QStringLiteral("Sales Dashboard")),
         {"SalesTransactions|Table", "PayeeMaster|Table", "_WR_Dashboard Sales|Calculation", "Total Sales|Calculation",
          "Commission Amount|Calculation"},
         kAny},
        {"presentor linked reports", kSource,
         QStringLiteral("SELECT [Name] AS LINKEDREPORT FROM WebReport WHERE WebReportID IN ( SELECT LinkedWebReportID "
                        "FROM WebReportLinkDependency WHERE WebReportID IN ( SELECT WebReportID FROM WebReport WHERE "
                        "[Name] = 'Sales Dashboard')) ORDER BY [Name]"),
         {"Payee Statement", "Region Summary"}},
        {"calculation row", kSource,
         QStringLiteral("SELECT [CALCID]=[CalculationID], [CALCTYPE] = [Type], [CALCNAME]=[Name], [CALCCOMMENT]=[Comment], "
                        "[CALCPRIMARYSOURCE] = [Source], [CALCOPERATION] = [Operation], [CALCCALENDARUSED]= "
                        "[CalendarUsed], [CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = [ResetLevel] FROM "
                        "[Calculation] WHERE [Name] = 'Commission Amount'"),
         {"1005|3|Commission Amount|Monthly commission: sales times the tier rate, plus the quarterly bonus, less draw "
          "recovery.|_Result1001|( _TableAlias0 * _LookupAlias0.Rate ) + _Result1006 - _LookupAlias1.Recovery + "
          "_TableAlias1 * 0|FISCAL|Month|Year"}},
        {"table alias rows", kSource,
         QStringLiteral("SELECT [TABLENAME1] = [Table1], [COLUMNNAME1] = [Column1], [TABLENAME2] = [Table2], "
                        "[COLUMNNAME2] = [Column2] FROM CalculationJoin WHERE CalculationID = 1005 ORDER BY Position ASC"),
         {"SalesTransactions|Amount|PayeeMaster|PayeeID", "PayeeMaster|RegionCode|RegionLookup|RegionCode"}},
        {"lookup alias rows", kSource,
         QStringLiteral("SELECT [CALCORTABLENAME] = [Name], [CALCORTABLESOURCE] = [Source] FROM CalculationLookup WHERE "
                        "CalculationID = 1005 ORDER BY LookupID ASC"),
         {"Rate Tier|CommissionRates", "Draw Recovery|Draw Recovery"}},
        {"result alias", kSource, QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = 1006"),
         {"Quarterly Bonus"}},
        {"result alias without calculation", kSource,
         QStringLiteral("SELECT [CALCNAME] = [Name] FROM Calculation WHERE CalculationID = 0"), {}},
        {"lookups", kSource,
         QStringLiteral("SELECT [LOOKUPID] = cl.[LookupID], [LOOKUPNAME] = cl.[Name], [LOOKUPSOURCE] = cl.[Source] FROM "
                        "[CalculationLookup] cl WHERE cl.[CalculationID] = 1005 ORDER BY [LookupID]"),
         {"20032|Rate Tier|CommissionRates", "20036|Draw Recovery|Draw Recovery"}},
        {"unions", kSource,
         QStringLiteral("SELECT [UNIONTABLE] = [UnionTable] FROM CalculationUnion WHERE CalculationID = 1005 ORDER BY "
                        "[UnionID]"),
         {"SalesAdjustments", "_Result1004"}},
        {"partitions, order computed by the server", kSource,
         QStringLiteral("SELECT [PARTITIONORDER] = [Order] + 1, [PARTITIONNAME] = [Name], [PARTITIONSOURCETABLE] = "
                        "[SourceTable], [PARTITIONSOURCECOLUMN] = [SourceColumn], [PARTITIONOUTPUTGROUP] = "
                        "[OutputGroup], [PARTITIONACCUMULATING] = [Accumulating] FROM CalculationPartition WHERE "
                        "CalculationID = 1005 ORDER BY [PARTITIONORDER]"),
         {"1|Payee|PayeeMaster|PayeeID|0|0", "2|Month|Time|Month|1|1", "3|Tier|_LookupAlias0|TierCode|0|0"}},
        {"calendar of a calculation", kSource,
         QStringLiteral("SELECT TOP 1 [TIMECAL] = [TimeID]+ ' - ' + [Name] FROM [Time] WHERE [TimeID] = 'FISCAL' AND "
                        "[Parent] IS NULL"),
         {"FISCAL - Fiscal Calendar"}},
        {"restrictions, top level", kSource, level.arg(noLookup, QStringLiteral("AND [Parent] IS NULL ")),
         {"20038|NULL|NULL|0", "20047|NULL|NULL|NULL", "20048|NULL|NULL|NULL", "20049|NULL|NULL|NULL",
          "20050|NULL|NULL|2"},
         kAny},
        {"restrictions, inside the AND group", kSource, level.arg(noLookup, QStringLiteral("AND [Parent] = 20038 ")),
         {"20039|NULL|20038|NULL", "20040|NULL|20038|NULL", "20041|NULL|20038|NULL", "20042|NULL|20038|1",
          "20046|NULL|20038|NULL"},
         kAny},
        {"lookup join condition, top level", kSource,
         level.arg(QStringLiteral("AND [LookupID] = 20032 "), QStringLiteral("AND [Parent] IS NULL ")),
         {"20033|20032|NULL|0"}},
        {"lookup join condition, inside its group", kSource,
         level.arg(QStringLiteral("AND [LookupID] = 20032 "), QStringLiteral("AND [Parent] = 20033 ")),
         {"20034|20032|20033|NULL", "20035|20032|20033|NULL"}, kAny},
        {"a negative parent id is written with its sign", kSource,
         level.arg(noLookup, QStringLiteral("AND [Parent] = -5 ")), {}},
        {"leaf", kSource, leaf.arg(20044), {"PayeeMaster|Title|EQUALS|Sales Manager|1"}},
        {"leaf with a NULL value", kSource, leaf.arg(20045), {"PayeeMaster|TerminationDate|ISNULL|NULL|3"}},
        {"leaf whose value is an alias token", kSource, leaf.arg(20049),
         {"SalesTransactions|Amount|GREATERTHANEQUALS|_Result1007|0"}},
        {"plans using a calculation", kSource,
         QStringLiteral("SELECT CompPlanID AS PLANID, [Name] AS PLANNAME FROM CompPlan WHERE ListID IN (SELECT ListID "
                        "FROM CalculationListElement WHERE CalculationID = 1005) ORDER BY [Name]"),
         {"AE2026|Account Executive Plan 2026", "SM2026|Sales Manager Plan 2026"}},
        {"tailored reports using a calculation", kSource,
         QStringLiteral("SELECT ID AS TRID, [Name] AS TRNAME FROM TailoredReport WHERE CalculationListID IN ( SELECT "
                        "ListID FROM CalculationListElement WHERE CalculationID = 1005) ORDER BY [Name]"),
         {"TR01|Monthly Commission Statement"}},
        {"presentor reports using a calculation", kSource,
         QStringLiteral("SELECT DISTINCT [Name] AS PRESENTORREPORT FROM WebReport WHERE WebReportID IN (SELECT "
                        "WebReportID FROM WebReportCalculation WHERE CalculationID = 1005) ORDER BY [Name]"),
         {"Payee Statement", "Sales Dashboard"}},
        {"views using a calculation", kSource, views.arg(QStringLiteral("Commission Amount")), {"PayeeEarningsView"}},
        {"views using a calculation, several", kSource, views.arg(QStringLiteral("Total Sales")),
         {"PayeeEarningsView", "RegionSalesView"}, kAny},
        {"nothing uses it", kSource,
         QStringLiteral("SELECT CompPlanID AS PLANID, [Name] AS PLANNAME FROM CompPlan WHERE ListID IN (SELECT ListID "
                        "FROM CalculationListElement WHERE CalculationID = 1016) ORDER BY [Name]"),
         {}},
        {"folder: own node", kSource, folder + QStringLiteral("CalculationID = 1005"), {"Commission Amount|20018"}},
        {"folder: parent", kSource, folder + QStringLiteral("NodeID = 20018"), {"Monthly|20017"}},
        {"folder: grandparent", kSource, folder + QStringLiteral("NodeID = 20017"), {"Commissions|20015"}},
        {"folder: top with NULL parent", kSource, folder + QStringLiteral("NodeID = 20015"), {"Sales Compensation|NULL"}},
        {"folder: top with parent 0", kSource, folder + QStringLiteral("NodeID = 20020"), {"Reporting|0"}},
        {"folder: a calculation without node", kSource, folder + QStringLiteral("CalculationID = 1016"), {}},
    });
}
