#pragma once
// A result as the server sends it: COLMETADATA with each column's type, then one
// ROW token per row.
#include "ColumnTypes.h"
#include "TdsWire.h"

namespace tds {

void WriteColumnMetadata(Writer& w, const QStringList& names, const std::vector<ColumnType>& types);
// A long text (nvarchar(max)) is cut at `textSize` bytes, as the session's TEXTSIZE says.
void WriteRow(Writer& w, const std::vector<bkl::db::Value>& row, const std::vector<ColumnType>& types, qint64 textSize);

} // namespace tds
