#pragma once
// The statements of the model comparison that the detail renderers do not share:
// the existence tests run on the target model and the fetchers' own SELECTs. Pure
// functions of the names they select; every value between quotes has its ' doubled.
#include <QString>

namespace bkl::compare::sql {

// Existence tests: one row, one count.
QString TableExists(const QString& tableName);
QString ViewExists(const QString& viewName);
QString CalendarExists(const QString& calendarName, const QString& timeId);
QString PresentorReportExists(const QString& reportName);
QString CalculationExists(const QString& calcName);

// The model table's type: TABLETYPE.
QString TableType(const QString& tableName);
// The model table's columns in column order: COLUMNNAME, COLUMNDATATYPE.
QString TableColumnTypes(const QString& tableName);

// One calculation's row, by name, with the fields each fetcher reads.
QString CalculationType(const QString& calcName);           // CALCTYPE
QString CalculationComment(const QString& calcName);        // CALCCOMMENT
QString CalculationCalendar(const QString& calcName);       // CALCCALENDARUSED
QString CalculationFormula(const QString& calcName);        // CALCID, CALCOPERATION
QString CalculationPrimarySource(const QString& calcName);  // CALCID, CALCPRIMARYSOURCE
QString CalculationPartitionLevels(const QString& calcName);// CALCID, CALCTIMELEVEL, CALCRESETLEVEL, CALCCALENDARUSED
QString CalculationId(const QString& calcName);             // CALCID

} // namespace bkl::compare::sql
