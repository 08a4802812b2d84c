#pragma once
// The server catalog a model's statements read, emulated per connection with TEMP
// objects (the database file is never touched, and may be read-only):
//   sysdatabases (name, dbid), sysobjects (name, id, xtype 'U'/'V', type),
//   sysindexes (id, indid, rows = the table's row count),
//   bkl_sys_views (name, object_id) for sys.views,
//   bkl_sys_columns (object_id, name, column_id from 1) for sys.columns: a view of an
//     attached in-memory database built in the background from the open on (reading
//     every view's columns means preparing every view), attached when a statement
//     first reads it,
//   bkl_information_schema_tables for INFORMATION_SCHEMA.TABLES.
// One id space serves OBJECT_ID, sysobjects and sys.views.
#include "platform/db/sqlite/EngineFunctions.h"

#include <QStringList>
#include <functional>

namespace bkl::db::sqlite {

// Throws DbError when the file cannot be read as a database. `openAnother` opens one
// more read-only connection to the same database (or gives nullptr): the objects'
// columns are read through it on a thread of their own.
void CreateCatalog(EngineContext& context, const QString& databaseName, const QStringList& serverDatabases,
                   std::function<sqlite3*()> openAnother = {});

// Call before a statement that names the SQLite object `sqliteName`: fills the catalog
// table behind it when it is filled on first use (bkl_sys_columns, once per connection;
// waits for the columns being read in the background). Throws DbError.
void FillCatalogOnFirstUse(EngineContext& context, const QString& sqliteName);

} // namespace bkl::db::sqlite
