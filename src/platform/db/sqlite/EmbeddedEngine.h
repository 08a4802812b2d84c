#pragma once
// The embedded engine: a folder is a server, each <name>.sqlite file in it a
// database, opened read-only; T-SQL statements are translated to SQLite.
#include "platform/db/Connection.h"

#include <memory>

namespace bkl::db::sqlite {

// Opens database `catalog` of the server folder (catalog names match file names
// case-insensitively; "master" is the virtual catalog). Throws DbError.
std::shared_ptr<Backend> OpenEmbedded(const QString& serverFolder, const QString& catalog);

} // namespace bkl::db::sqlite
