#include "ShellTestSupport.h"

#include "platform/db/ConnectionString.h"
#include "shell/Globals.h"
#include "shell/Log.h"
#include "shell/ModelConnection.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace bkl;
using namespace bkl::shelltest;

namespace {

class ShellModelTest : public ShellTest {};
class ShellConnect : public ShellTest {};
class ShellRecordCount : public ShellTest {};

ConnectionSettings Demo() { return {test::DemoServerFolder(), QStringLiteral("demo"), QStringLiteral("demo"), false}; }

// The demo server's databases, read from its folder.
QStringList DemoDatabases()
{
    QStringList names;
    for (const QString& f : QDir(test::DemoServerFolder()).entryList({QStringLiteral("*.sqlite")}, QDir::Files))
        names << f.chopped(7);
    return names;
}

} // namespace

TEST(ShellConnectionString, BothFormsAndQuotedValues)
{
    EXPECT_EQ(BuildConnectionString({QStringLiteral("srv\\inst"), QStringLiteral("sa"), QStringLiteral("pw"), false},
                                    QStringLiteral("Model_A")),
              QStringLiteral("Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;password=pw;Initial "
                             "Catalog=Model_A;Data Source=srv\\inst"));
    EXPECT_EQ(BuildConnectionString({QStringLiteral("srv"), QStringLiteral("sa"), QStringLiteral("pw"), true},
                                    QStringLiteral("master")),
              QStringLiteral("Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial "
                             "Catalog=master;Data Source=srv"));

    // A password with ; and = travels as typed.
    const QString cs = BuildConnectionString(
        {QStringLiteral("srv"), QStringLiteral("sa"), QStringLiteral("p;Data Source=evil"), false}, QStringLiteral("M"));
    const QMap<QString, QString> keys = db::ParseConnectionString(cs);
    EXPECT_EQ(keys.value(QStringLiteral("PASSWORD")), QStringLiteral("p;Data Source=evil"));
    EXPECT_EQ(keys.value(QStringLiteral("DATA SOURCE")), QStringLiteral("srv"));
}

TEST_F(ShellModelTest, SqlTextAndTheDemoServerListing)
{
    EXPECT_EQ(ModelTestSql(QStringLiteral("O'BRIEN")),
              QStringLiteral("SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' AND "
                             "UPPER(TABLE_CATALOG) = 'O''BRIEN'  AND UPPER(TABLE_NAME) IN ('CALCULATION', "
                             "'CALCULATIONTREE', 'CONFIG','CURRENCY', 'SALUTATION', 'IMPORT', 'DOCUMENT', 'ADMIN', "
                             "'AUDIT')"));
    EnsureFolders();
    ResetLog();
    SeamGuard seams;
    seams.install();
    // System databases are refused without a connection (an unreachable host would log an error).
    const ConnectionSettings nowhere{QStringLiteral("/nonexistent-server"), {}, {}, false};
    for (const char* db : {"master", "Model", "MSDB", "tempdb"})
        EXPECT_EQ(CheckIfQuellmarModelAndReturn(QString::fromLatin1(db), nowhere), QString()) << db;

    ASSERT_TRUE(DemoDatabases().contains(QStringLiteral("SalesArchive2025"))) << "demo server missing";
    const DatabaseCatalog catalog = FillAllDatabaseCatalog(Demo());
    EXPECT_TRUE(catalog.listed);
    // SalesArchive2025 holds 8 of the 9 marker tables.
    EXPECT_EQ(catalog.names, (QStringList{QStringLiteral("EdgeCaseModel"), QStringLiteral("SalesModel2026"),
                                          QStringLiteral("SalesModel2026_Target")}));
    // A name in another letter case is tested upper-cased and returned as given.
    EXPECT_EQ(CheckIfQuellmarModelAndReturn(QStringLiteral("salesmodel2026"), Demo()), QStringLiteral("salesmodel2026"));
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_TRUE(LogLines().isEmpty());

    // An unreachable server is reported in a box and the list is not replaced; a server
    // written as a path is a folder, and a missing one is reported as such.
    EXPECT_FALSE(FillAllDatabaseCatalog(nowhere).listed);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    const ShownBox& box = seams.boxes.shown[0];
    EXPECT_EQ(box.title, QStringLiteral("Connection Failed !"));
    EXPECT_EQ(box.style, mb::Critical);
    EXPECT_EQ(box.prompt, QStringLiteral("Unable to retrieve model details ! Please verify the connection attributes !"
                                         "\r\n\r\nDetails:\r\nNumber: 17\r\nSource: Brisklane embedded engine\r\n"
                                         "Description: Folder not found: /nonexistent-server\r\n"));
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].endsWith(
        QStringLiteral("||ERROR|Function: FillAllDatabaseCatalog() --> Connection Failed ! Source: Brisklane embedded "
                       "engine Description: Folder not found: /nonexistent-server")));
}

