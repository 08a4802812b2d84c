#pragma once
// One SQL Server connection's ODBC handles and the statements run on them. Every
// call but shutDownSockets() and sending() is made on the connection's worker thread
// (StatementWorker.h).
#include "platform/db/Connection.h"
#include "platform/db/odbc/DriverSockets.h"
#include "platform/db/odbc/OdbcHandle.h"

#include <QString>
#include <memory>
#include <mutex>

namespace bkl::db::odbc {

class WorkerJob;

class OdbcSession {
public:
    OdbcSession(QString connectionString, int loginTimeoutSeconds);
    ~OdbcSession(); // disconnects

    // Connects unless connected. Throws DbError.
    void connect();

    // Runs the statement (connecting first when the connection was dropped) and reads
    // its whole result. A stop (the job's flag, or a cancel of the wait for the
    // server) closes the statement here; a connection that died with it is dropped
    // and noted in the job. Throws DbError, or StatementStopped.
    ResultSet run(const QString& sql, int commandTimeoutSeconds, WorkerJob& job);

    // Shuts the sockets the driver opened for the connection down (any thread): a
    // driver call blocked on the server returns.
    void shutDownSockets() const;
    // True while what the driver wrote has not all reached the server (any thread).
    bool sending() const;

private:
    ResultSet read(const QString& sql, int commandTimeoutSeconds, WorkerJob& job);
    void disconnect();
    // The connection died under the driver: the sockets it held are let go of.
    void dropSocketsWhenDead();
    [[noreturn]] void stopped(Handle& stmt, WorkerJob& job);

    QString connectionString_;
    int loginTimeoutSeconds_;
    std::unique_ptr<Handle> env_;
    std::unique_ptr<Handle> dbc_; // connected while set
    mutable std::mutex socketsMutex_; // released here only under it: a shutdown meanwhile waits
    DriverSockets sockets_;
};

} // namespace bkl::db::odbc
