#include "ShellTestSupport.h"

#include "platform/db/ConnectionString.h"
#include "shell/Globals.h"
#include "shell/ModelConnection.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
class ShellModel : public ShellTest {};
ConnectionSettings Demo() { return {DemoServerFolder(), u"demo"_s, u"demo"_s, false}; }
} // namespace

TEST(ShellConnectionString, BothFormsAndQuotedValues)
{
    EXPECT_EQ(BuildConnectionString({u"srv\\inst"_s, u"sa"_s, u"pw"_s, false}, u"Model_A"_s),
              "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa;password=pw;Initial Catalog=Model_A;"
              "Data Source=srv\\inst");
    EXPECT_EQ(BuildConnectionString({u"srv"_s, u"sa"_s, u"pw"_s, true}, u"master"_s),
              "Provider=SQLOLEDB.1;Integrated Security=SSPI;Persist Security Info=False;Initial Catalog=master;Data Source=srv");
    // A password with ; and = travels as typed.
    const QMap<QString, QString> keys = db::ParseConnectionString(
        BuildConnectionString({u"srv"_s, u"sa"_s, u"p;Data Source=evil"_s, false}, u"M"_s));
    EXPECT_EQ(keys.value(u"PASSWORD"_s), "p;Data Source=evil");
    EXPECT_EQ(keys.value(u"DATA SOURCE"_s), "srv");
}

TEST_F(ShellModel, SqlTextAndTheDemoServerListing)
{
    EXPECT_EQ(ModelTestSql(u"O'BRIEN"_s),
              "SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' AND UPPER(TABLE_CATALOG) = "
              "'O''BRIEN'  AND UPPER(TABLE_NAME) IN ('CALCULATION', 'CALCULATIONTREE', 'CONFIG','CURRENCY', 'SALUTATION', "
              "'IMPORT', 'DOCUMENT', 'ADMIN', 'AUDIT')");
    // System databases are refused without a connection (an unreachable host would log an error).
    const ConnectionSettings nowhere{u"/nonexistent-server"_s, {}, {}, false};
    for (const char* db : {"master", "Model", "MSDB", "tempdb"})
        EXPECT_EQ(CheckIfQuellmarModelAndReturn(QString::fromLatin1(db), nowhere), QString()) << db;
    // SalesArchive2025 holds 8 of the 9 marker tables.
    ASSERT_TRUE(QFile::exists(DemoServerFolder() + "/SalesArchive2025.sqlite")) << "demo server missing";
    const DatabaseCatalog catalog = FillAllDatabaseCatalog(Demo());
    EXPECT_TRUE(catalog.listed);
    EXPECT_EQ(catalog.names, (QStringList{"EdgeCaseModel", "SalesModel2026", "SalesModel2026_Target"}));
    // A name in another letter case is tested upper-cased and returned as given.
    EXPECT_EQ(CheckIfQuellmarModelAndReturn(u"salesmodel2026"_s, Demo()), "salesmodel2026");
    EXPECT_TRUE(seams.boxes.shown.empty());
    EXPECT_TRUE(LogLines().isEmpty());

    // An unreachable server is reported in a box and the list is not replaced; a server
    // written as a path is a folder, and a missing one is reported as such.
    EXPECT_FALSE(FillAllDatabaseCatalog(nowhere).listed);
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    EXPECT_TRUE(IsBox(seams.boxes.shown[0],
                      u"Unable to retrieve model details ! Please verify the connection attributes !\r\n\r\nDetails:\r\n"
                      "Number: 17\r\nSource: Brisklane embedded engine\r\nDescription: Folder not found: /nonexistent-server\r\n"_s,
                      mb::Critical, u"Connection Failed !"_s));
    EXPECT_EQ(LogEntries(), QStringList{u"ERROR|Function: FillAllDatabaseCatalog() --> Connection Failed ! Source: "
                                        "Brisklane embedded engine Description: Folder not found: /nonexistent-server"_s});
}

