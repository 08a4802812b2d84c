#include "platform/db/odbc/OdbcHandle.h"

namespace bkl::db::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type)
{
    if (SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_)))
        return;
    handle_ = SQL_NULL_HANDLE;
    const QString what = QStringLiteral("The ODBC driver manager could not allocate a handle.");
    if (parent == SQL_NULL_HANDLE)
        throw DbError(err::ProviderError, QStringLiteral("ODBC"), what);
    throw DiagnosticsError(type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent, what);
}

void Handle::reset()
{
    if (handle_ != SQL_NULL_HANDLE)
        SQLFreeHandle(type_, handle_);
    handle_ = SQL_NULL_HANDLE;
}

} // namespace bkl::db::odbc
