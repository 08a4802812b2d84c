#pragma once
#include "platform/db/Connection.h"
#include "reports/ModelRead.h"

#include <QString>
#include <cstdint>

namespace bkl::reports {

// HTML fragment of the preview for one table: type, approximate record count and
// columns with the reference of each "List" column; read through `cn`.
QString GetTableDetails(const db::Connection& cn, const QString& itemText);
// Text block of the export file for one table; writes the sections whose flag is set.
QString ExportTableDetails(const db::Connection& cn, const QString& itemText);

// Heading row of the columns grid: "Column", "Data Type", "Reference".
QString TableColumnsHeadingRow();
// One row of the columns grid: the column, its data type and, for a column of the
// exact type "List", the table and column it refers to (else "&nbsp;"), taken
// as GetReferenceTableAndColumn does in `order`.
QString TableColumnRow(const db::Connection& cn, const QString& tableName, const QString& column,
                       const QString& dataType,
                       const QString& referenceLogName = QStringLiteral("GetReferenceTableAndColumn"),
                       RowOrder order = RowOrder::AsRead);

// The server's stored row estimate of the table; 0 (with an ERROR line naming
// `logName`) when there is no such user table or the read fails.
int64_t GetTableCountUsingSYSTables(const db::Connection& cn, const QString& tableName,
                                    const QString& logName = QStringLiteral("GetTableCountUsingSYSTables"));

// "<referenced table>.<referenced column>" of a "List" column: of the first
// reference row the server returns, or with RowOrder::ByText the first in text
// order; a single blank (with an ERROR line naming `logName`) when there is no
// reference row or the read fails.
QString GetReferenceTableAndColumn(const db::Connection& cn, const QString& tableName, const QString& columnName,
                                   const QString& logName = QStringLiteral("GetReferenceTableAndColumn"),
                                   RowOrder order = RowOrder::AsRead);

} // namespace bkl::reports
