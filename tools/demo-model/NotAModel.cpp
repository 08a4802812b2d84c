#include "NotAModel.h"

#include "Housekeeping.h"
#include "Schema.h"

namespace demo {

void WriteNotAModel(SqliteWriter& db, uint64_t seed)
{
    CreatePlatformSchema(db, Markers::AllButDocument);
    WriteMarkerRows(db, false);
    db.insert(QStringLiteral("Calculation"),
              {int64_t(1), QStringLiteral("Archived Total"), int64_t(3), QStringLiteral("Archived 2025 calculation."),
               QStringLiteral("ArchivedSales"), QStringLiteral("SUM( Amount )"), Null{}, Null{}, Null{}});
    WriteUsersAndImports(db, {QStringLiteral("archive")}, 1, 0);
    WriteAudit(db, seed, 20, {QStringLiteral("admin")});
}

} // namespace demo
