#pragma once
// SQL functions and the collation the translated statements call: T-SQL LIKE,
// LEFT/RIGHT/CHARINDEX/LEN, CHAR/NCHAR, Unicode UPPER/LOWER, OBJECT_ID and table row counts.
#include "platform/db/sqlite/TsqlLike.h"

#include <QHash>
#include <QString>
#include <atomic>
#include <future>
#include <memory>

struct sqlite3;

namespace bkl::db::sqlite {

// A database image made by sqlite3_serialize (freed with sqlite3_free).
struct SerializedCatalog {
    unsigned char* data = nullptr;
    long long size = 0;
    ~SerializedCatalog();
};

// Per-connection state the functions and the catalog use.
struct EngineContext {
    sqlite3* db = nullptr;
    QHash<QString, qint64> objectIdByName;   // lower-cased object name -> id
    QHash<qint64, QString> tableNameById;    // base tables only
    QHash<qint64, qint64> rowCountById;      // filled on first use
    bool columnsFilled = false;              // the catalog's column table is filled
    std::future<std::shared_ptr<SerializedCatalog>> columnCatalog; // built in the background
    std::shared_ptr<std::atomic<bool>> columnCatalogCancelled = std::make_shared<std::atomic<bool>>(false);
    long functionError = 0;                  // error number a function raised last
    std::unique_ptr<TsqlLikePattern> lastPattern;
};

// Registers the collation and functions on `db`; `context` must outlive the connection.
void RegisterEngineFunctions(sqlite3* db, EngineContext* context);

// Registers only the case-insensitive collation (kCaseInsensitiveCollation). A file
// whose indexes use that collation must be written with this same ordering, or the
// engine's index searches would miss rows.
void RegisterCaseInsensitiveCollation(sqlite3* db);

} // namespace bkl::db::sqlite
