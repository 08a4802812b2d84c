#pragma once
// SQL Server over unixODBC (FreeTDS driver by default).
#include "platform/db/Connection.h"

#include <QMap>
#include <memory>

namespace bkl::db::odbc {

// Opens a connection from the parsed OLE-DB style keys (upper-cased: "DATA SOURCE",
// "INITIAL CATALOG", "USER ID", "PASSWORD", "INTEGRATED SECURITY"). Throws DbError.
std::unique_ptr<Backend> OpenOdbc(const QMap<QString, QString>& keys, int loginTimeoutSeconds);

} // namespace bkl::db::odbc
