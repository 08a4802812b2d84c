#pragma once
// The tds-standin tool serving a demo server on a free loopback port for the
// lifetime of the object, reached through FreeTDS as a SQL Server is.
#include "platform/db/Connection.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace bkl::test {

// False when the FreeTDS ODBC driver is not installed (tests then skip).
bool FreeTdsInstalled();

class TdsStandIn {
public:
    // Starts the tool on `folder` (the demo server by default) with any further arguments.
    explicit TdsStandIn(const QString& folder = QString(), const QStringList& arguments = {});
    ~TdsStandIn();
    TdsStandIn(const TdsStandIn&) = delete;
    TdsStandIn& operator=(const TdsStandIn&) = delete;

    bool running() const { return port_ > 0; }
    int port() const { return port_; }
    // "127.0.0.1,<port>": the server name as a user types it.
    QString server() const;
    // The program's connection string (SQL Server login demo/demo) for a catalog.
    QString connectionString(const QString& catalog) const;
    // A connection to the catalog, open.
    db::Connection open(const QString& catalog) const;
    // Stops the server process where it is (SIGSTOP), or lets it go on (SIGCONT):
    // meanwhile nothing it holds is answered.
    void pause(bool paused);

private:
    QProcess process_;
    int port_ = 0;
    QByteArray savedDriver_;
};

} // namespace bkl::test
