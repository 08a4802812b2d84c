#pragma once
// Turns one SQLite result column into the data layer's typed value, by its storage
// class and its declared type: date/time columns stored as ISO text become date/time
// values, decimal/numeric/money columns keep their exact decimal text.
#include "platform/db/Value.h"

struct sqlite3_stmt;

namespace bkl::db::sqlite {

// What a result column's declared type says about its values; the same for every row
// of a statement, so it is read once per statement.
struct DeclaredType {
    bool dateTime = false;
    bool decimal = false;
};
DeclaredType ColumnDeclaredType(sqlite3_stmt* statement, int column);

Value ColumnValue(sqlite3_stmt* statement, int column, DeclaredType declared);

} // namespace bkl::db::sqlite
