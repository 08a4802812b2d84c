#include "platform/db/odbc/OdbcSession.h"

#include "platform/db/odbc/OdbcColumnReader.h"
#include "platform/db/odbc/StatementWorker.h"

#include <sqlext.h>

namespace bkl::db::odbc {

namespace {

struct Column {
    QString name;
    SQLSMALLINT type = 0;
};

void Check(SQLRETURN rc, SQLHSTMT stmt) { CheckStatement(rc, stmt, QStringLiteral("Reading the result failed.")); }

std::vector<Column> Describe(SQLHSTMT stmt, SQLSMALLINT count)
{
    std::vector<Column> columns;
    for (SQLUSMALLINT i = 1; i <= static_cast<SQLUSMALLINT>(count); ++i) {
        SQLWCHAR name[512];
        SQLSMALLINT nameLength = 0;
        Column c;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        Check(SQLDescribeColW(stmt, i, name, static_cast<SQLSMALLINT>(std::size(name)), &nameLength, &c.type, &size,
                              &digits, &nullable),
              stmt);
        c.name = FromWide(name, qMin<qsizetype>(nameLength, std::size(name) - 1));
        columns.push_back(c);
    }
    return columns;
}

// A call that waits for the server's reply, which the waiting thread may cancel
// meanwhile; returns its result, or closes the statement as stopped when cancelled.
// A cancel waits until the server has taken the whole statement: the driver would
// send its attention amid the statement's packets and then the rest of them, which
// the server reads as another statement, answered in place of the next one.
template <typename Call>
SQLRETURN ServerWait(WorkerJob& job, const OdbcSession& session, const Handle& stmt, Call call, bool& cancelled)
{
    job.enterServerWait([&session, h = stmt.get()] {
        if (session.sending())
            return false;
        SQLCancel(h);
        return true;
    });
    const SQLRETURN rc = call();
    cancelled = job.leaveServerWait();
    return rc;
}

bool ConnectionDead(SQLHDBC dbc)
{
    SQLUINTEGER dead = SQL_CD_FALSE;
    return SQL_SUCCEEDED(SQLGetConnectAttr(dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) && dead == SQL_CD_TRUE;
}

} // namespace

OdbcSession::OdbcSession(QString connectionString, int loginTimeoutSeconds)
    : connectionString_(std::move(connectionString)), loginTimeoutSeconds_(loginTimeoutSeconds)
{
}

OdbcSession::~OdbcSession() { disconnect(); }

void OdbcSession::connect()
{
    if (dbc_)
        return;
    if (!env_) {
        env_ = std::make_unique<Handle>(SQL_HANDLE_ENV, nullptr);
        SQLSetEnvAttr(env_->get(), SQL_ATTR_ODBC_VERSION, Integer(SQL_OV_ODBC3), 0);
    }
    auto dbc = std::make_unique<Handle>(SQL_HANDLE_DBC, env_->get());
    const SQLULEN timeout = static_cast<SQLULEN>(qMax(loginTimeoutSeconds_, 0));
    // Optional wishes: a driver that does not know one still connects.
    SQLSetConnectAttr(dbc->get(), SQL_ATTR_LOGIN_TIMEOUT, Integer(timeout), 0);
    SQLSetConnectAttr(dbc->get(), SQL_ATTR_CONNECTION_TIMEOUT, Integer(timeout), 0);
    SQLSetConnectAttr(dbc->get(), SQL_ATTR_ACCESS_MODE, Integer(SQL_MODE_READ_ONLY), 0);

    DriverSockets found;
    {
        const ConnectionScan scan;
        const SQLRETURN rc = SQLDriverConnectW(dbc->get(), nullptr, WideText(connectionString_), SQL_NTS, nullptr, 0,
                                               nullptr, SQL_DRIVER_NOPROMPT);
        if (!SQL_SUCCEEDED(rc))
            throw DiagnosticsError(SQL_HANDLE_DBC, dbc->get(), QStringLiteral("Unable to connect."));
        found = scan.found();
    }
    {
        const std::lock_guard lock(socketsMutex_);
        sockets_ = std::move(found);
    }
    dbc_ = std::move(dbc);
}

void OdbcSession::disconnect()
{
    if (!dbc_)
        return;
    SQLDisconnect(dbc_->get());
    dbc_.reset();
    const std::lock_guard lock(socketsMutex_);
    sockets_.release();
}

void OdbcSession::shutDownSockets() const
{
    const std::lock_guard lock(socketsMutex_);
    sockets_.shutDown();
}

bool OdbcSession::sending() const
{
    const std::lock_guard lock(socketsMutex_);
    return sockets_.sending();
}

void OdbcSession::dropSocketsWhenDead()
{
    if (dbc_ && ConnectionDead(dbc_->get())) {
        const std::lock_guard lock(socketsMutex_);
        sockets_.release();
    }
}

void OdbcSession::stopped(Handle& stmt, WorkerJob& job)
{
    // Freeing the statement closes what is left of it: the driver cancels it at the
    // server and reads the rest of its reply, on this thread.
    stmt.reset();
    if (ConnectionDead(dbc_->get())) {
        disconnect();
        job.noteConnectionLost();
    }
    throw StatementStopped();
}

ResultSet OdbcSession::run(const QString& sql, int commandTimeoutSeconds, WorkerJob& job)
{
    try {
        return read(sql, commandTimeoutSeconds, job);
    } catch (const DbError&) {
        dropSocketsWhenDead();
        throw;
    }
}

ResultSet OdbcSession::read(const QString& sql, int commandTimeoutSeconds, WorkerJob& job)
{
    connect();
    Handle stmt(SQL_HANDLE_STMT, dbc_->get());
    SQLSetStmtAttr(stmt.get(), SQL_ATTR_QUERY_TIMEOUT, Integer(static_cast<SQLULEN>(qMax(commandTimeoutSeconds, 0))), 0);
    bool cancelled = false;
    SQLRETURN rc = ServerWait(
        job, *this, stmt, [&] { return SQLExecDirectW(stmt.get(), WideText(sql), SQL_NTS); }, cancelled);
    if (cancelled || job.stopRequested())
        stopped(stmt, job);
    if (rc != SQL_NO_DATA)
        CheckStatement(rc, stmt.get(), QStringLiteral("The statement failed."));

    // The first result that has columns is the statement's result.
    SQLSMALLINT columnCount = 0;
    for (;;) {
        Check(SQLNumResultCols(stmt.get(), &columnCount), stmt.get());
        if (columnCount > 0)
            break;
        rc = ServerWait(job, *this, stmt, [&] { return SQLMoreResults(stmt.get()); }, cancelled);
        if (cancelled || job.stopRequested())
            stopped(stmt, job);
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
    // A stop while the rows come is seen between two fetches.
    for (;;) {
        if (job.stopRequested())
            stopped(stmt, job);
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

} // namespace bkl::db::odbc
