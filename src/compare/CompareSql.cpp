#include "compare/CompareSql.h"

#include "platform/core/Escaping.h"

namespace bkl::compare::sql {

namespace {
QString quoted(const QString& value) { return QLatin1Char('\'') + SqlText(value) + QLatin1Char('\''); }

QString calculationRow(const char* selectList, const QString& calcName)
{
    return QStringLiteral("SELECT ") + QLatin1String(selectList) + QStringLiteral(" FROM [Calculation] WHERE [Name] = ")
        + quoted(calcName);
}
} // namespace

QString TableExists(const QString& tableName)
{
    return QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = ") + quoted(tableName)
        + QStringLiteral(" AND TableType <> 'View' ");
}

QString ViewExists(const QString& viewName)
{
    return QStringLiteral("SELECT COUNT(1) FROM CustomTable WHERE TableName = ") + quoted(viewName)
        + QStringLiteral(" AND TableType = 'View' ");
}

QString CalendarExists(const QString& calendarName, const QString& timeId)
{
    return QStringLiteral("SELECT COUNT(1) FROM [Time] WHERE [Name] = ") + quoted(calendarName)
        + QStringLiteral(" AND TimeID = ") + quoted(timeId) + QStringLiteral(" AND Parent IS NULL");
}

QString PresentorReportExists(const QString& reportName)
{
    return QStringLiteral("SELECT COUNT(1) FROM WebReport WHERE [Name] = ") + quoted(reportName);
}

QString CalculationExists(const QString& calcName)
{
    return QStringLiteral("SELECT COUNT(1) FROM Calculation WHERE [Name] = ") + quoted(calcName) + QLatin1Char(' ');
}

QString TableType(const QString& tableName)
{
    return QStringLiteral("SELECT [TABLETYPE] = CT.TableType FROM CustomTable CT WHERE CT.TableName = ")
        + quoted(tableName);
}

QString TableColumnTypes(const QString& tableName)
{
    return QStringLiteral("SELECT [COLUMNNAME] = CC.ColumnName, [COLUMNDATATYPE] = [Type] FROM CustomTable CT, "
                          "CustomColumn CC WHERE CT.TableName = CC.TableName AND CT.TableName = ")
        + quoted(tableName) + QStringLiteral(" ORDER BY [Order]");
}

QString CalculationType(const QString& calcName) { return calculationRow("[CALCTYPE] = [Type]", calcName); }

QString CalculationComment(const QString& calcName) { return calculationRow("[CALCCOMMENT]=[Comment]", calcName); }

QString CalculationCalendar(const QString& calcName)
{
    return calculationRow("[CALCCALENDARUSED]= [CalendarUsed]", calcName);
}

QString CalculationFormula(const QString& calcName)
{
    return calculationRow("[CALCID]=[CalculationID], [CALCOPERATION] = [Operation]", calcName);
}

QString CalculationPrimarySource(const QString& calcName)
{
    return calculationRow("[CALCID]=[CalculationID], [CALCPRIMARYSOURCE] = [Source]", calcName);
}

QString CalculationPartitionLevels(const QString& calcName)
{
    return calculationRow("[CALCID]=[CalculationID], [CALCTIMELEVEL] = [TimeLevel], [CALCRESETLEVEL] = [ResetLevel], "
                          "[CALCCALENDARUSED]= [CalendarUsed]",
                          calcName);
}

QString CalculationId(const QString& calcName) { return calculationRow("[CALCID]=[CalculationID]", calcName); }

} // namespace bkl::compare::sql
