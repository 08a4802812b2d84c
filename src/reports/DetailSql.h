#pragma once
// The statements of the table, view, calendar, compensation plan, Presentor report
// and tailored report details, as pure functions of the names and ids they select.
// The preview, the export and the model comparison run the same texts on the
// connection they are given. Callers pass names already stripped of blanks; every
// value put between quotes has its ' doubled.
#include <QString>
#include <cstdint>

namespace bkl::reports::sql {

// Columns of a model table in column order: TABLENAME, TABLETYPE, COLUMNNAME, COLUMNDATATYPE.
QString TableColumns(const QString& tableName);
// The server's stored row estimate of a user table: TableName, RowCount.
QString TableRowCount(const QString& tableName);
// The table and column a "List" column refers to: USEDCOLUMNNAME, REFERENCEDTABLE, REFERENCECOLUMN.
QString ReferenceTableAndColumn(const QString& tableName, const QString& columnName);

// Catalog columns of a view in column order: ViewColumnName.
QString ViewColumns(const QString& viewName);
// Distinct parts before the first "." of a view's column names: CALCNAME.
QString ViewCalculations(const QString& viewName);

// Periods of a calendar by parent, then end date: CALNAME, CALLEVEL, CALPARENT, CALSTARTING, CALENDING.
QString CalendarPeriods(const QString& timeId);

// One compensation plan with its payee group: PAYEEGROUPID, PAYEEGROUPNAME, COMMENTS, LISTID.
QString CompensationPlan(const QString& planName, const QString& planId);

// Tables and calculations a Presentor report reads: SOURCETABLENAME, SOURCETYPE.
QString PresentorReportSources(const QString& reportName);
// Reports a Presentor report links to, by name: LINKEDREPORT.
QString PresentorReportLinkedReports(const QString& reportName);

// One tailored report with its payee group: TRID, PAYEEGROUPID, PAYEEGROUPNAME, LISTID.
QString TailoredReport(const QString& reportName, const QString& reportId);

// Calculations of a calculation list in list order: CALCNAME.
QString CalculationsByListId(int64_t listId);

} // namespace bkl::reports::sql
