// Translation of the program's SQL Server connection strings into ODBC ones.
#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/odbc/OdbcConnectionString.h"
#include "platform/db/odbc/OdbcDriver.h"

#include <gtest/gtest.h>

using namespace bkl::db;

namespace {

const QString kTail = QStringLiteral("TDS_Version=7.4;ClientCharset=UTF-8;ApplicationIntent=ReadOnly;TextSize=2147483647");
const QString kFreeTds = QStringLiteral("FreeTDS");
const QString kOtherDriver = QStringLiteral("ODBC Driver 18 for SQL Server");

// The SQL-login form the login dialog builds, each value quoted as the data layer quotes it.
QString SqlLogin(const QString& host, const QString& user, const QString& password, const QString& catalog)
{
    return QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=") + ConnectionStringValue(user)
        + QStringLiteral(";password=") + ConnectionStringValue(password) + QStringLiteral(";Initial Catalog=")
        + ConnectionStringValue(catalog) + QStringLiteral(";Data Source=") + ConnectionStringValue(host);
}

QString Translate(const QString& oleDb, const QString& driver = QStringLiteral("FreeTDS"))
{
    return odbc::OdbcConnectionString(ParseConnectionString(oleDb), driver);
}

} // namespace

TEST(OdbcConnectionString, TranslatesBothLoginForms)
{
    EXPECT_EQ(Translate(QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;password=secret;"
                                       "Initial Catalog=Model1;Data Source=dbhost")),
              QStringLiteral("Driver={FreeTDS};Server={dbhost};Database={Model1};UID={sa};PWD={secret};") + kTail);
    EXPECT_EQ(Translate(QStringLiteral("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;"
                                       "Initial Catalog=Model1;Data Source=dbhost")),
              QStringLiteral("Driver={FreeTDS};Server={dbhost};Database={Model1};Trusted_Connection=Yes;") + kTail);
    // The database list connects to master; no catalog leaves Database out.
    EXPECT_EQ(Translate(QStringLiteral("Integrated Security=SSPI;Data Source=dbhost")),
              QStringLiteral("Driver={FreeTDS};Server={dbhost};Trusted_Connection=Yes;") + kTail);
}

TEST(OdbcConnectionString, HostPortAndInstanceForms)
{
    const auto server = [](const QString& host, const QString& driver) {
        const QString cs = Translate(SqlLogin(host, "u", "p", "M"), driver);
        return cs.mid(cs.indexOf(QLatin1Char(';')) + 1).section(QStringLiteral(";Database="), 0, 0);
    };
    EXPECT_EQ(server("dbhost", kFreeTds), QStringLiteral("Server={dbhost}"));
    EXPECT_EQ(server("dbhost,1433", kFreeTds), QStringLiteral("Server={dbhost};Port=1433"));
    EXPECT_EQ(server("10.1.2.3 , 50100", kFreeTds), QStringLiteral("Server={10.1.2.3};Port=50100"));
    EXPECT_EQ(server("dbhost\\SQLEXPRESS", kFreeTds), QStringLiteral("Server={dbhost\\SQLEXPRESS}"));
    EXPECT_EQ(server("dbhost\\SQLEXPRESS,50100", kFreeTds), QStringLiteral("Server={dbhost\\SQLEXPRESS};Port=50100"));
    // Other SQL Server drivers take the port in the server name.
    EXPECT_EQ(server("dbhost,1433", kOtherDriver), QStringLiteral("Server={dbhost,1433}"));
    EXPECT_EQ(server("dbhost\\SQLEXPRESS", kOtherDriver), QStringLiteral("Server={dbhost\\SQLEXPRESS}"));

    for (const char* bad : {"dbhost,", "dbhost,abc", "dbhost,0", "dbhost,70000", "dbhost,+5"}) {
        try {
            Translate(SqlLogin(QString::fromLatin1(bad), "u", "p", "M"));
            ADD_FAILURE() << "accepted " << bad;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.description().startsWith(QStringLiteral("Invalid port"))) << bad;
        }
    }
}

TEST(OdbcConnectionString, PasswordsArriveAsTyped)
{
    const auto pwd = [](const QString& password, const QString& driver) {
        const QString cs = Translate(SqlLogin("dbhost", "u", password, "M"), driver);
        const qsizetype from = cs.indexOf(QStringLiteral(";PWD=")) + 5;
        return cs.mid(from, cs.indexOf(QStringLiteral(";TDS_Version=")) - from);
    };
    // FreeTDS as Debian ships it reads a braced value up to the first "};", as it stands.
    EXPECT_EQ(pwd("a;b=c", kFreeTds), QStringLiteral("{a;b=c}"));
    EXPECT_EQ(pwd("p}w", kFreeTds), QStringLiteral("{p}w}"));
    EXPECT_EQ(pwd("end}", kFreeTds), QStringLiteral("{end}}"));
    EXPECT_EQ(pwd("  blanks  ", kFreeTds), QStringLiteral("{  blanks  }"));
    EXPECT_EQ(pwd("\"q'uo\"te'", kFreeTds), QStringLiteral("{\"q'uo\"te'}"));
    EXPECT_EQ(pwd("", kFreeTds), QStringLiteral("{}"));
    // The ODBC rule doubles "}".
    EXPECT_EQ(pwd("a;b=c", kOtherDriver), QStringLiteral("{a;b=c}"));
    EXPECT_EQ(pwd("p}w};x", kOtherDriver), QStringLiteral("{p}}w}};x}"));
    EXPECT_EQ(pwd(" b ", kOtherDriver), QStringLiteral("{ b }"));

    // FreeTDS cannot carry "};": it would end the value and read the rest as keywords.
    try {
        Translate(SqlLogin("dbhost", "u", "x};Database=other", "M"));
        FAIL() << "accepted";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("The password contains \"};\", which the FreeTDS driver cannot take "
                                                  "in a connection string."));
    }
    // User and catalog are braced the same way.
    EXPECT_TRUE(Translate(SqlLogin("dbhost", "dom\\us;er", "p", "Mod;el=1")).contains(
        QStringLiteral("Database={Mod;el=1};UID={dom\\us;er};")));
}

TEST(OdbcConnectionString, DriverChoice)
{
    // A driver given by its library path follows the FreeTDS rule.
    EXPECT_TRUE(Translate(SqlLogin("h", "u", "p}w", "M"), QString::fromLatin1(odbc::kFreeTdsLibrary))
                    .contains(QStringLiteral("PWD={p}w};")));
    const QByteArray saved = qgetenv(odbc::kDriverVariable);
    qputenv(odbc::kDriverVariable, " ODBC Driver 18 for SQL Server ");
    EXPECT_EQ(odbc::SqlServerDriver(), kOtherDriver);
    qunsetenv(odbc::kDriverVariable);
    // Debian's tdsodbc registers FreeTDS with unixODBC.
    EXPECT_EQ(odbc::SqlServerDriver(), kFreeTds);
    if (!saved.isEmpty())
        qputenv(odbc::kDriverVariable, saved);
}
