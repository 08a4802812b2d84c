// The FreeTDS driver against a closed loopback port: the connect fails at once
// with the driver's diagnostics instead of hanging.
#include "platform/db/Connection.h"
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/odbc/OdbcDriver.h"

#include <QFile>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace bkl::db;

namespace {

// A socket bound to a free loopback port; listening when asked (then the
// kernel completes connects that nobody ever answers).
class LoopbackSocket {
public:
    explicit LoopbackSocket(bool listening)
    {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        if (fd_ >= 0 && ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0
            && ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) == 0
            && (!listening || ::listen(fd_, 4) == 0))
            port_ = ntohs(a.sin_port);
    }
    ~LoopbackSocket() { close(); }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }
    int port() const { return port_; }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
    int port_ = 0;
};

// What a client's login packet carried, as a stand-in server on loopback saw it.
struct LoginPacket {
    QString user;
    QString password;
    QString database;
    bool readOnlyIntent = false;
};

// Serves one client on the listening socket just far enough to receive its
// login: answers the pre-login packet (no encryption), reads the login packet,
// then hangs up. Gives up after a few seconds without a client.
LoginPacket ReceiveLogin(int listeningFd)
{
    LoginPacket login;
    pollfd p{listeningFd, POLLIN, 0};
    if (::poll(&p, 1, 10000) != 1)
        return login;
    const int c = ::accept(listeningFd, nullptr, nullptr);
    timeval wait{10, 0};
    ::setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    const auto readExactly = [c](QByteArray& into, int n) {
        into.resize(n);
        for (int got = 0; got < n;) {
            const ssize_t r = ::recv(c, into.data() + got, static_cast<size_t>(n - got), 0);
            if (r <= 0)
                return false;
            got += static_cast<int>(r);
        }
        return true;
    };
    const auto readPacket = [&](QByteArray& body) {
        QByteArray header;
        if (!readExactly(header, 8))
            return false;
        const int length = (static_cast<uchar>(header[2]) << 8) | static_cast<uchar>(header[3]);
        return readExactly(body, length - 8);
    };
    QByteArray body;
    if (readPacket(body)) {
        // Pre-login answer: VERSION (6 bytes) and ENCRYPTION = not supported.
        const unsigned char answer[] = {0x04, 0x01, 0x00, 0x1a, 0x00, 0x00, 0x01, 0x00,
                                        0x00, 0x00, 0x0b, 0x00, 0x06, 0x01, 0x00, 0x11, 0x00, 0x01, 0xff,
                                        0x0f, 0x00, 0x07, 0xd0, 0x00, 0x00, 0x02};
        ::send(c, answer, sizeof answer, MSG_NOSIGNAL);
        if (readPacket(body) && body.size() > 72) {
            const auto field = [&body](int at, bool password) {
                const int offset = static_cast<uchar>(body[at]) | (static_cast<uchar>(body[at + 1]) << 8);
                const int chars = static_cast<uchar>(body[at + 2]) | (static_cast<uchar>(body[at + 3]) << 8);
                QByteArray raw = body.mid(offset, chars * 2);
                if (password) // the login packet scrambles the password: xor 0xA5, nibbles swapped
                    for (char& b : raw) {
                        const uchar x = static_cast<uchar>(b) ^ 0xA5;
                        b = static_cast<char>(((x << 4) & 0xF0) | (x >> 4));
                    }
                return QString::fromUtf16(reinterpret_cast<const char16_t*>(raw.constData()), chars);
            };
            login.user = field(40, false);
            login.password = field(44, true);
            login.database = field(68, false);
            login.readOnlyIntent = (static_cast<uchar>(body[26]) & 0x20) != 0;
        }
    }
    ::close(c);
    return login;
}

// Opens the program's connection string for 127.0.0.1,port; returns the error.
DbError FailedOpen(const QString& login, int port, int loginTimeout)
{
    Connection cn;
    cn.setConnectionString(QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;") + login
                           + QStringLiteral("Data Source=127.0.0.1,%1").arg(port));
    cn.setLoginTimeout(loginTimeout);
    try {
        cn.open();
    } catch (const DbError& e) {
        EXPECT_FALSE(cn.isOpen());
        return e;
    }
    ADD_FAILURE() << "connected to 127.0.0.1," << port;
    return DbError(0, QString(), QString());
}

class OdbcFreeTds : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(QString::fromLatin1(odbc::kFreeTdsLibrary)))
            GTEST_SKIP() << "FreeTDS ODBC driver not installed";
        saved_ = qgetenv(odbc::kDriverVariable);
        qunsetenv(odbc::kDriverVariable);
    }
    void TearDown() override
    {
        if (!saved_.isEmpty())
            qputenv(odbc::kDriverVariable, saved_);
    }
    QByteArray saved_;
};

} // namespace

TEST_F(OdbcFreeTds, ConnectToAClosedPortFailsWithTheDriversError)
{
    LoopbackSocket socket(false);
    ASSERT_GT(socket.port(), 0);
    socket.close();
    for (const QString& login : {QStringLiteral("User ID=sa;password=\"p;w=}\";Initial Catalog=Model1;"),
                                 QStringLiteral("Integrated Security=SSPI;Initial Catalog=Model1;")}) {
        const DbError e = FailedOpen(login, socket.port(), 3);
        EXPECT_EQ(e.number(), 20009) << e.description().toStdString();
        EXPECT_EQ(e.source(), QStringLiteral("[FreeTDS][SQL Server] SQLSTATE 08S01"));
        EXPECT_EQ(e.description(), QStringLiteral("Unable to connect: Adaptive Server is unavailable or does not "
                                                  "exist; Unable to connect to data source"));
    }
}

TEST_F(OdbcFreeTds, ASilentServerEndsAtTheLoginTimeout)
{
    LoopbackSocket silent(true);
    ASSERT_GT(silent.port(), 0);
    const DbError e = FailedOpen(QStringLiteral("User ID=sa;password=x;Initial Catalog=Model1;"), silent.port(), 1);
    EXPECT_EQ(e.source(), QStringLiteral("[FreeTDS][SQL Server] SQLSTATE HYT00"));
    EXPECT_TRUE(e.description().startsWith(QStringLiteral("Timeout expired"))) << e.description().toStdString();
}

TEST_F(OdbcFreeTds, TheServerReceivesCredentialsAsTyped)
{
    LoopbackSocket server(true);
    ASSERT_GT(server.port(), 0);
    LoginPacket login;
    std::thread serve([&] { login = ReceiveLogin(server.fd()); });
    const QString password = QStringLiteral(" p;w=}x}\"' ");
    FailedOpen(QStringLiteral("User ID=") + ConnectionStringValue(QStringLiteral("us;er=1")) + ";password="
                   + ConnectionStringValue(password)
                   + QStringLiteral(";Initial Catalog=") + ConnectionStringValue(QStringLiteral("Mod;el=1")) + ";",
               server.port(), 5);
    serve.join();
    EXPECT_EQ(login.user, QStringLiteral("us;er=1"));
    EXPECT_EQ(login.password, password);
    EXPECT_EQ(login.database, QStringLiteral("Mod;el=1"));
    EXPECT_TRUE(login.readOnlyIntent);
}
