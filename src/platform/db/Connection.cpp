#include "platform/db/Connection.h"

#include "platform/core/ActiveRun.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/EmbeddedServer.h"
#include "platform/db/odbc/OdbcBackend.h"
#include "platform/db/sqlite/EmbeddedEngine.h"


namespace bkl::db {

namespace {
StatementObserver& statementObserver()
{
    static StatementObserver observer;
    return observer;
}
} // namespace

void SetStatementObserver(StatementObserver observer) { statementObserver() = std::move(observer); }

struct Connection::Data {
    QString connectionString;
    int commandTimeout = 30;
    int loginTimeout = 15;
    std::shared_ptr<Backend> backend;
};

namespace {
// A whole result handed out row by row.
class ResultReader : public RowReader {
public:
    explicit ResultReader(ResultSet result) : result_(std::move(result)) {}
    const QStringList& columns() const override { return result_.columns; }
    bool next(std::vector<Value>& row) override
    {
        if (next_ >= result_.rows.size())
            return false;
        row = std::move(result_.rows[next_++]);
        return true;
    }

private:
    ResultSet result_;
    size_t next_ = 0;
};
} // namespace

std::unique_ptr<RowReader> Backend::executeForwardOnly(const QString& sql, int commandTimeoutSeconds)
{
    return std::make_unique<ResultReader>(execute(sql, commandTimeoutSeconds));
}

Connection::Connection() : d_(std::make_shared<Data>()) {}

void Connection::setConnectionString(const QString& cs) { d_->connectionString = cs; }
QString Connection::connectionString() const { return d_->connectionString; }
void Connection::setCommandTimeout(int seconds) { d_->commandTimeout = seconds; }
int Connection::commandTimeout() const { return d_->commandTimeout; }
void Connection::setLoginTimeout(int seconds) { d_->loginTimeout = seconds; }
int Connection::loginTimeout() const { return d_->loginTimeout; }

void Connection::open()
{
    if (d_->backend)
        throw DbError(err::ProviderError, kDataLayerSource, QStringLiteral("The connection is already open."));
    const QMap<QString, QString> keys = ParseConnectionString(d_->connectionString);
    const QString folder = EmbeddedServerFolder(keys.value(QStringLiteral("DATA SOURCE")));
    if (!folder.isEmpty())
        d_->backend = sqlite::OpenEmbedded(folder, keys.value(QStringLiteral("INITIAL CATALOG")));
    else
        d_->backend = odbc::OpenOdbc(keys, d_->loginTimeout);
}

void Connection::close() { d_->backend.reset(); }

bool Connection::isOpen() const { return d_->backend != nullptr; }

std::shared_ptr<Backend> Connection::backendFor(const QString& sql) const
{
    if (!d_->backend)
        throw DbError(err::ObjectClosed, kDataLayerSource,
                      QStringLiteral("Operation is not allowed when the connection is closed."));
    if (statementObserver())
        statementObserver()(sql);
    return d_->backend;
}

// Inside a run the event loop turns between statements when its slice is due, so a
// run of many statements over a slow server keeps its window alive; the backends
// turn it during a long statement too (the embedded engine as it steps, ODBC while
// a worker waits for the server). The backend is held for the statement: nothing a
// turn of the loop does can close it under the statement.
ResultSet Connection::execute(const QString& sql) const
{
    PumpWhenDueInRun();
    const std::shared_ptr<Backend> backend = backendFor(sql);
    ResultSet result = backend->execute(sql, d_->commandTimeout);
    PumpWhenDueInRun();
    return result;
}

std::unique_ptr<RowReader> Connection::executeForwardOnly(const QString& sql) const
{
    PumpWhenDueInRun();
    const std::shared_ptr<Backend> backend = backendFor(sql);
    return backend->executeForwardOnly(sql, d_->commandTimeout);
}

} // namespace bkl::db
