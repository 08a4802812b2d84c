#pragma once
// Turns one SQLite result column into the data layer's typed value, by its storage
// class and its declared type: date/time columns stored as ISO text become date/time
// values, decimal/numeric/money columns keep their exact decimal text.
#include "platform/db/Value.h"

struct sqlite3_stmt;

namespace bkl::db::sqlite {

Value ColumnValue(sqlite3_stmt* statement, int column);

} // namespace bkl::db::sqlite
