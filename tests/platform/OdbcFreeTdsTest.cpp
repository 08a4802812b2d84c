// The SQL Server backend through the FreeTDS driver: against the tds-standin tool
// (values of every column type, errors, logins), a closed loopback port and a
// silent server.
#include "StatementCatalog.h"

#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/odbc/OdbcBackend.h"
#include "platform/db/odbc/OdbcConnectionString.h"
#include "platform/db/odbc/OdbcDriver.h"
#include "platform/db/sqlite/EngineFunctions.h"
#include "support/TdsStandIn.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sqlite3.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace bkl::db;
using namespace Qt::StringLiterals;

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

private:
    int fd_ = -1;
    int port_ = 0;
};

// Opens a connection string; returns the error.
DbError FailedOpen(const QString& connectionString, int loginTimeout = 5)
{
    Connection cn;
    cn.setConnectionString(connectionString);
    cn.setLoginTimeout(loginTimeout);
    try {
        cn.open();
    } catch (const DbError& e) {
        EXPECT_FALSE(cn.isOpen());
        return e;
    }
    ADD_FAILURE() << "connected: " << connectionString.toStdString();
    return DbError(0, QString(), QString());
}

ResultSet Query(const QString& connectionString, const QString& sql)
{
    Connection cn;
    cn.setConnectionString(connectionString);
    cn.open();
    return cn.execute(sql);
}

class OdbcFreeTds : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!bkl::test::FreeTdsInstalled())
            GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    }
    static QString Login(int port, const QString& user = QStringLiteral("sa"))
    {
        return QStringLiteral("Provider=SQLOLEDB.1;User ID=%1;password=x;Initial Catalog=Model1;Data Source=127.0.0.1,%2")
            .arg(user)
            .arg(port);
    }
};

} // namespace

TEST_F(OdbcFreeTds, ValuesOfEveryColumnTypeArriveAsTheEngineReadsThem)
{
    QTemporaryDir server;
    const QString longNote = QString(5000, QLatin1Char('x')) + QStringLiteral("ä") + QString(5000, QLatin1Char('y'));
    const QString script = QStringLiteral(
        "CREATE TABLE Item (Id int, Name nvarchar(100), Amount decimal(19,2), Rate decimal(9,4), Ratio float, "
        "Created datetime, Flag bit, Big bigint, Note ntext);"
        "INSERT INTO Item VALUES (1, 'Ünïcode ✓ 名前 😀', '1234567890123.45', '-0.0500', 0.25, "
        "'2024-03-05 13:45:07.250', 1, 1099511627776, '%1');"
        "INSERT INTO Item (Id) VALUES (2);"
        "INSERT INTO Item VALUES (3, 'it''s', '-12.5', 0.0001, -1e-300, '1900-01-01 00:00:00', 0, -1, '');")
                               .arg(longNote);
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(server.filePath(QStringLiteral("Typed.sqlite"))).constData(), &db);
    ASSERT_EQ(sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    bkl::test::TdsStandIn standIn(server.path());
    ASSERT_TRUE(standIn.running());

    for (const char* sql : {"SELECT * FROM Item ORDER BY Id",
                            "SELECT Id * 2 AS Twice, Name + N'!' AS Shout, NULL AS Nothing, COUNT(1) AS N "
                            "FROM Item GROUP BY Id, Name ORDER BY 1"}) {
        SCOPED_TRACE(sql);
        const ResultSet embedded = Query(QStringLiteral("Initial Catalog=Typed;Data Source=") + server.path(),
                                       QString::fromUtf8(sql));
        const ResultSet tds = Query(standIn.connectionString(QStringLiteral("Typed")), QString::fromUtf8(sql));
        bkl::test::ExpectSameResult(tds, embedded);
        if (tds.rows.size() != 3 || tds.columns.size() != 9)
            continue;
        const auto& full = tds.rows[0];
        EXPECT_EQ(full[1].toText(), QStringLiteral("Ünïcode ✓ 名前 😀"));
        EXPECT_EQ(full[2].type(), Value::Type::Decimal);
        EXPECT_EQ(full[2].toText(), QStringLiteral("1234567890123.45"));
        EXPECT_EQ(full[3].toText(), QStringLiteral("-0.05"));
        EXPECT_EQ(full[5].toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(13, 45, 7, 250)));
        EXPECT_EQ(full[6], Value::integer(1));
        EXPECT_EQ(full[7], Value::integer(1099511627776));
        EXPECT_EQ(full[8].toText(), longNote); // longer than one read: fetched in pieces
        for (size_t c = 1; c < tds.rows[1].size(); ++c)
            EXPECT_TRUE(tds.rows[1][c].isNull()) << c;
        EXPECT_EQ(tds.rows[2][1].toText(), QStringLiteral("it's"));
        EXPECT_EQ(tds.rows[2][8], Value::text(QString())); // empty text is not NULL
    }
}