TEST_F(ShellModel, UnreadableDatabaseIsLeftOutWithAnErrorLine)
{
    EXPECT_EQ(CheckIfQuellmarModelAndReturn(u"No'Such"_s, Demo()), QString());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains("||ERROR|Function: CheckIfQuellmarModelAndReturn() --> Connection Failed ! Source: "));
    EXPECT_TRUE(LogLines()[0].contains(" Description: "));
    // A server folder with one model and one damaged database file.
    QTemporaryDir server;
    ASSERT_TRUE(QFile::copy(DemoServerFolder() + "/SalesModel2026.sqlite", server.filePath(u"SalesModel2026.sqlite"_s)));
    WriteFileBytes(server.filePath(u"Broken.sqlite"_s), QByteArray(4096, 'x'));
    ResetLog();
    const DatabaseCatalog catalog = FillAllDatabaseCatalog({server.path(), u"demo"_s, u"demo"_s, false});
    EXPECT_TRUE(catalog.listed);
    EXPECT_EQ(catalog.names, QStringList{u"SalesModel2026"_s});
    EXPECT_TRUE(seams.boxes.shown.empty());
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains("Function: CheckIfQuellmarModelAndReturn() --> Connection Failed !"));
}

TEST_F(ShellModel, ConnectSucceedsOrFailsWithABoxThenTheLine)
{
    db::Connection cn;
    EXPECT_EQ(ConnectToDataStoreSQLSERVER(Demo(), u"SalesModel2026"_s, cn), 1);
    EXPECT_TRUE(cn.isOpen());
    EXPECT_EQ(cn.commandTimeout(), 600);
    EXPECT_EQ(cn.loginTimeout(), 15);
    cn.close();

    int linesAtBox = -1;
    seams.boxes.onShow = [&](const ShownBox&) { linesAtBox = int(LogLines().size()); };
    EXPECT_EQ(ConnectToDataStoreSQLSERVER(Demo(), u"NoSuchModel"_s, cn), -1);
    EXPECT_FALSE(cn.isOpen());
    ASSERT_EQ(seams.boxes.shown.size(), 1u);
    const ShownBox& box = seams.boxes.shown[0];
    EXPECT_TRUE(IsBox(box, box.prompt, mb::Critical, u"Connection Failed !"_s));
    EXPECT_TRUE(QRegularExpression(u"^Unable to connect database !\r\n\r\nDetails:\r\nNumber: -?\\d+\r\n"
                                   "Source: [^\r\n]+\r\nDescription: [^\r\n]+\r\n$"_s)
                    .match(box.prompt)
                    .hasMatch())
        << box.prompt.toStdString();
    // The ERROR line follows the box.
    EXPECT_EQ(linesAtBox, 0);
    ASSERT_EQ(LogLines().size(), 1);
    EXPECT_TRUE(LogLines()[0].contains("||ERROR|Function: ConnectToDataStoreSQLSERVER() --> Connection Failed ! Source: "));

    // A second attempt on the same closed connection sets the string again and connects;
    // a password with ; = " ' reaches the data layer whole (the embedded server ignores it).
    ConnectionSettings odd = Demo();
    odd.password = u"se;cret=\"x'"_s;
    EXPECT_EQ(ConnectToDataStoreSQLSERVER(odd, u"SalesModel2026"_s, cn), 1);
    EXPECT_EQ(db::ParseConnectionString(cn.connectionString()).value(u"PASSWORD"_s), odd.password);
    EXPECT_EQ(seams.boxes.shown.size(), 1u);
}

TEST_F(ShellModel, RecordCountRowsNullsAndFailures)
{
    ASSERT_EQ(ConnectToDataStoreSQLSERVER(Demo(), u"SalesModel2026"_s, g_cnModel), 1);
    EXPECT_GT(GetRecordCount(u"SELECT COUNT(1) FROM Calculation"_s), 0);
    EXPECT_EQ(GetRecordCount(u"SELECT COUNT(1) FROM Calculation WHERE 1 = 0"_s), 0);
    EXPECT_EQ(GetRecordCount(u"SELECT 7 UNION ALL SELECT 12"_s), 12);
    EXPECT_EQ(GetRecordCount(u"SELECT 12.5"_s), 12);
    EXPECT_EQ(GetRecordCount(u"SELECT Name FROM Calculation WHERE 1 = 0"_s), 0);
    EXPECT_TRUE(LogLines().isEmpty());
    EXPECT_EQ(GetRecordCount(u"SELECT NULL"_s), 0);
    EXPECT_EQ(GetRecordCount(u"SELECT COUNT(1) FROM NoSuchTable"_s), 0);
    ASSERT_EQ(LogEntries().size(), 2);
    EXPECT_TRUE(LogEntries()[0].startsWith("ERROR|Function: GetRecordCount() --> Code: 94 --> Description: "));
    EXPECT_TRUE(LogEntries()[1].startsWith("ERROR|Function: GetRecordCount() --> Code: "));
}
