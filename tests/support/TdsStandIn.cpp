#include "support/TdsStandIn.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/odbc/OdbcDriver.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QRegularExpression>
#include <csignal>

namespace bkl::test {

bool FreeTdsInstalled() { return QFile::exists(QString::fromLatin1(db::odbc::kFreeTdsLibrary)); }

TdsStandIn::TdsStandIn(const QString& folder, const QStringList& arguments)
{
    // The tests reach the stand-in through the FreeTDS driver the program finds itself.
    savedDriver_ = qgetenv(db::odbc::kDriverVariable);
    qunsetenv(db::odbc::kDriverVariable);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(BKL_TDS_STANDIN_EXE),
                   QStringList{QStringLiteral("--server"), folder.isEmpty() ? DemoServerFolder() : folder,
                               QStringLiteral("--port"), QStringLiteral("0")} + arguments);
    static const QRegularExpression listening(QStringLiteral("listening on 127\\.0\\.0\\.1:(\\d+)"));
    QByteArray out;
    while (port_ == 0 && process_.waitForReadyRead(10000)) {
        out += process_.readAllStandardOutput();
        const QRegularExpressionMatch m = listening.match(QString::fromUtf8(out));
        if (m.hasMatch())
            port_ = m.captured(1).toInt();
    }
}

TdsStandIn::~TdsStandIn()
{
    pause(false);
    process_.terminate();
    if (!process_.waitForFinished(5000))
        process_.kill();
    process_.waitForFinished(5000);
    if (!savedDriver_.isEmpty())
        qputenv(db::odbc::kDriverVariable, savedDriver_);
}

void TdsStandIn::pause(bool paused)
{
    if (process_.processId() > 0)
        ::kill(static_cast<pid_t>(process_.processId()), paused ? SIGSTOP : SIGCONT);
}

QString TdsStandIn::server() const { return QStringLiteral("127.0.0.1,%1").arg(port_); }

QString TdsStandIn::connectionString(const QString& catalog) const
{
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=demo;password=demo;Initial Catalog=")
        + db::ConnectionStringValue(catalog) + QStringLiteral(";Data Source=") + server();
}

db::Connection TdsStandIn::open(const QString& catalog) const
{
    db::Connection cn;
    cn.setConnectionString(connectionString(catalog));
    cn.open();
    return cn;
}

} // namespace bkl::test
