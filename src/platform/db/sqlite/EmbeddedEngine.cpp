#include "platform/db/sqlite/EmbeddedEngine.h"

#include "platform/db/DbError.h"

namespace bkl::db::sqlite {

std::unique_ptr<Backend> OpenEmbedded(const QString&, const QString&)
{
    throw DbError(err::ProviderError, kDataLayerSource, QStringLiteral("The embedded engine is not built yet."));
}

} // namespace bkl::db::sqlite
