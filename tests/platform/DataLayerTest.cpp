#include "platform/db/ConnectionString.h"
#include "platform/db/DbError.h"
#include "platform/db/EmbeddedServer.h"
#include "platform/db/Recordset.h"
#include "platform/db/Value.h"

#include <gtest/gtest.h>

using namespace bkl::db;

TEST(ConnectionString, ParsesTheClassicFormsAndQuotedValues)
{
    auto k = ParseConnectionString(QStringLiteral(
        "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;password=secret;Initial Catalog=Model1;Data Source=host,1433"));
    EXPECT_EQ(k.value("USER ID"), "sa");
    EXPECT_EQ(k.value("PASSWORD"), "secret");
    EXPECT_EQ(k.value("INITIAL CATALOG"), "Model1");
    EXPECT_EQ(k.value("DATA SOURCE"), "host,1433");

    const QString pw = QStringLiteral("a;b=c\"d' ");
    auto q = ParseConnectionString(QStringLiteral("User ID=u;password=") + ConnectionStringValue(pw)
                                   + QStringLiteral(";Initial Catalog=M"));
    EXPECT_EQ(q.value("PASSWORD"), pw);
    EXPECT_EQ(q.value("INITIAL CATALOG"), "M");
    EXPECT_EQ(ConnectionStringValue(QStringLiteral("plain")), QStringLiteral("plain"));
    EXPECT_THROW(ParseConnectionString(QStringLiteral("password=\"abc")), DbError);
}

TEST(ConnectionString, DataSourceWrittenAsAPathIsAFolderAndAMissingOneIsNamed)
{
    // Host names and the server's own instance notations go to SQL Server.
    for (const char* host : {"dbserver", "dbserver,1533", "dbserver\\INST", ".\\SQLEXPRESS"})
        EXPECT_EQ(EmbeddedServerFolder(QString::fromLatin1(host)), QString()) << host;
    try {
        EmbeddedServerFolder(QStringLiteral("./no-such-server"));
        ADD_FAILURE() << "a missing folder written as a path must fail";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().startsWith(QStringLiteral("Folder not found: /"))) << e.description().toStdString();
    }
}

TEST(Value, ReadsLikeTheClassicDataLayer)
{
    EXPECT_EQ(Value::null().toText(), QString());
    EXPECT_THROW(Value::null().toDouble(), DbError);
    EXPECT_EQ(Value::integer(42).toText(), QStringLiteral("42"));
    EXPECT_EQ(Value::real(12.5).toText(), QStringLiteral("12.5"));
    EXPECT_EQ(Value::decimal(QStringLiteral("1234.5000")).toText(), QStringLiteral("1234.5"));
    EXPECT_EQ(Value::decimal(QStringLiteral("99999999999999999.99")).toText(), QStringLiteral("99999999999999999.99"));
    EXPECT_EQ(Value::text(QStringLiteral(" 7 ")).toInt64(), 7);
    EXPECT_THROW(Value::text(QStringLiteral("x")).toDouble(), DbError);
    EXPECT_EQ(Value::real(2.5).toInt64(), 2);
}

TEST(Recordset, ClosedConnectionAndClosedRecordsetAreErrors)
{
    Connection cn;
    Recordset rs;
    EXPECT_FALSE(rs.isOpen());
    EXPECT_THROW(rs.eof(), DbError);
    try {
        rs.open(QStringLiteral("SELECT 1"), cn);
        FAIL();
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), err::ObjectClosed);
    }
}
