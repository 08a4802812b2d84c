#pragma once
// The administrative content every demo model carries: marker-table rows, users,
// administrators, imports and the audit log.
#include "SqliteWriter.h"

#include <QStringList>
#include <cstdint>

namespace demo {

void WriteMarkerRows(SqliteWriter& db, bool withDocument = true);
// Web users, administrators and imports (serverImports with IsLocal 0, localImports with 1).
void WriteUsersAndImports(SqliteWriter& db, const QStringList& webUsers, int serverImports, int localImports);
// Audit rows over the 90 days up to the base date, in time order (strictly increasing times).
void WriteAudit(SqliteWriter& db, uint64_t seed, int rowCount, const QStringList& userIds);

} // namespace demo
