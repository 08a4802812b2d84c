#pragma once
// Comparison of one model table: its type, its approximate record count and its
// columns, between the source and the target model.
#include "compare/CompareSides.h"
#include "platform/db/Connection.h"

#include <QString>
#include <cstdint>

namespace bkl::compare {

// The compare result of table `name` (see CompareObject).
QString CompareTables(const CompareSides& sides, const QString& name);

// The table's type (escaped) from its first CustomTable row; "&nbsp;" when there
// is none or the read fails.
QString CompareTableGetTableType(const db::Connection& cn, const QString& tableName);
// The server's stored row estimate of the user table; 0 when there is none.
int64_t CompareTableGetRecCountUsingSYSTables(const db::Connection& cn, const QString& tableName);
// Column / Data Type / Reference grid of the table's columns; "&nbsp;" on failure.
QString CompareTableGetColumns(const db::Connection& cn, const QString& tableName);

} // namespace bkl::compare
