#include "shell/ModelConnection.h"

#include "platform/core/Escaping.h"
#include "platform/core/Seams.h"
#include "platform/core/TextSemantics.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "shell/ErrorInfo.h"
#include "shell/Globals.h"
#include "shell/Log.h"

namespace bkl {
namespace {

const char kConnectionFailedTitle[] = "Connection Failed !";

// The details block of the two connection failure boxes.
QString DetailsBlock(const ErrorInfo& e)
{
    const QString crlf = QLatin1String(kCrLf);
    return crlf + crlf + QStringLiteral("Details:") + crlf + QStringLiteral("Number: ") + QString::number(e.number)
        + crlf + QStringLiteral("Source: ") + e.source + crlf + QStringLiteral("Description: ") + e.description
        + crlf;
}

QString ConnectionFailedLine(const QString& function, const ErrorInfo& e)
{
    return QStringLiteral("Function: ") + function + QStringLiteral("() --> Connection Failed ! Source: ") + e.source
        + QStringLiteral(" Description: ") + e.description;
}

db::Connection OpenShortLived(const ConnectionSettings& settings, const QString& catalog)
{
    db::Connection cn;
    cn.setConnectionString(BuildConnectionString(settings, catalog));
    cn.setLoginTimeout(kLoginTimeout);
    cn.open();
    return cn;
}

} // namespace

ConnectionSettings SourceConnectionSettings() { return {g_sServerHost, g_sUserName, g_sPassword, g_bWindowsAuth}; }

QString BuildConnectionString(const ConnectionSettings& settings, const QString& catalog)
{
    using db::ConnectionStringValue;
    if (settings.windowsAuth)
        return QStringLiteral("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=")
            + ConnectionStringValue(catalog) + QStringLiteral(";Data Source=")
            + ConnectionStringValue(settings.serverHost);
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=")
        + ConnectionStringValue(settings.user) + QStringLiteral(";password=")
        + ConnectionStringValue(settings.password) + QStringLiteral(";Initial Catalog=")
        + ConnectionStringValue(catalog) + QStringLiteral(";Data Source=")
        + ConnectionStringValue(settings.serverHost);
}

int ConnectToDataStoreSQLSERVER(const ConnectionSettings& settings, const QString& modelName, db::Connection& cn)
{
    return ConnectToModelDatabase(settings, modelName, cn, QStringLiteral("Unable to connect database !"),
                                  QStringLiteral("ConnectToDataStoreSQLSERVER"));
}

int ConnectToModelDatabase(const ConnectionSettings& settings, const QString& modelName, db::Connection& cn,
                           const QString& failureText, const QString& function)
{
    try {
        cn.setConnectionString(BuildConnectionString(settings, modelName));
        cn.setCommandTimeout(kModelCommandTimeout);
        cn.setLoginTimeout(kLoginTimeout);
        cn.open();
        return 1;
    } catch (const db::StatementStopped&) {
        // The user stopped the connect (or quit): nothing failed, the login stays.
        cn = db::Connection();
        return -1;
    } catch (...) {
        const ErrorInfo e = CurrentErrorInfo();
        MsgBox(failureText + DetailsBlock(e), mb::OKOnly | mb::Critical, QString::fromLatin1(kConnectionFailedTitle));
        WriteLog(ConnectionFailedLine(function, e), LogError);
        return -1;
    }
}

DatabaseCatalog FillAllDatabaseCatalog(const ConnectionSettings& settings, const std::function<void()>& afterEachDatabase)
{
    DatabaseCatalog out;
    db::Connection cn;
    db::Recordset rs;
    try {
        cn = OpenShortLived(settings, QStringLiteral("master"));
        rs.openForwardOnly(QStringLiteral("SELECT name FROM sysdatabases ORDER BY NAME"), cn);
        out.listed = true;
        while (!rs.eof()) {
            const QString name = rs.field(QStringLiteral("name")).toText();
            if (!CheckIfQuellmarModelAndReturn(Trim(name), settings).isEmpty())
                out.names << name;
            if (afterEachDatabase)
                afterEachDatabase();
            rs.moveNext();
        }
        rs.close();
        cn.close();
    } catch (const db::StatementStopped&) {
        // The user's Stop: the list stays as it was, nothing failed.
        rs.close();
        cn.close();
        out.listed = false;
    } catch (...) {
        const ErrorInfo e = CurrentErrorInfo();
        rs.close();
        cn.close();
        WriteLog(ConnectionFailedLine(QStringLiteral("FillAllDatabaseCatalog"), e), LogError);
        MsgBox(QStringLiteral("Unable to retrieve model details ! Please verify the connection attributes !")
                   + DetailsBlock(e),
               mb::OKOnly | mb::Critical, QString::fromLatin1(kConnectionFailedTitle));
    }
    return out;
}

QString ModelTestSql(const QString& upperDatabaseName)
{
    return QStringLiteral("SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' "
                          "AND UPPER(TABLE_CATALOG) = '")
        + SqlText(upperDatabaseName)
        + QStringLiteral("'  AND UPPER(TABLE_NAME) IN "
                         "('CALCULATION', 'CALCULATIONTREE', 'CONFIG','CURRENCY', 'SALUTATION', 'IMPORT', "
                         "'DOCUMENT', 'ADMIN', 'AUDIT')");
}

QString CheckIfQuellmarModelAndReturn(const QString& databaseName, const ConnectionSettings& settings)
{
    const QString upper = UCase(databaseName);
    for (const char* system : {"MODEL", "MASTER", "MSDB", "TEMPDB"})
        if (upper == QLatin1String(system))
            return {};
    db::Connection cn;
    db::Recordset rs;
    try {
        cn = OpenShortLived(settings, upper);
        rs.open(ModelTestSql(upper), cn);
        const int32_t count = CLng(rs.field(0).toDouble());
        rs.close();
        cn.close();
        return count == 9 ? databaseName : QString();
    } catch (...) {
        const ErrorInfo e = CurrentErrorInfo();
        WriteLog(ConnectionFailedLine(QStringLiteral("CheckIfQuellmarModelAndReturn"), e), LogError);
        rs.close();
        cn.close();
        return {};
    }
}

int32_t GetRecordCount(const QString& sql, const db::Connection& cn)
{
    db::Recordset rs;
    try {
        int32_t count = 0;
        rs.open(sql, cn);
        while (!rs.eof()) {
            count = CLng(rs.field(0).toDouble());
            rs.moveNext();
        }
        rs.close();
        return count;
    } catch (const db::StatementStopped&) {
        // The user's Stop (or Quit): the count is not known, and nothing failed.
        rs.close();
        return 0;
    } catch (...) {
        const ErrorInfo e = CurrentErrorInfo();
        rs.close();
        LogFunctionError(QStringLiteral("GetRecordCount"), e.number, e.description);
        return 0;
    }
}

int32_t GetRecordCount(const QString& sql) { return GetRecordCount(sql, g_cnModel); }

} // namespace bkl