TEST_F(ShellModelTest, UnreadableDatabaseIsLeftOutWithAnErrorLine)
{
    EXPECT_EQ(CheckIfQuellmarModelAndReturn(QStringLiteral("No'Such"), Demo()), QString());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains(
        QStringLiteral("||ERROR|Function: CheckIfQuellmarModelAndReturn() --> Connection Failed ! Source: ")));
    EXPECT_TRUE(LogLines()[0].contains(QStringLiteral(" Description: ")));

    // A server folder with one model and one damaged database file.
    QTemporaryDir server;
    ASSERT_TRUE(QFile::copy(test::DemoServerFolder() + QStringLiteral("/SalesModel2026.sqlite"),
                            server.filePath(QStringLiteral("SalesModel2026.sqlite"))));
    WriteFileBytes(server.filePath(QStringLiteral("Broken.sqlite")), QByteArray(4096, 'x'));
    ResetLog();
    const DatabaseCatalog catalog
        = FillAllDatabaseCatalog({server.path(), QStringLiteral("demo"), QStringLiteral("demo"), false});
    EXPECT_TRUE(catalog.listed);
    EXPECT_EQ(catalog.names, QStringList{QStringLiteral("SalesModel2026")});
    EXPECT_TRUE(seams.boxes.shown.empty());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains(QStringLiteral("Function: CheckIfQuellmarModelAndReturn() --> Connection Failed !")));
}

TEST_F(ShellConnect, SuccessAndFailure)
{
    const QString model = QStringLiteral("SalesModel2026");

    db::Connection cn;
    EXPECT_EQ(ConnectToDataStoreSQLSERVER(Demo(), model, cn), 1);
    EXPECT_TRUE(cn.isOpen());
    EXPECT_EQ(cn.commandTimeout(), 600);
    EXPECT_EQ(cn.loginTimeout(), 15);
    EXPECT_GT(GetRecordCount(QStringLiteral("SELECT COUNT(1) FROM Calculation"), cn), 0);
    cn.close();

    db::Connection failed;
    int boxesBefore = 0;
    seams.boxes.onShow = [&](const ShownBox&) { boxesBefore = static_cast<int>(LogLines().size()); };
    EXPECT_EQ(ConnectToDataStoreSQLSERVER(Demo(), QStringLiteral("NoSuchModel"), failed), -1);
    EXPECT_FALSE(failed.isOpen());
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    const ShownBox& box = seams.boxes.shown[0];
    EXPECT_EQ(box.title, QStringLiteral("Connection Failed !"));
    EXPECT_EQ(box.style, mb::Critical);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Unable to connect database !\r\n\r\nDetails:\r\nNumber: -?\\d+\r\n"
                                                  "Source: [^\r\n]+\r\nDescription: [^\r\n]+\r\n$"))
                    .match(box.prompt)
                    .hasMatch())
        << box.prompt.toStdString();
    // The ERROR line follows the box.
    EXPECT_EQ(boxesBefore, 0);
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains(
        QStringLiteral("||ERROR|Function: ConnectToDataStoreSQLSERVER() --> Connection Failed ! Source: ")));

    // A second attempt on the same closed connection sets the string again and connects;
    // a password with ; = " ' reaches the data layer whole (the embedded server ignores it).
    ConnectionSettings odd = Demo();
    odd.password = QStringLiteral("se;cret=\"x'");
    EXPECT_EQ(ConnectToDataStoreSQLSERVER(odd, model, failed), 1);
    EXPECT_EQ(db::ParseConnectionString(failed.connectionString()).value(QStringLiteral("PASSWORD")), odd.password);
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
    failed.close();
}

TEST_F(ShellRecordCount, RowsNullsAndFailures)
{
    ASSERT_EQ(ConnectToDataStoreSQLSERVER(Demo(), QStringLiteral("SalesModel2026"), g_cnModel), 1);
    EXPECT_EQ(GetRecordCount(QStringLiteral("SELECT COUNT(1) FROM Calculation WHERE 1 = 0")), 0);
    EXPECT_EQ(GetRecordCount(QStringLiteral("SELECT 7 UNION ALL SELECT 12")), 12);
    EXPECT_EQ(GetRecordCount(QStringLiteral("SELECT 12.5")), 12);
    EXPECT_EQ(GetRecordCount(QStringLiteral("SELECT Name FROM Calculation WHERE 1 = 0")), 0);
    EXPECT_TRUE(LogLines().isEmpty());
    EXPECT_EQ(GetRecordCount(QStringLiteral("SELECT NULL")), 0);
    EXPECT_EQ(GetRecordCount(QStringLiteral("SELECT COUNT(1) FROM NoSuchTable")), 0);
    ASSERT_EQ(LogLines().size(), 2);
    EXPECT_TRUE(LogLines()[0].contains(QStringLiteral("|ERROR|Function: GetRecordCount() --> Code: 94 --> Description: ")));
    EXPECT_TRUE(LogLines()[1].contains(QStringLiteral("|ERROR|Function: GetRecordCount() --> Code: ")));
}
