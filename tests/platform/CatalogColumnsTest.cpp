// sys.columns on the embedded engine: the columns are read beside the model's opening,
// and the first statement that reads them gets every object's columns, in the stored
// order, as the catalog has always given them.
#include "platform/db/Connection.h"
#include "support/DemoModel.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace {

// Every row of a statement, fields joined by tabs, one line each.
QByteArray RowsText(const bkl::db::Connection& cn, const QString& sql)
{
    QByteArray text;
    for (const auto& row : cn.execute(sql).rows) {
        QStringList fields;
        for (const auto& value : row)
            fields << value.toText();
        text += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
    }
    return text;
}

const QString kAllColumns = QStringLiteral("SELECT object_id, name, column_id FROM sys.columns");

} // namespace

TEST(CatalogColumns, TheFirstStatementAfterOpeningReadsEveryObjectsColumnsInStoredOrder)
{
    // The whole table, unordered, as the first statement of a fresh connection: rows and hashes as before.
    const struct {
        const char* database;
        int rows;
        const char* sha256;
    } cases[] = {
        {"SalesModel2026", 188, "b129d6ff22e459ff0e0082d914fa32fbd8ac60082b4d093c4c7549fa422640c6"},
        {"SalesModel2026_Target", 188, "42bde30e28bcc40234c7b30d10427bb4e0f708c19e0b419ccc2682dab7d2d8a2"},
        {"EdgeCaseModel", 134, "b1ca706e1f6698d22058360099050b77608ed535d98abb9dcdeff9a506ced301"},
        {"SalesArchive2025", 116, "2a3ad673d64637094f953fb3bcf80e7bd78ca9bcb0b3069b70546d34ae5ee577"},
    };
    for (const auto& c : cases) {
        const QByteArray text = RowsText(bkl::test::OpenDemoModel(QLatin1String(c.database)), kAllColumns);
        EXPECT_EQ(text.count('\n'), c.rows) << c.database;
        EXPECT_EQ(QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex(), c.sha256) << c.database;
    }
}

TEST(CatalogColumns, NamesWithQuotesAndDotsKeepTheirColumns)
{
    const bkl::db::Connection cn = bkl::test::OpenAlteredDemoModel(
        QStringLiteral("EdgeCaseModel"),
        QStringLiteral("CREATE TABLE [Odd \"Quoted\" Table] (a INT, [b\"c] TEXT, [d.e] TEXT); "
                       "CREATE VIEW [Odd \"View\"] AS SELECT a AS [Odd Calc.Value], [b\"c] FROM [Odd \"Quoted\" Table]"));
    EXPECT_EQ(RowsText(cn, "SELECT sc.name, sc.column_id FROM sys.columns sc WHERE object_id = OBJECT_ID('Odd \"Quoted\" Table') "
                           "ORDER BY sc.column_id"),
              "a\t1\nb\"c\t2\nd.e\t3\n");
    EXPECT_EQ(RowsText(cn, "SELECT [name] AS VIEWNAME FROM sys.views WHERE object_id IN (SELECT object_id FROM sys.columns "
                           "WHERE left([name], charindex('.', [name],1)) = 'odd calc.')"),
              "Odd \"View\"\n");
}
