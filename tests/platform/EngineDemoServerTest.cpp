#include "support/TestEnvironment.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/sqlite/TsqlErrors.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace bkl::db;

namespace {

Connection openDemo(const QString& catalog)
{
    Connection cn;
    cn.setConnectionString(bkl::test::DemoConnectionString(catalog));
    cn.open();
    return cn;
}

QStringList firstColumn(const Connection& cn, const QString& sql)
{
    QStringList out;
    for (Recordset rs(sql, cn); !rs.eof(); rs.moveNext())
        out << rs.field(0).toText();
    return out;
}

const char kModelTest[] =
    "SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' AND UPPER(TABLE_CATALOG) = '%1'  "
    "AND UPPER(TABLE_NAME) IN ('CALCULATION', 'CALCULATIONTREE', 'CONFIG','CURRENCY', 'SALUTATION', 'IMPORT', "
    "'DOCUMENT', 'ADMIN', 'AUDIT')";

} // namespace

class EngineDemoServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QDir(bkl::test::DemoServerFolder()).exists(QStringLiteral("SalesModel2026.sqlite")))
            GTEST_SKIP() << "demo server not generated";
    }
};

TEST_F(EngineDemoServer, ListsTheDemoDatabasesAndTellsModelsApart)
{
    EXPECT_EQ(firstColumn(openDemo("master"), "SELECT name FROM sysdatabases ORDER BY NAME"),
              (QStringList{"EdgeCaseModel", "master", "model", "msdb", "SalesArchive2025", "SalesModel2026",
                           "SalesModel2026_Target", "tempdb"}));
    for (const char* model : {"SALESMODEL2026", "SALESMODEL2026_TARGET", "EDGECASEMODEL"})
        EXPECT_EQ(firstColumn(openDemo(model), QString::fromLatin1(kModelTest).arg(model)), QStringList{"9"}) << model;
    EXPECT_EQ(firstColumn(openDemo("SALESARCHIVE2025"), QString::fromLatin1(kModelTest).arg("SALESARCHIVE2025")),
              QStringList{"8"});
}

TEST_F(EngineDemoServer, ReadsCatalogFactsOfTheDemoModels)
{
    const Connection cn = openDemo("SalesModel2026");
    Recordset rs("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si WHERE so.xtype = 'U' "
                 "AND si.id = OBJECT_ID(so.name) AND so.name = 'salestransactions' GROUP BY so.Name ",
                 cn);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("TableName").toText(), "SalesTransactions");
    EXPECT_EQ(rs.field("RowCount").toInt64(), 1500);

    const Connection edge = openDemo("EdgeCaseModel");
    EXPECT_EQ(firstColumn(edge, "SELECT [TableName] = so.name FROM sysobjects so WHERE so.name = 'O''Brien Accounts'"),
              QStringList{"O'Brien Accounts"});
    // A view column without "." makes the dependency query fail, as it does on the server.
    try {
        edge.execute("SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE object_id IN "
                     "(SELECT object_id FROM sys.views WHERE [name] = 'Edge View')");
        FAIL() << "expected an error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), bkl::db::sqlite::engine_err::InvalidLength);
    }
}
