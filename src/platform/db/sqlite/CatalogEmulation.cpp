#include "platform/db/sqlite/CatalogEmulation.h"

#include "platform/core/Escaping.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/TsqlTranslator.h"

#include <sqlite3.h>

#include <algorithm>

namespace bkl::db::sqlite {

namespace {

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

} // namespace

void CreateCatalog(EngineContext& context, const QString& databaseName, const QStringList& serverDatabases)
{
    sqlite3* db = context.db;
    // The file's own tables and views, in name order (that order fixes their ids).
    std::vector<std::pair<QString, QString>> objects;
    {
        StatementGuard g;
        if (sqlite3_prepare_v2(db,
                               "SELECT name, type FROM main.sqlite_master WHERE type IN ('table', 'view') "
                               "AND substr(name, 1, 7) <> 'sqlite_'",
                               -1, &g.st, nullptr)
            != SQLITE_OK)
            throwSqlite(db, QStringLiteral("Cannot read the database"));
        int rc;
        while ((rc = sqlite3_step(g.st)) == SQLITE_ROW)
            objects.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.st, 0))),
                                 QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(g.st, 1)))
                                         == QLatin1String("view")
                                     ? QStringLiteral("V")
                                     : QStringLiteral("U"));
        if (rc != SQLITE_DONE)
            throwSqlite(db, QStringLiteral("Cannot read the database"));
    }
    std::sort(objects.begin(), objects.end(),
              [](const auto& a, const auto& b) { return CompareCaseInsensitive(a.first, b.first) < 0; });
    constexpr qint64 kFirstObjectId = 1001;
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
    // Filled on first use (FillCatalogOnFirstUse): reading every object's columns costs
    // more than most statements. Only object_id is declared, as a view over the pragma
    // would type the columns, so statements read and compare them the same way.
    exec(db, QStringLiteral("CREATE TEMP TABLE bkl_sys_columns (object_id INTEGER, name, column_id)"));
    exec(db, QStringLiteral("CREATE TEMP VIEW bkl_information_schema_tables AS SELECT %1 AS TABLE_CATALOG, "
                            "'dbo' AS TABLE_SCHEMA, name AS TABLE_NAME, "
                            "CASE xtype WHEN 'U' THEN 'BASE TABLE' ELSE 'VIEW' END AS TABLE_TYPE FROM temp.bkl_objects")
                 .arg(literal(databaseName)));
}

void FillCatalogOnFirstUse(EngineContext& context, const QString& sqliteName)
{
    if (context.columnsFilled || sqliteName.compare(QLatin1String("bkl_sys_columns"), Qt::CaseInsensitive) != 0)
        return;
    sqlite3* db = context.db;
    const QString failure = QStringLiteral("Cannot read the columns of the database");
    exec(db, QStringLiteral("SAVEPOINT bkl_fill_columns"), failure);
    try {
        // In object and column order, the order the rows are read in when no index is used.
        exec(db,
             QStringLiteral("INSERT INTO temp.bkl_sys_columns (object_id, name, column_id) SELECT o.id, c.name, c.cid + 1 "
                            "FROM temp.bkl_objects o JOIN pragma_table_info(o.name, 'main') c ORDER BY o.id, c.cid"),
             failure);
        exec(db, QStringLiteral("CREATE INDEX temp.bkl_sys_columns_object ON bkl_sys_columns (object_id, column_id)"),
             failure);
        // View columns are named "<calculation>.<field>"; the views that show a calculation
        // are looked up by that leading part, exactly as this expression writes it.
        exec(db,
             QStringLiteral("CREATE INDEX temp.bkl_sys_columns_calculation ON bkl_sys_columns "
                            "(bkl_left(name, bkl_charindex('.', name, 1)) COLLATE %1)")
                 .arg(QLatin1String(kCaseInsensitiveCollation)),
             failure);
        exec(db, QStringLiteral("RELEASE bkl_fill_columns"), failure);
    } catch (...) {
        sqlite3_exec(db, "ROLLBACK TO bkl_fill_columns; RELEASE bkl_fill_columns", nullptr, nullptr, nullptr);
        throw;
    }
    context.columnsFilled = true;
}

} // namespace bkl::db::sqlite
