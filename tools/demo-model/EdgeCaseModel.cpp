#include "EdgeCaseModel.h"

#include "Housekeeping.h"
#include "Schema.h"

namespace demo {

void WriteEdgeCaseModel(SqliteWriter& db, uint64_t seed)
{
    CreatePlatformSchema(db);
    WriteMarkerRows(db);
    WriteUsersAndImports(db, {QStringLiteral("O'Brien")}, 1, 1);
    WriteAudit(db, seed, 30, {QStringLiteral("O'Brien"), QStringLiteral("admin")});
}

} // namespace demo
