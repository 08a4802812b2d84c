#include "reports/DetailSql.h"

#include "platform/core/Escaping.h"

namespace bkl::reports::sql {

QString TableColumns(const QString& tableName)
{
    return QStringLiteral("SELECT [TABLENAME] = CT.TableName, [TABLETYPE] = CT.TableType, [COLUMNNAME] = CC.ColumnName, "
                          "[COLUMNDATATYPE] = [Type] FROM CustomTable CT, CustomColumn CC WHERE CT.TableName = CC.TableName "
                          "AND CT.TableName = '")
        + SqlText(tableName) + QStringLiteral("' ORDER BY [Order]");
}

QString TableRowCount(const QString& tableName)
{
    return QStringLiteral("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si "
                          "WHERE so.xtype = 'U' AND si.id = OBJECT_ID(so.name) AND so.name = '")
        + SqlText(tableName) + QStringLiteral("' GROUP BY so.Name ");
}

QString ReferenceTableAndColumn(const QString& tableName, const QString& columnName)
{
    return QStringLiteral("SELECT [USEDCOLUMNNAME] = CC.ColumnName, [REFERENCEDTABLE] = REF.ReferencedTable, "
                          "[REFERENCECOLUMN] = REFCOL.ReferencedColumn FROM CustomColumn CC, Reference REF, ReferenceColumn REFCOL "
                          "WHERE CC.TableName = REF.TableName AND REF.ReferenceID = REFCOL.ReferenceID AND "
                          "CC.ColumnName = REFCOL.ColumnName AND CC.TableName = '")
        + SqlText(tableName) + QStringLiteral("' AND CC.ColumnName = '") + SqlText(columnName) + QStringLiteral("'");
}

QString ViewColumns(const QString& viewName)
{
    return QStringLiteral("SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id FROM "
                          "sys.views cv WHERE cv.name  = '")
        + SqlText(viewName) + QStringLiteral("') ORDER BY sc.column_id");
}

QString ViewCalculations(const QString& viewName)
{
    return QStringLiteral("SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE object_id IN "
                          "(SELECT object_id FROM sys.views WHERE [name] = '")
        + SqlText(viewName) + QStringLiteral("')");
}

QString CalendarPeriods(const QString& timeId)
{
    return QStringLiteral("SELECT [Name] AS [CALNAME], [Level] AS [CALLEVEL], [Parent] AS [CALPARENT], "
                          "[Starting] AS [CALSTARTING], [Ending] AS [CALENDING] FROM [Time] WHERE TimeID = '")
        + SqlText(timeId) + QStringLiteral("' AND [Parent] IS NOT NULL  ORDER BY [Parent], Ending ");
}

QString CompensationPlan(const QString& planName, const QString& planId)
{
    return QStringLiteral("SELECT CP.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME, CP.Comment AS COMMENTS, "
                          "CP.ListID AS LISTID  FROM CompPlan CP, PayeeGroup PG WHERE CP.PayeeGroupID = PG.PayeeGroupID "
                          "AND CP.Name = '")
        + SqlText(planName) + QStringLiteral("' AND CP.CompPlanID = '") + SqlText(planId) + QStringLiteral("'");
}

QString PresentorReportSources(const QString& reportName)
{
    const QString n = SqlText(reportName);
    return QStringLiteral("SELECT DISTINCT TableName AS SOURCETABLENAME, 'Table' AS SOURCETYPE FROM WebReportDependency "
                          "WHERE WebReportID IN (SELECT WebReportID FROM WebReport WHERE [Name] = '")
        + n
        + QStringLiteral("') UNION SELECT [Name] AS SOURCETABLENAME, 'Calculation' AS SOURCETYPE FROM Calculation "
                         "WHERE CalculationID IN ( SELECT CalculationID FROM WebReportCalculation WHERE WebReportID IN "
                         "(SELECT WebReportID FROM WebReport WHERE [Name] = '")
        + n + QStringLiteral("')) ");
}

QString PresentorReportLinkedReports(const QString& reportName)
{
    return QStringLiteral("SELECT [Name] AS LINKEDREPORT FROM WebReport WHERE WebReportID IN ( SELECT LinkedWebReportID "
                          "FROM WebReportLinkDependency WHERE WebReportID IN ( SELECT WebReportID FROM WebReport WHERE [Name] = '")
        + SqlText(reportName) + QStringLiteral("')) ORDER BY [Name]");
}

QString TailoredReport(const QString& reportName, const QString& reportId)
{
    return QStringLiteral("SELECT TR.ID AS TRID, PG.PayeeGroupID AS PAYEEGROUPID, PG.Name AS PAYEEGROUPNAME,"
                          "TR.CalculationListID AS LISTID FROM TailoredReport TR, PayeeGroup PG "
                          "WHERE TR.PayeeGroupID = PG.PayeeGroupID AND TR.Name = '")
        + SqlText(reportName) + QStringLiteral("' AND TR.ID = '") + SqlText(reportId) + QStringLiteral("'");
}

QString CalculationsByListId(int64_t listId)
{
    return QStringLiteral("SELECT C.Name AS CALCNAME FROM Calculation C, CalculationListElement CLE WHERE "
                          "C.CalculationID = CLE.CalculationID AND CLE.ListID = ")
        + QString::number(listId) + QStringLiteral(" ORDER BY [Order]");
}

} // namespace bkl::reports::sql
