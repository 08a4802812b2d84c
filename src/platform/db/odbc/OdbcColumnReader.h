#pragma once
// Reads one column of the current row of an ODBC statement as a typed Value.
#include "platform/db/Value.h"

#include <sql.h>

namespace bkl::db::odbc {

// `sqlType` is the column's type as SQLDescribeCol reports it:
//   bit and whole numbers      -> Value::integer
//   float, real, double        -> Value::real
//   decimal, numeric, money    -> Value::decimal with the exact digits
//   date, time, date/time      -> Value::dateTime (a time alone on 12/30/1899)
//   character types and others -> Value::text (read as UTF-16, in pieces)
// NULL is Value::null(). Throws DbError with the driver's diagnostics.
Value ReadColumn(SQLHSTMT stmt, SQLUSMALLINT column, SQLSMALLINT sqlType);

} // namespace bkl::db::odbc
