#include "platform/db/sqlite/CatalogEmulation.h"

#include "platform/core/Escaping.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlTranslator.h"

#include <sqlite3.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <optional>
#include <system_error>

namespace bkl::db::sqlite {

namespace {

// SQLite counts every allocation under one lock of the whole process unless told not
// to before its first use. The catalog's columns are read on a thread of their own
// while the model's connection parses its schema and runs the window's statements;
// with the count on, the two threads queue at that lock on every allocation.
const bool g_allocationCountOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0) == SQLITE_OK;

[[noreturn]] void throwSqlite(sqlite3* db, const QString& what)
{
    throw DbError(sqlite3_errcode(db), QString::fromLatin1(kEngineSource),
                  QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db))));
}

void exec(sqlite3* db, const QString& sql, const QString& failure = QStringLiteral("Cannot prepare the catalog of the database"))
{
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        throwSqlite(db, failure);
}

struct StatementGuard {
    sqlite3_stmt* st = nullptr;
    ~StatementGuard() { sqlite3_finalize(st); }
};

void insertRows(sqlite3* db, const char* sql, const std::vector<std::pair<QString, QString>>& rows, qint64 firstId)
{
    StatementGuard g;
    if (sqlite3_prepare_v2(db, sql, -1, &g.st, nullptr) != SQLITE_OK)
        throwSqlite(db, QStringLiteral("Cannot prepare the catalog of the database"));
    qint64 id = firstId;
    for (const auto& [name, kind] : rows) {
        const QByteArray n = name.toUtf8();
        const QByteArray k = kind.toUtf8();
        sqlite3_bind_int64(g.st, 1, id++);
        sqlite3_bind_text(g.st, 2, n.constData(), static_cast<int>(n.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(g.st, 3, k.constData(), static_cast<int>(k.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(g.st) != SQLITE_DONE)
            throwSqlite(db, QStringLiteral("Cannot prepare the catalog of the database"));
        sqlite3_reset(g.st);
    }
}

QString literal(const QString& text) { return QLatin1Char('\'') + SqlText(text) + QLatin1Char('\''); }

constexpr qint64 kFirstObjectId = 1001;
using Objects = std::vector<std::pair<QString, QString>>; // name, 'U' (table) or 'V' (view)

// The file's own tables and views in name order: that order fixes their ids, from
// kFirstObjectId. Nothing when they cannot be read.
std::optional<Objects> readObjects(sqlite3* db)
{
    Objects objects;
    StatementGuard g;
    if (sqlite3_prepare_v2(db,
                           "SELECT name, type FROM main.sqlite_master WHERE type IN ('table', 'view') "
                           "AND substr(name, 1, 7) <> 'sqlite_'",
                           -1, &g.st, nullptr)
        != SQLITE_OK)
        return std::nullopt;
    int rc;
    while ((rc = sqlite3_step(g.st)) == SQLITE_ROW)
        objects.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.st, 0))),
                             QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.st, 1)))
                                     == QLatin1String("view")
                                 ? QStringLiteral("V")
                                 : QStringLiteral("U"));
    if (rc != SQLITE_DONE)
        return std::nullopt;
    std::sort(objects.begin(), objects.end(),
              [](const auto& a, const auto& b) { return CompareCaseInsensitive(a.first, b.first) < 0; });
    return objects;
}

