#pragma once
// SQL Server over unixODBC (FreeTDS driver by default).
#include "platform/db/Connection.h"

#include <QMap>
#include <memory>

namespace bkl::db::odbc {

// Opens a connection from the parsed OLE-DB style keys (upper-cased: "DATA SOURCE",
// "INITIAL CATALOG", "USER ID", "PASSWORD", "INTEGRATED SECURITY"), through the
// driver SqlServerDriver() names. Throws DbError.
std::unique_ptr<Backend> OpenOdbc(const QMap<QString, QString>& keys, int loginTimeoutSeconds);

// Opens a connection from a ready ODBC connection string (any driver): the same
// backend OpenOdbc opens, reachable with other drivers for tests. The login
// timeout bounds the connect (0 waits as long as the driver does). `name` names
// the connection in what the user is told about it (server and database). Throws
// DbError.
//
// The connection asks for read-only access, sends nothing but single SELECT
// statements (as they stand: SQL Server speaks T-SQL), bounds each by the
// command timeout, and reads every result whole before returning it, so any
// number of recordsets can be open at once. Its ODBC calls are made by a worker
// thread of its own while the event loop turns (see StatementWorker.h); a Stop
// ends a statement within 2 s, past which the connection is opened again.
std::unique_ptr<Backend> OpenOdbcConnectionString(const QString& odbcConnectionString, int loginTimeoutSeconds,
                                                  const QString& name = QString());

} // namespace bkl::db::odbc
