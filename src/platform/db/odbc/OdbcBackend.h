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
// timeout bounds the connect (0 waits as long as the driver does). Throws DbError.
//
// The connection asks for read-only access, sends nothing but single SELECT
// statements (as they stand: SQL Server speaks T-SQL), bounds each by the
// command timeout, and reads every result whole before returning it, so any
// number of recordsets can be open at once.
std::unique_ptr<Backend> OpenOdbcConnectionString(const QString& odbcConnectionString, int loginTimeoutSeconds);

} // namespace bkl::db::odbc