// Builds, reading through `source`, the database behind sys.columns: table "columns"
// (object_id, name, column_id from 1) holding every object's columns as `source` reads
// them, in object and column order (the order its rows are read in when no index is
// used), and its indexes; returns it serialized, or nullptr when it cannot be built.
std::shared_ptr<SerializedCatalog> buildColumnCatalog(sqlite3* source, const Objects& objects,
                                                      const std::atomic<bool>* cancelled = nullptr)
{
    struct Db {
        sqlite3* db = nullptr;
        EngineContext context;
        ~Db() { sqlite3_close_v2(db); }
    } target;
    if (sqlite3_open_v2(":memory:", &target.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_MEMORY, nullptr) != SQLITE_OK)
        return nullptr;
    RegisterEngineFunctions(target.db, &target.context);
    // Only object_id is declared, as a view over the pragma would type the columns, so
    // statements read and compare them the same way.
    if (sqlite3_exec(target.db, "BEGIN; CREATE TABLE columns (object_id INTEGER, name, column_id)", nullptr, nullptr, nullptr)
        != SQLITE_OK)
        return nullptr;
    StatementGuard write;
    if (sqlite3_prepare_v2(target.db, "INSERT INTO columns VALUES (?1, ?2, ?3)", -1, &write.st, nullptr) != SQLITE_OK)
        return nullptr;
    for (size_t i = 0; i < objects.size(); ++i) {
        if (cancelled && *cancelled)
            return nullptr;
        // The pragma itself: its table-valued form prepares this same statement inside
        // for every object, and sorts what it gives.
        QString name = objects[i].first;
        name.replace(QLatin1Char('"'), QLatin1String("\"\""));
        StatementGuard read;
        if (sqlite3_prepare_v2(source, QStringLiteral("PRAGMA main.table_info(\"%1\")").arg(name).toUtf8().constData(), -1,
                               &read.st, nullptr)
            != SQLITE_OK)
            return nullptr;
        int rc;
        while ((rc = sqlite3_step(read.st)) == SQLITE_ROW) {
            sqlite3_bind_int64(write.st, 1, kFirstObjectId + static_cast<qint64>(i));
            sqlite3_bind_value(write.st, 2, sqlite3_column_value(read.st, 1));
            sqlite3_bind_int64(write.st, 3, sqlite3_column_int64(read.st, 0) + 1);
            if (sqlite3_step(write.st) != SQLITE_DONE)
                return nullptr;
            sqlite3_reset(write.st);
        }
        if (rc != SQLITE_DONE)
            return nullptr;
    }
    // View columns are named "<calculation>.<field>"; the views that show a calculation
    // are looked up by that leading part, exactly as this expression writes it.
    const QByteArray indexes = QStringLiteral(
        "CREATE INDEX columns_object ON columns (object_id, column_id); "
        "CREATE INDEX columns_calculation ON columns (bkl_left(name, bkl_charindex('.', name, 1)) COLLATE %1); COMMIT")
                                   .arg(QLatin1String(kCaseInsensitiveCollation))
                                   .toUtf8();
    if (sqlite3_exec(target.db, indexes.constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        return nullptr;
    auto catalog = std::make_shared<SerializedCatalog>();
    catalog->data = sqlite3_serialize(target.db, "main", &catalog->size, 0);
    return catalog->data ? catalog : nullptr;
}

// Reading every view's columns means preparing every view: on a large model that takes
// longer than a statement may hold the window, so it runs beside the model's opening,
// on a connection of its own. That connection lists the objects itself (the same
// listing of the same file gives the same ids), so it starts before the model's own
// connection has read anything and the two parse the schema at the same time.
void startColumnCatalog(EngineContext& context, std::function<sqlite3*()> openAnother)
{
    try {
        context.columnCatalog = std::async(std::launch::async, [open = std::move(openAnother),
                                                                cancelled = context.columnCatalogCancelled] {
            sqlite3* other = open();
            std::shared_ptr<SerializedCatalog> catalog;
            if (const std::optional<Objects> objects = other ? readObjects(other) : std::nullopt)
                catalog = buildColumnCatalog(other, *objects, cancelled.get());
            sqlite3_close_v2(other);
            return catalog;
        });
    } catch (const std::system_error&) {
        // No thread to spare: the first statement that reads sys.columns builds it.
    }
}

// The catalog's tables and views on the model's own connection, all but its columns.
void createObjectTables(EngineContext& context, const QString& databaseName, const QStringList& serverDatabases)
{
    sqlite3* db = context.db;
    const std::optional<Objects> listed = readObjects(db);
    if (!listed)
        throwSqlite(db, QStringLiteral("Cannot read the database"));
    const Objects& objects = *listed;
    for (size_t i = 0; i < objects.size(); ++i) {
        const qint64 id = kFirstObjectId + static_cast<qint64>(i);
        context.objectIdByName.insert(objects[i].first.toLower(), id);
        if (objects[i].second == QLatin1String("U"))
            context.tableNameById.insert(id, objects[i].first);
    }

    exec(db, QStringLiteral("PRAGMA temp_store = MEMORY"));
    exec(db, QStringLiteral("CREATE TEMP TABLE bkl_objects (id INTEGER PRIMARY KEY, name TEXT COLLATE %1, xtype TEXT)")
                 .arg(QLatin1String(kCaseInsensitiveCollation)));
    insertRows(db, "INSERT INTO temp.bkl_objects (id, name, xtype) VALUES (?, ?, ?)", objects, kFirstObjectId);
    exec(db, QStringLiteral("CREATE INDEX temp.bkl_objects_name ON bkl_objects (name)"));

    std::vector<std::pair<QString, QString>> databases;
    for (const QString& name : serverDatabases)
        databases.emplace_back(name, QString());
    exec(db, QStringLiteral("CREATE TEMP TABLE bkl_databases (dbid INTEGER PRIMARY KEY, name TEXT COLLATE %1, unused TEXT)")
                 .arg(QLatin1String(kCaseInsensitiveCollation)));
    insertRows(db, "INSERT INTO temp.bkl_databases (dbid, name, unused) VALUES (?, ?, ?)", databases, 1);

    exec(db, QStringLiteral("CREATE TEMP VIEW sysdatabases AS SELECT name, dbid FROM temp.bkl_databases"));
    exec(db, QStringLiteral("CREATE TEMP VIEW sysobjects AS SELECT name, id, xtype, xtype AS type FROM temp.bkl_objects"));
    exec(db, QStringLiteral("CREATE TEMP VIEW sysindexes AS SELECT id, 1 AS indid, bkl_rowcount(id) AS \"rows\" "
                            "FROM temp.bkl_objects WHERE xtype = 'U'"));
    exec(db, QStringLiteral("CREATE TEMP VIEW bkl_sys_views AS SELECT name, id AS object_id FROM temp.bkl_objects "
                            "WHERE xtype = 'V'"));
    exec(db, QStringLiteral("CREATE TEMP VIEW bkl_information_schema_tables AS SELECT %1 AS TABLE_CATALOG, "
                            "'dbo' AS TABLE_SCHEMA, name AS TABLE_NAME, "
                            "CASE xtype WHEN 'U' THEN 'BASE TABLE' ELSE 'VIEW' END AS TABLE_TYPE FROM temp.bkl_objects")
                 .arg(literal(databaseName)));
}

} // namespace

void CreateCatalog(EngineContext& context, const QString& databaseName, const QStringList& serverDatabases,
                   std::function<sqlite3*()> openAnother)
{
    if (openAnother)
        startColumnCatalog(context, std::move(openAnother));
    try {
        createObjectTables(context, databaseName, serverDatabases);
    } catch (...) {
        *context.columnCatalogCancelled = true; // the model is not opened: its columns are not waited for
        throw;
    }
}

void FillCatalogOnFirstUse(EngineContext& context, const QString& sqliteName)
{
    if (context.columnsFilled || sqliteName.compare(QLatin1String("bkl_sys_columns"), Qt::CaseInsensitive) != 0)
        return;
    sqlite3* db = context.db;
    const QString failure = QStringLiteral("Cannot read the columns of the database");
    std::shared_ptr<SerializedCatalog> catalog;
    if (context.columnCatalog.valid())
        catalog = context.columnCatalog.get();
    if (!catalog) // no other connection could build it: build it here
        if (const auto objects = readObjects(db))
            catalog = buildColumnCatalog(db, *objects);
    if (!catalog)
        throwSqlite(db, failure);
    exec(db, QStringLiteral("ATTACH ':memory:' AS bkl_catalog"), failure);
    const int rc = sqlite3_deserialize(db, "bkl_catalog", catalog->data, catalog->size, catalog->size,
                                       SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_READONLY);
    catalog->data = nullptr; // SQLite owns (and frees) it now, even when it refused it
    if (rc != SQLITE_OK)
        throwSqlite(db, failure);
    exec(db, QStringLiteral("CREATE TEMP VIEW bkl_sys_columns AS SELECT object_id, name, column_id FROM bkl_catalog.columns"),
         failure);
    context.columnsFilled = true;
}

} // namespace bkl::db::sqlite