TEST_F(OdbcFreeTds, ErrorsCarryTheServersNumberAndMessage)
{
    bkl::test::TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    const QString model = QStringLiteral("SalesModel2026");
    const QString failing = QStringLiteral("SELECT Nope FROM Calculation");
    DbError embedded(0, QString(), QString());
    try {
        Query(bkl::test::DemoConnectionString(model), failing);
    } catch (const DbError& e) {
        embedded = e;
    }
    try {
        Query(standIn.connectionString(model), failing);
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), embedded.number());
        EXPECT_EQ(e.source(), QStringLiteral("[FreeTDS][SQL Server] SQLSTATE 42000"));
        EXPECT_EQ(e.description(), embedded.description());
    }

    // An unknown model fails the login with the reason first.
    DbError e = FailedOpen(standIn.connectionString(QStringLiteral("NoSuchModel")));
    EXPECT_EQ(e.number(), 4060);
    EXPECT_EQ(e.description(), QStringLiteral("Cannot open database \"NoSuchModel\" requested by the login. The login "
                                              "failed.; Login failed for user 'demo'.; Unable to connect to data source"));

    // A model is served to read-only connections only, which the program's always are.
    QMap<QString, QString> keys = ParseConnectionString(standIn.connectionString(model));
    QString readWrite = odbc::OdbcConnectionString(keys, odbc::SqlServerDriver());
    readWrite.remove(QStringLiteral(";ApplicationIntent=ReadOnly"));
    try {
        odbc::OpenOdbcConnectionString(readWrite, 5);
        ADD_FAILURE() << "connected without read-only intent";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), 978);
    }
    try {
        odbc::OpenOdbcConnectionString(QStringLiteral("Driver={No Such Driver 0815};Server=x"), 5);
        ADD_FAILURE() << "connected without a driver";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.source().startsWith(QStringLiteral("[unixODBC]"))) << e.source().toStdString();
        EXPECT_TRUE(e.description().contains(QStringLiteral("No Such Driver 0815"))) << e.description().toStdString();
    }
}

TEST_F(OdbcFreeTds, CredentialsAndDatabaseNameArriveAsTyped)
{
    QTemporaryDir server;
    const QString model = QStringLiteral("Mod;el=1");
    ASSERT_TRUE(QFile::link(bkl::test::DemoServerFolder() + QStringLiteral("/SalesModel2026.sqlite"),
                            server.filePath(model + QStringLiteral(".sqlite"))));
    const QString user = QStringLiteral("us;er=1");
    const QString password = QStringLiteral(" p;w=}x}\"' ");
    bkl::test::TdsStandIn standIn(server.path(), {QStringLiteral("--user"), user, QStringLiteral("--password"), password});
    ASSERT_TRUE(standIn.running());
    const auto login = [&](const QString& pw) {
        return QStringLiteral("Provider=SQLOLEDB.1;User ID=") + ConnectionStringValue(user) + QStringLiteral(";password=")
            + ConnectionStringValue(pw) + QStringLiteral(";Initial Catalog=") + ConnectionStringValue(model)
            + QStringLiteral(";Data Source=") + standIn.server();
    };
    EXPECT_EQ(Query(login(password), QStringLiteral("SELECT COUNT(1) FROM Calculation")).rows.at(0).at(0).toInt64(), 41);
    const DbError e = FailedOpen(login(QStringLiteral("wrong")));
    EXPECT_EQ(e.number(), 18456);
    EXPECT_TRUE(e.description().startsWith(QStringLiteral("Login failed for user 'us;er=1'."))) << e.description().toStdString();
}

