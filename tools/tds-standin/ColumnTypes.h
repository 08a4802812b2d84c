#pragma once
// The SQL Server type each result column goes out as, chosen from the declared type
// of the model column it reads (when known) and the values it holds.
#include "platform/db/Connection.h"

#include <vector>

namespace tds {

struct ColumnType {
    enum class Kind { Int, Bit, Float, Decimal, NVarChar, NVarCharMax, DateTime };
    Kind kind = Kind::Int;
    int size = 4;      // Int: 4 (int) or 8 (bigint)
    int precision = 0; // Decimal
    int scale = 0;     // Decimal
    int length = 1;    // NVarChar, in characters
};

// `declared` holds the declared type of each result column's model column ("bit",
// "decimal(18,2)", "nvarchar(100)", ...), empty where a column is an expression or
// unknown; it may be empty as a whole. A declared type is used only where every value
// fits it; otherwise the values decide:
//   whole numbers -> int (bigint when one does not fit), real numbers -> float,
//   decimals -> decimal(p,s) wide enough for every value, texts -> nvarchar(n)
//   (nvarchar(max) beyond 4000 characters, and for a declared text, ntext or
//   (n)varchar(max)), date/times -> datetime; a column of
//   NULLs only is an int. A column mixing value types goes out as float (whole and
//   real numbers) or nvarchar (anything else, as text).
std::vector<ColumnType> ChooseColumnTypes(const bkl::db::ResultSet& result, const std::vector<QString>& declared);

// The digits of a decimal text ("-12.50", "1.0e-05") scaled to `scale` places,
// rounded half away from zero: the magnitude as a whole number, and the sign.
struct ScaledDecimal {
    unsigned __int128 magnitude = 0;
    bool negative = false;
    bool ok = false;
};
ScaledDecimal ScaleDecimal(const QString& text, int scale);

} // namespace tds
