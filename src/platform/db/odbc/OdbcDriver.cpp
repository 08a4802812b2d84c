#include "platform/db/odbc/OdbcDriver.h"

#include "platform/core/TextSemantics.h"

#include <sql.h>
#include <sqlext.h>

namespace bkl::db::odbc {

namespace {

bool DriverRegistered(const QString& name)
{
    SQLHENV env = SQL_NULL_HENV;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        return false;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    bool found = false;
    SQLCHAR description[512];
    SQLCHAR attributes[2048];
    SQLSMALLINT descriptionLength = 0;
    SQLSMALLINT attributesLength = 0;
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    while (!found
           && SQL_SUCCEEDED(SQLDrivers(env, direction, description, sizeof description, &descriptionLength,
                                       attributes, sizeof attributes, &attributesLength))) {
        found = QString::fromUtf8(reinterpret_cast<const char*>(description))
                    .compare(name, Qt::CaseInsensitive) == 0;
        direction = SQL_FETCH_NEXT;
    }
    SQLFreeHandle(SQL_HANDLE_ENV, env);
    return found;
}

} // namespace

QString SqlServerDriver()
{
    const QString chosen = Trim(qEnvironmentVariable(kDriverVariable));
    if (!chosen.isEmpty())
        return chosen;
    const QString freeTds = QStringLiteral("FreeTDS");
    return DriverRegistered(freeTds) ? freeTds : QString::fromLatin1(kFreeTdsLibrary);
}

} // namespace bkl::db::odbc