TEST_F(OdbcFreeTds, ConnectToAClosedPortFailsWithTheDriversError)
{
    LoopbackSocket socket(false);
    ASSERT_GT(socket.port(), 0);
    socket.close();
    for (const QString& login : {QStringLiteral("User ID=sa;password=\"p;w=}\";Initial Catalog=Model1;"),
                                 QStringLiteral("Integrated Security=SSPI;Initial Catalog=Model1;")}) {
        const DbError e = FailedOpen(QStringLiteral("Provider=SQLOLEDB.1;") + login
                                         + QStringLiteral("Data Source=127.0.0.1,%1").arg(socket.port()),
                                     3);
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
    const DbError e = FailedOpen(Login(silent.port()), 1);
    EXPECT_EQ(e.source(), QStringLiteral("[FreeTDS][SQL Server] SQLSTATE HYT00"));
    EXPECT_TRUE(e.description().startsWith(QStringLiteral("Timeout expired"))) << e.description().toStdString();
}

TEST_F(OdbcFreeTds, ANulInsideATextLiteralGivesTheRowsOfTheEmbeddedEngine)
{
    // A model whose calculation name holds a NUL: its page, export and comparison select it by name.
    QTemporaryDir server;
    const QString nulName = QStringLiteral("Bonus") + QChar(0) + QStringLiteral("Q1");
    ASSERT_TRUE(QFile::copy(bkl::test::DemoServerFolder() + QStringLiteral("/SalesModel2026.sqlite"),
                            server.filePath(QStringLiteral("NulModel.sqlite"))));
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(server.filePath(QStringLiteral("NulModel.sqlite"))).constData(), &db);
    sqlite::RegisterCaseInsensitiveCollation(db);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db, "UPDATE Calculation SET Name = ?1 WHERE CalculationID = (SELECT MIN(CalculationID) FROM Calculation)",
                       -1, &update, nullptr);
    const QByteArray name = nulName.toUtf8();
    sqlite3_bind_text(update, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
    ASSERT_EQ(sqlite3_step(update), SQLITE_DONE);
    sqlite3_finalize(update);
    sqlite3_close(db);
    bkl::test::TdsStandIn standIn(server.path());
    ASSERT_TRUE(standIn.running());

    const QChar nul(0);
    const auto text = [nul](const char* s) { return QString::fromUtf8(s).replace(QLatin1Char('~'), nul); };
    const QString longText = QString(5000, QLatin1Char('x')) + nul + QString(5000, QLatin1Char('y'));
    const std::pair<QString, QStringList> cases[] = {
        {text("SELECT 'a~b' AS x"), {text("a~b")}},
        {text("SELECT N'~ä~~b' AS x, 'c' + '~' AS y"), {text("~ä~~b"), text("c~")}},
        {text("SELECT Name FROM Calculation WHERE Name = 'Bonus~Q1'"), {nulName}},
        {text("SELECT Name FROM Calculation WHERE Name LIKE N'bonus~%' ORDER BY Name"), {nulName}},
        {QStringLiteral("SELECT '%1' AS x").arg(longText), {longText}},
        // Selected by name in a subquery, a derived table and a join condition.
        {text("SELECT Name FROM Calculation WHERE CalculationID IN (SELECT CalculationID FROM Calculation "
              "WHERE Name = 'Bonus~Q1')"),
         {nulName}},
        {text("SELECT d.Name FROM (SELECT Name FROM Calculation WHERE Name = N'Bonus~Q1') d"), {nulName}},
        {text("SELECT c.Name FROM Calculation c JOIN Calculation d ON d.CalculationID = c.CalculationID "
              "AND d.Name = 'Bonus~Q1'"),
         {nulName}},
    };
    for (const auto& [sql, values] : cases) {
        SCOPED_TRACE(sql.left(80).toStdString());
        const ResultSet embedded = Query(QStringLiteral("Initial Catalog=NulModel;Data Source=") + server.path(), sql);
        const ResultSet tds = Query(standIn.connectionString(QStringLiteral("NulModel")), sql);
        bkl::test::ExpectSameResult(tds, embedded);
        ASSERT_EQ(tds.rows.size(), 1u);
        QStringList got;
        for (const Value& v : tds.rows[0])
            got << v.toText();
        EXPECT_EQ(got, values);
    }

    // A statement with a comment, or with a NUL outside a value, never leaves the program.
    const std::pair<QString, QString> refused[] = {
        {u"SELECT 1 -- /*\n AS [x */ ; DELETE FROM Calculation --]"_s, u"a comment could hide another statement: "_s},
        {text("SELECT Name AS [Bonus~Q1] FROM Calculation WHERE Name = 'Bonus~Q1'"),
         u"a NUL character outside a text value would cut the statement short: "_s},
    };
    for (const auto& [sql, reason] : refused) {
        try {
            Query(standIn.connectionString(QStringLiteral("NulModel")), sql);
            ADD_FAILURE() << "sent";
        } catch (const DbError& e) {
            EXPECT_EQ(e.source(), QLatin1String(kDataLayerSource));
            EXPECT_TRUE(e.description().startsWith(u"Only single SELECT statements are sent to the server; "_s + reason))
                << e.description().toStdString();
        }
    }
}
