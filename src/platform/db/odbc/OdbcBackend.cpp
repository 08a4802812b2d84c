#include "platform/db/odbc/OdbcBackend.h"

#include "platform/core/ActiveRun.h"
#include "platform/db/odbc/OdbcColumnReader.h"
#include "platform/db/odbc/OdbcConnectionString.h"
#include "platform/db/odbc/OdbcDiagnostics.h"
#include "platform/db/odbc/OdbcDriver.h"
#include "platform/db/odbc/SelectOnly.h"
#include "platform/db/odbc/StatementWorker.h"

#include <QScopeGuard>
#include <sqlext.h>
#include <vector>

namespace bkl::db::odbc {

namespace {

// Owns one ODBC handle.
class Handle {
public:
    Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type)
    {
        if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &handle_))) {
            handle_ = SQL_NULL_HANDLE;
            const QString what = QStringLiteral("The ODBC driver manager could not allocate a handle.");
            if (parent == SQL_NULL_HANDLE)
                throw DbError(err::ProviderError, QStringLiteral("ODBC"), what);
            throw DiagnosticsError(type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV, parent, what);
        }
    }
    ~Handle()
    {
        if (handle_ != SQL_NULL_HANDLE)
            SQLFreeHandle(type_, handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    SQLHANDLE get() const { return handle_; }

private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

SQLPOINTER Integer(SQLULEN v) { return reinterpret_cast<SQLPOINTER>(v); }

struct Column {
    QString name;
    SQLSMALLINT type = 0;
};

class OdbcBackend : public Backend {
public:
    OdbcBackend(const QString& connectionString, int loginTimeoutSeconds)
        : env_(SQL_HANDLE_ENV, SQL_NULL_HANDLE)
    {
        SQLSetEnvAttr(env_.get(), SQL_ATTR_ODBC_VERSION, Integer(SQL_OV_ODBC3), 0);
        dbc_ = std::make_unique<Handle>(SQL_HANDLE_DBC, env_.get());
        const SQLULEN timeout = static_cast<SQLULEN>(qMax(loginTimeoutSeconds, 0));
        // Optional wishes: a driver that does not know one still connects.
        SQLSetConnectAttr(dbc_->get(), SQL_ATTR_LOGIN_TIMEOUT, Integer(timeout), 0);
        SQLSetConnectAttr(dbc_->get(), SQL_ATTR_CONNECTION_TIMEOUT, Integer(timeout), 0);
        SQLSetConnectAttr(dbc_->get(), SQL_ATTR_ACCESS_MODE, Integer(SQL_MODE_READ_ONLY), 0);

        const SQLRETURN rc = SQLDriverConnectW(dbc_->get(), nullptr, WideText(connectionString), SQL_NTS, nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc))
            throw DiagnosticsError(SQL_HANDLE_DBC, dbc_->get(), QStringLiteral("Unable to connect."));
    }

    ~OdbcBackend() override { SQLDisconnect(dbc_->get()); }

    // Outside a run the statement is read here, as nothing turns the event loop
    // meanwhile. Inside one it is read by a worker while this thread turns the loop
    // (see RunInWorker), one statement at a time on the connection; a stop cancels
    // it at the server and ends it as the embedded engine ends a stopped statement.
    ResultSet execute(const QString& sql, int commandTimeoutSeconds) override
    {
        const QString text = StatementForServer(sql);
        if (waiting_)
            throw DbError(err::ProviderError, kDataLayerSource,
                          QStringLiteral("The connection is busy with another statement: %1").arg(sql));
        Handle stmt(SQL_HANDLE_STMT, dbc_->get());
        SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT, Integer(static_cast<SQLULEN>(qMax(commandTimeoutSeconds, 0))), 0);
        if (!RunActive())
            return read(stmt, text);

        waiting_ = true;
        const auto idle = qScopeGuard([this] { waiting_ = false; });
        ResultSet result;
        // After a cancel the worker's call ends with the driver's "canceled" error, and
        // freeing the handle closes what is left of the statement: the connection goes on.
        if (RunInWorker([&] { result = read(stmt, text); }, [&] { SQLCancel(stmt.get()); }))
            throw StatementStopped();
        return result;
    }

private:
    // Runs the statement and reads its whole result.
    static ResultSet read(const Handle& stmt, const QString& sql)
    {
        SQLRETURN rc = SQLExecDirectW(stmt.get(), WideText(sql), SQL_NTS);
        if (rc != SQL_NO_DATA)
            CheckStatement(rc, stmt.get(), QStringLiteral("The statement failed."));

        // The first result that has columns is the statement's result.
        SQLSMALLINT columnCount = 0;
        for (;;) {
            Check(SQLNumResultCols(stmt.get(), &columnCount), stmt.get());
            if (columnCount > 0)
                break;
            rc = SQLMoreResults(stmt.get());
            if (rc == SQL_NO_DATA)
                break;
            Check(rc, stmt.get());
        }

        ResultSet result;
        const std::vector<Column> columns = Describe(stmt.get(), columnCount);
        for (const Column& c : columns)
            result.columns << c.name;
        if (columns.empty())
            return result;
        for (;;) {
            rc = SQLFetch(stmt.get());
            if (rc == SQL_NO_DATA)
                break;
            Check(rc, stmt.get());
            std::vector<Value> row;
            row.reserve(columns.size());
            for (size_t i = 0; i < columns.size(); ++i)
                row.push_back(ReadColumn(stmt.get(), static_cast<SQLUSMALLINT>(i + 1), columns[i].type));
            result.rows.push_back(std::move(row));
        }
        return result;
    }

    static void Check(SQLRETURN rc, SQLHSTMT stmt)
    {
        CheckStatement(rc, stmt, QStringLiteral("Reading the result failed."));
    }

    static std::vector<Column> Describe(SQLHSTMT stmt, SQLSMALLINT count)
    {
        std::vector<Column> columns;
        for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
            SQLWCHAR name[512];
            SQLSMALLINT nameLength = 0;
            Column c;
            SQLULEN size = 0;
            SQLSMALLINT digits = 0;
            SQLSMALLINT nullable = 0;
            Check(SQLDescribeColW(stmt, i, name, static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &c.type,
                                  &size, &digits, &nullable),
                  stmt);
            c.name = FromWide(name, qMin<qsizetype>(nameLength, std::size(name) - 1));
            columns.push_back(c);
        }
        return columns;
    }

    Handle env_;
    std::unique_ptr<Handle> dbc_; // after env_: freed before it
    bool waiting_ = false;        // a statement's worker runs while the event loop turns
};

} // namespace

std::unique_ptr<Backend> OpenOdbcConnectionString(const QString& odbcConnectionString, int loginTimeoutSeconds)
{
    return std::make_unique<OdbcBackend>(odbcConnectionString, loginTimeoutSeconds);
}

std::unique_ptr<Backend> OpenOdbc(const QMap<QString, QString>& keys, int loginTimeoutSeconds)
{
    return OpenOdbcConnectionString(OdbcConnectionString(keys, SqlServerDriver()), loginTimeoutSeconds);
}

} // namespace bkl::db::odbc
