#include "platform/db/odbc/OdbcBackend.h"

#include "platform/core/ActiveRun.h"
#include "platform/db/ConnectionNotice.h"
#include "platform/db/odbc/OdbcConnectionString.h"
#include "platform/db/odbc/OdbcDriver.h"
#include "platform/db/odbc/OdbcSession.h"
#include "platform/db/odbc/SelectOnly.h"
#include "platform/db/odbc/StatementWait.h"
#include "platform/db/odbc/StatementWorker.h"

#include <QScopeGuard>

namespace bkl::db::odbc {

namespace {

// Every ODBC call of the connection is made by its worker (StatementWorker.h); this
// thread hands each statement over and waits for it, turning the event loop (see
// StatementWait.h), one statement at a time on the connection. A stop ends the
// statement as the embedded engine ends a stopped one. A statement that has not
// ended kStopBound after the Stop has its connection given up: closed at its
// sockets, its worker left to end on its own, and the connection opened again with
// the same settings by a new worker before the next statement.
class OdbcBackend : public Backend {
public:
    OdbcBackend(QString connectionString, int loginTimeoutSeconds, QString name)
        : connectionString_(std::move(connectionString)), loginTimeoutSeconds_(loginTimeoutSeconds),
          name_(std::move(name))
    {
        startWorker();
        const auto connect = std::make_shared<WorkerJob>([](OdbcSession& s, WorkerJob&) { s.connect(); });
        worker_->post(connect);
        // A connect cannot be cancelled at the server: Stop gives it up at the bound,
        // its worker left to end on its own (the login timeout ends it).
        const WaitEnd end = WaitForJob(*connect, worker_->threadId(), true, name_);
        if (end == WaitEnd::GivenUp) {
            worker_->abandon();
            throw StatementStopped();
        }
        if (connect->error())
            std::rethrow_exception(connect->error());
        if (end == WaitEnd::Stopped)
            throw StatementStopped();
    }

    ResultSet execute(const QString& sql, int commandTimeoutSeconds) override
    {
        const QString text = StatementForServer(sql);
        if (waiting_)
            throw DbError(err::ProviderError, kDataLayerSource,
                          QStringLiteral("The connection is busy with another statement: %1").arg(sql));
        // A statement asked for once its run, its wait or the program has been stopped
        // is never sent: it ends as a stopped one.
        if (RunStopRequested())
            throw StatementStopped();
        waiting_ = true;
        const auto idle = qScopeGuard([this] { waiting_ = false; });

        // The job owns what it fills: a job left behind with its worker still writes there.
        const auto result = std::make_shared<ResultSet>();
        const auto job = std::make_shared<WorkerJob>([text, commandTimeoutSeconds, result](OdbcSession& s, WorkerJob& j) {
            *result = s.run(text, commandTimeoutSeconds, j);
        });
        worker_->post(job);
        switch (WaitForJob(*job, worker_->threadId(), true, name_)) {
        case WaitEnd::Done:
            if (job->error())
                std::rethrow_exception(job->error());
            return std::move(*result);
        case WaitEnd::Stopped:
            if (job->connectionLost())
                reopen(QStringLiteral("The connection to %1 was lost when a statement was stopped; it was opened again.")
                           .arg(name_));
            throw StatementStopped();
        case WaitEnd::GivenUp:
            worker_->abandon();
            startWorker();
            reopen(QStringLiteral("A stopped statement on %1 did not end within %2 seconds; the connection was "
                                  "closed and opened again.")
                       .arg(name_, QString::number(kStopBound.count() / 1000.0)));
            throw StatementStopped();
        }
        throw StatementStopped();
    }

private:
    void startWorker()
    {
        worker_.reset();
        worker_ = std::make_unique<StatementWorker>(std::make_unique<OdbcSession>(connectionString_, loginTimeoutSeconds_));
    }

    // The worker connects now, ahead of the next statement (which connects itself
    // when this fails, and then fails with the reason); the user is told.
    void reopen(const QString& notice)
    {
        worker_->post(std::make_shared<WorkerJob>([](OdbcSession& s, WorkerJob&) { s.connect(); }));
        NotifyConnection(notice);
    }

    QString connectionString_;
    int loginTimeoutSeconds_;
    QString name_;
    std::unique_ptr<StatementWorker> worker_;
    bool waiting_ = false; // a statement's job is under way while the event loop turns
};

} // namespace

std::unique_ptr<Backend> OpenOdbcConnectionString(const QString& odbcConnectionString, int loginTimeoutSeconds,
                                                  const QString& name)
{
    return std::make_unique<OdbcBackend>(odbcConnectionString, loginTimeoutSeconds,
                                         name.isEmpty() ? QStringLiteral("the server") : name);
}

std::unique_ptr<Backend> OpenOdbc(const QMap<QString, QString>& keys, int loginTimeoutSeconds)
{
    const QString name = QStringLiteral("%1 (%2)").arg(keys.value(QStringLiteral("DATA SOURCE")),
                                                       keys.value(QStringLiteral("INITIAL CATALOG")));
    return OpenOdbcConnectionString(OdbcConnectionString(keys, SqlServerDriver()), loginTimeoutSeconds, name);
}

} // namespace bkl::db::odbc
