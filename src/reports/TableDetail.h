#pragma once
#include "platform/db/Connection.h"

#include <QString>
#include <cstdint>

namespace bkl::reports {

// HTML fragment of the preview for one table: type, approximate record count and
// columns with the reference of each "List" column; read through `cn`.
QString GetTableDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one table; writes the sections whose flag is set.
QString ExportTableDetails(const db::Connection& cn, const QString& itemText);

// The server's stored row estimate of the table; 0 (with an ERROR line) when there
// is no such user table or the read fails.
int64_t GetTableCountUsingSYSTables(const db::Connection& cn, const QString& tableName);

// "<referenced table>.<referenced column>" of a "List" column; a single blank
// (with an ERROR line) when there is no reference row or the read fails.
QString GetReferenceTableAndColumn(const db::Connection& cn, const QString& tableName, const QString& columnName);

} // namespace bkl::reports
