#include "platform/db/odbc/OdbcBackend.h"

#include "platform/db/DbError.h"

namespace bkl::db::odbc {

std::unique_ptr<Backend> OpenOdbc(const QMap<QString, QString>&, int)
{
    throw DbError(err::ProviderError, kDataLayerSource,
                  QStringLiteral("Connections to SQL Server are not available in this build."));
}

} // namespace bkl::db::odbc
