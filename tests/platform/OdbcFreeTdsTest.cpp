// The FreeTDS driver against a closed loopback port: the connect fails at once
// with the driver's diagnostics instead of hanging.
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/odbc/OdbcDriver.h"

#include <QFile>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace bkl::db;

namespace {

// A loopback port nobody listens on: bound, read, and released again.
int ClosedLoopbackPort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t length = sizeof a;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length) != 0) {
        if (fd >= 0)
            ::close(fd);
        return 0;
    }
    ::close(fd);
    return ntohs(a.sin_port);
}

} // namespace

TEST(OdbcFreeTds, ConnectToAClosedPortFailsWithTheDriversError)
{
    if (!QFile::exists(QString::fromLatin1(odbc::kFreeTdsLibrary)))
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    const QByteArray saved = qgetenv(odbc::kDriverVariable);
    qunsetenv(odbc::kDriverVariable);
    const int port = ClosedLoopbackPort();
    ASSERT_GT(port, 0);

    for (const QString& login : {QStringLiteral("User ID=sa;password=\"p;w=}\";"), QStringLiteral("Integrated Security=SSPI;")}) {
        Connection cn;
        cn.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;") + login
                               + QStringLiteral("Initial Catalog=Model1;Data Source=127.0.0.1,%1").arg(port));
        cn.setLoginTimeout(3);
        try {
            cn.open();
            ADD_FAILURE() << "connected to a closed port";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), 20009) << e.description().toStdString();
            EXPECT_EQ(e.source(), QStringLiteral("[FreeTDS][SQL Server] SQLSTATE 08S01"));
            EXPECT_TRUE(e.description().startsWith(
                QStringLiteral("Unable to connect: Adaptive Server is unavailable or does not exist")))
                << e.description().toStdString();
        }
        EXPECT_FALSE(cn.isOpen());
    }
    if (!saved.isEmpty())
        qputenv(odbc::kDriverVariable, saved);
}
