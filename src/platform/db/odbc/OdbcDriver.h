#pragma once
// Which ODBC driver reaches SQL Server.
#include <QString>

namespace bkl::db::odbc {

// Environment variable naming another driver (a name registered with unixODBC,
// or the path of a driver library).
inline constexpr char kDriverVariable[] = "BRISKLANE_ODBC_DRIVER";

// Library of Debian's FreeTDS ODBC driver, used when the driver is not registered.
inline constexpr char kFreeTdsLibrary[] = "/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so";

// The driver to use: BRISKLANE_ODBC_DRIVER when set; else "FreeTDS" when
// unixODBC knows a driver of that name; else the FreeTDS library path.
QString SqlServerDriver();

} // namespace bkl::db::odbc
