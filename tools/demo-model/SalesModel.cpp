#include "SalesModel.h"

#include "Housekeeping.h"
#include "SalesContext.h"
#include "Schema.h"

namespace demo {

int PayeeCount() { return 40; }
QString PayeeId(int index) { return QStringLiteral("P%1").arg(index + 1, 4, 10, QLatin1Char('0')); }
int FillerTableCount(const SalesContext& ctx) { return 8 + 25 * ctx.extraBlocks(); }
int FillerViewCount(const SalesContext& ctx) { return 2 + 25 * ctx.extraBlocks(); }
int FillerCalcCount(const SalesContext& ctx) { return 25 + 500 * ctx.extraBlocks(); }
QString FillerTableName(int index) { return QStringLiteral("GenTable%1").arg(index + 1, 4, 10, QLatin1Char('0')); }
QString FillerViewName(int index) { return QStringLiteral("GenView%1").arg(index + 1, 4, 10, QLatin1Char('0')); }
QString FillerCalcName(int index) { return QStringLiteral("Gen Metric %1").arg(index + 1, 5, 10, QLatin1Char('0')); }

void WriteSalesModel(SqliteWriter& db, const SalesModelOptions& options)
{
    CreatePlatformSchema(db);
    // Internal ids (lookups, constraint nodes, folders, lists, references) come from one
    // counter; the target starts it elsewhere so its ids differ while names match.
    ModelParts parts(db, options.target ? 70001 : 20001);
    SalesContext ctx{options, parts, {}};
    WriteSalesTables(ctx);
    WriteSalesCalendars(ctx);
    WriteSalesCalculations(ctx);
    WriteSalesViews(ctx);
    WriteSalesReports(ctx);
    WriteMarkerRows(db);
    const QStringList users = {QStringLiteral("admin"),   QStringLiteral("jsmith"), QStringLiteral("mgarcia"),
                               QStringLiteral("tnguyen"), QStringLiteral("lchen"),  QStringLiteral("rpatel")};
    WriteUsersAndImports(db,
                         {QStringLiteral("jsmith"), QStringLiteral("mgarcia"), QStringLiteral("tnguyen"),
                          QStringLiteral("lchen"), QStringLiteral("rpatel"), QStringLiteral("kdavis"),
                          QStringLiteral("awilson"), QStringLiteral("bmoore")},
                         3, 2);
    WriteAudit(db, options.seed, 400 + 10000 * ctx.extraBlocks(), users);
}

} // namespace demo
