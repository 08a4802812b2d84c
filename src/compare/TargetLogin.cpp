#include "compare/TargetLogin.h"

#include "shell/Globals.h"

bkl::db::Connection g_cnTarget;

namespace bkl::compare {

bool IsSourceModel(const QString& host, const QString& modelDatabase)
{
    return host == g_sServerHost && modelDatabase == g_sModelName;
}

int ConnectToTargetDataStoreSQLSERVER(const ConnectionSettings& settings, const QString& modelDatabase,
                                      db::Connection& cn)
{
    return ConnectToModelDatabase(settings, modelDatabase, cn,
                                  QStringLiteral("Unable to connect to target model database !"),
                                  QStringLiteral("ConnectToTargetDataStoreSQLSERVER"));
}

} // namespace bkl::compare
