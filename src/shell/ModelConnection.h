#pragma once
// Opening a model connection, listing the model databases of a server, telling
// a model database from the others, and counting rows for the model summary.
// The operations take the connection settings as arguments: the source login
// passes g_sServerHost, g_sUserName, g_sPassword and g_bWindowsAuth, the
// compare's target login its own.
#include "platform/db/Connection.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace bkl {

struct ConnectionSettings {
    QString serverHost;
    QString user;
    QString password;
    bool windowsAuth = false;
};

// The settings the source login stored (g_sServerHost, g_sUserName, g_sPassword, g_bWindowsAuth).
ConnectionSettings SourceConnectionSettings();

inline constexpr int kModelCommandTimeout = 600;
inline constexpr int kLoginTimeout = 15;

// "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=<catalog>;Data Source=<host>"
// or, with a SQL Server login,
// "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=<user>;password=<password>;Initial Catalog=<catalog>;Data Source=<host>".
// Each value is written as it stands unless it holds ; = quotes or outer blanks; then it is quoted.
QString BuildConnectionString(const ConnectionSettings& settings, const QString& catalog);

// Opens `cn` on the model database (command timeout 600 s, login timeout 15 s).
// Returns 1 on success; on failure shows the "Connection Failed !" box, then
// writes the ERROR line, and returns -1 with `cn` closed.
int ConnectToDataStoreSQLSERVER(const ConnectionSettings& settings, const QString& modelName, db::Connection& cn);

// The connect procedure of both logins: opens `cn` as above; on failure shows
// the "Connection Failed !" box with `failureText` and the error details, then
// writes the ERROR line "Function: <function>() --> Connection Failed ! ...",
// and returns -1.
int ConnectToModelDatabase(const ConnectionSettings& settings, const QString& modelName, db::Connection& cn,
                           const QString& failureText, const QString& function);

// The server's databases that pass the model test, in name order.
struct DatabaseCatalog {
    // False when the server's database list could not be read at all; the
    // caller's list then keeps its old entries.
    bool listed = false;
    // The model databases found (those found before a failure during the walk).
    QStringList names;
};

// Lists the server's model databases through catalog "master". A failure writes
// the ERROR line and then shows the "Connection Failed !" box. Each database's
// model test opens a connection of its own; `afterEachDatabase` is called
// after each test (a window lets its event loop turn there).
DatabaseCatalog FillAllDatabaseCatalog(const ConnectionSettings& settings,
                                       const std::function<void()>& afterEachDatabase = {});

// The name, unchanged, when the database is a Quellmar model (not a system
// database and exactly the nine marker tables); "" otherwise. A failure writes
// an ERROR line and gives "" without a message box.
QString CheckIfQuellmarModelAndReturn(const QString& databaseName, const ConnectionSettings& settings);

// The model test's statement for an upper-cased database name (quotes doubled).
QString ModelTestSql(const QString& upperDatabaseName);

// Runs a counting query and returns the first column of the last row as a
// 32-bit whole number (halves to even); 0 when there is no row, and 0 after an
// ERROR line when the query or the conversion fails.
int32_t GetRecordCount(const QString& sql, const db::Connection& cn);
// Same on g_cnModel.
int32_t GetRecordCount(const QString& sql);

} // namespace bkl
