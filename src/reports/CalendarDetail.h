#pragma once
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

#include <QString>

namespace bkl::reports {

// HTML fragment of the preview for one calendar: its periods, by an
// "(id) name" item text; read through `cn`.
QString GetCalendarDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one calendar; writes the sections whose flag is set.
QString ExportCalendarDetails(const db::Connection& cn, const QString& itemText);

// Heading row of the period grid: "Period Name", "Level", "Parent", "Period Start", "Period End".
QString CalendarPeriodHeadingRow();
// The grid row of the period at the current row of a calendar periods query.
QString CalendarPeriodRow(const db::Recordset& rs);

} // namespace bkl::reports
