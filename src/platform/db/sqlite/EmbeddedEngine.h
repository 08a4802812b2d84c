#pragma once
// The embedded engine: a folder is a server, each <name>.sqlite file in it a
// database, opened read-only; T-SQL statements are translated to SQLite.
#include "platform/db/Connection.h"

#include <functional>
#include <memory>

struct sqlite3;

namespace bkl::db::sqlite {

// Opens database `catalog` of the server folder (catalog names match file names
// case-insensitively; "master" is the virtual catalog). Throws DbError.
std::shared_ptr<Backend> OpenEmbedded(const QString& serverFolder, const QString& catalog);

// Test seam: when set, called with every database the engine opens, once its own
// functions are registered (tests and benchmarks register a slow function there to
// make a statement long on purpose). Empty: none.
void SetOpenHookForTesting(std::function<void(sqlite3*)> hook);

// Test seam: when set, asked every so many steps of a statement the engine runs
// whether to stop it; true ends the statement as a Stop does (StatementStopped).
// The stand-in server asks there whether its client has sent an attention. Empty:
// none.
void SetStepStopHookForTesting(std::function<bool()> hook);

} // namespace bkl::db::sqlite
