#include "EngineFixture.h"
#include "StatementCatalog.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "platform/db/sqlite/TsqlErrors.h"

#include <QDateTime>
#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <gtest/gtest.h>

using namespace bkl::db;
using namespace bkl::db::sqlite;

namespace {

class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new QTemporaryDir;
        bkl::test::WriteEngineFixtureServer(dir_->path());
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static QString server() { return dir_->path(); }
    static Connection open(const QString& catalog)
    {
        Connection cn;
        cn.setConnectionString(bkl::test::EngineConnectionString(server(), catalog));
        cn.open();
        return cn;
    }
    // First column of every row, as text.
    static QStringList column(const Connection& cn, const QString& sql)
    {
        QStringList out;
        for (Recordset rs(sql, cn); !rs.eof(); rs.moveNext())
            out << rs.field(0).toText();
        return out;
    }
    static long errorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const DbError& e) {
            EXPECT_EQ(e.source(), QString::fromLatin1(kEngineSource));
            return e.number();
        }
        return 0;
    }

private:
    static QTemporaryDir* dir_;
};
QTemporaryDir* EngineTest::dir_ = nullptr;

const QString kModelTest = QStringLiteral(
    "SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' AND UPPER(TABLE_CATALOG) = '%1'  "
    "AND UPPER(TABLE_NAME) IN ('CALCULATION', 'CALCULATIONTREE', 'CONFIG','CURRENCY', 'SALUTATION', 'IMPORT', "
    "'DOCUMENT', 'ADMIN', 'AUDIT')");

} // namespace

TEST_F(EngineTest, ServerListsItsDatabasesAndTheModelTestFindsNineMarkerTablesOnlyInAModel)
{
    // The list is server-wide: any database answers it.
    EXPECT_EQ(column(open("Model1"), "SELECT name FROM sysdatabases ORDER BY NAME"),
              (QStringList{"alpha", "master", "model", "Model1", "msdb", "NotAModel", "tempdb", "Zeta"}));
    EXPECT_EQ(column(open("Model1"), kModelTest.arg("MODEL1")), QStringList{"9"});
    EXPECT_EQ(column(open("notamodel"), kModelTest.arg("NOTAMODEL")), QStringList{"8"});
    EXPECT_EQ(column(open("master"), kModelTest.arg("MASTER")), QStringList{"0"});
}

TEST_F(EngineTest, CatalogsOpenCaseInsensitivelyAndUnknownOnesAreRefused)
{
    EXPECT_EQ(column(open("MODEL1"), "SELECT TABLE_CATALOG FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_NAME = 'audit'"),
              QStringList{"Model1"});
    EXPECT_EQ(column(open("TempDB"), "SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES"), QStringList{"0"});
    EXPECT_EQ(errorOf([] { open("NoSuchModel"); }), engine_err::UnknownDatabase);
    try {
        open("NoSuchModel");
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Cannot open database \"NoSuchModel\" requested by the login. The login failed."));
    }
    Connection cn;
    cn.setConnectionString(bkl::test::EngineConnectionString("local:" + server() + "/missing", "Model1"));
    EXPECT_EQ(errorOf([&] { cn.open(); }), engine_err::ServerNotFound);
    EXPECT_FALSE(cn.isOpen());
}

// The text of an error reaches ERROR lines, boxes and the comparison page's Error row:
// control characters of the statement it quotes are shown, never carried raw.
TEST_F(EngineTest, AnErrorQuotesTheControlCharactersOfItsStatementVisibly)
{
    const QString sql = QStringLiteral("SELECT NoSuch FROM Audit WHERE 'a") + QChar(0) + QStringLiteral("b")
        + QChar(0x1B) + QStringLiteral("' = ''");
    try {
        open("Model1").execute(sql);
        ADD_FAILURE() << "the statement ran";
    } catch (const DbError& e) {
        EXPECT_EQ(e.description(),
                  QStringLiteral(R"(no such column: NoSuch in statement: SELECT NoSuch FROM Audit WHERE 'a\0b\x1B' = '')"));
        EXPECT_EQ(QString::fromUtf8(e.what()), e.description());
    }
}

TEST_F(EngineTest, RecordCountComesThroughSysobjectsSysindexesAndObjectId)
{
    const Connection cn = open("Model1");
    Recordset rs("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si WHERE "
                 "so.xtype = 'U' AND si.id = OBJECT_ID(so.name) AND so.name = 'ORDERS' GROUP BY so.Name ",
                 cn);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("TABLENAME").toText(), "Orders");
    EXPECT_EQ(rs.field("RowCount").toInt64(), 1500);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    // A view has no row count; OBJECT_ID, sysobjects and sys.views share one id space.
    EXPECT_TRUE(column(cn, "SELECT so.name FROM sysobjects so, sysindexes si WHERE si.id = so.id AND so.name = 'SalesView'").isEmpty());
    EXPECT_EQ(column(cn, "SELECT xtype FROM sysobjects WHERE id = OBJECT_ID('dbo.[SalesView]')"), QStringList{"V"});
    EXPECT_EQ(column(cn, "SELECT COUNT(1) FROM sys.views v, sysobjects o WHERE v.object_id = o.id AND v.name = o.name"),
              QStringList{"2"});
    EXPECT_EQ(column(cn, "SELECT COUNT(1) FROM sysobjects WHERE OBJECT_ID(name) = id"), column(cn, "SELECT COUNT(1) FROM sysobjects"));
    EXPECT_EQ(column(cn, "SELECT ISNULL(OBJECT_ID('NoSuchTable'), -1)"), QStringList{"-1"});
}

TEST_F(EngineTest, ViewColumnsAndDependenciesComeThroughSysViewsAndSysColumns)
{
    const Connection cn = open("Model1");
    EXPECT_EQ(column(cn, "SELECT sc.name AS ViewColumnName FROM sys.columns sc WHERE object_id in (SELECT object_id FROM "
                         "sys.views cv WHERE cv.name  = 'salesview') ORDER BY sc.column_id"),
              (QStringList{"Alpha.Value", "Alpha.Region", "beta.Amount"}));
    EXPECT_EQ(column(cn, "SELECT sc.column_id FROM sys.columns sc WHERE object_id = OBJECT_ID('SalesView') ORDER BY 1"),
              (QStringList{"1", "2", "3"}));
    QStringList calcs = column(cn, "SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns WHERE "
                                   "object_id IN (SELECT object_id FROM sys.views WHERE [name] = 'SalesView')");
    calcs.sort();
    EXPECT_EQ(calcs, (QStringList{"Alpha", "beta"}));
    EXPECT_EQ(column(cn, "SELECT [name] AS VIEWNAME FROM sys.views WHERE object_id IN (SELECT object_id FROM sys.columns WHERE "
                         "left([name], charindex('.', [name],1)) = 'ALPHA.')"),
              QStringList{"SalesView"});
    EXPECT_EQ(column(cn, "SELECT TABLE_TYPE FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_NAME = 'OtherView' AND TABLE_SCHEMA = 'dbo'"),
              QStringList{"VIEW"});
}

TEST_F(EngineTest, ValuesAreTypedByStorageAndDeclaredType)
{
    const Connection cn = open("Model1");
    const ResultSet r = cn.execute("SELECT c.CalculationID, c.[Name], Amount, Rate, Created, p.[Order] + 1 AS Pos FROM Calculation c "
                                   "LEFT OUTER JOIN CalculationPartition p ON p.CalculationID = c.CalculationID AND p.[Order] = 1 "
                                   "ORDER BY c.CalculationID");
    ASSERT_EQ(r.rows.size(), 4u);
    EXPECT_EQ(r.columns, (QStringList{"CalculationID", "Name", "Amount", "Rate", "Created", "Pos"}));
    const auto& a = r.rows[0];
    EXPECT_EQ(a[0], Value::integer(1));
    EXPECT_EQ(a[1], Value::text("Alpha"));
    EXPECT_EQ(a[2].type(), Value::Type::Decimal);
    EXPECT_EQ(a[2].toText(), "1234.5");
    EXPECT_EQ(a[3], Value::real(0.25));
    EXPECT_EQ(a[4], Value::dateTime(QDateTime(QDate(2024, 3, 1), QTime(8, 30))));
    EXPECT_EQ(a[5], Value::integer(2));
    const auto& b = r.rows[1];
    EXPECT_TRUE(b[2].isNull() && b[3].isNull() && b[4].isNull() && b[5].isNull());
    EXPECT_EQ(r.rows[2][2].toText(), "1234567890123.45");
    EXPECT_EQ(r.rows[2][4], Value::dateTime(QDateTime(QDate(2024, 3, 2), QTime(0, 0))));
    EXPECT_EQ(r.rows[3][4], Value::dateTime(QDateTime(QDate(2024, 3, 3), QTime(10, 0, 0, 250))));
    EXPECT_EQ(r.rows[3][2].toText(), "0.0001");
}

TEST_F(EngineTest, TextComparesAndSortsLikeACaseInsensitiveServer)
{
    const Connection cn = open("Model1");
    // Case, Unicode case and trailing blanks are ignored by "=", also against function results and literals.
    EXPECT_EQ(column(cn, "SELECT CalculationID FROM Calculation WHERE [Name] = 'ÄRGER'"), QStringList{"4"});
    EXPECT_EQ(column(cn, "SELECT CalculationID FROM Calculation WHERE UPPER([Name]) = 'alpha'"), QStringList{"1"});
    EXPECT_EQ(column(cn, "SELECT CalculationID FROM Calculation WHERE 'BETA' = LTRIM([Name])"), QStringList{"2"});
    EXPECT_EQ(column(cn, "SELECT UPPER([Name]) FROM Calculation WHERE CalculationID = 4"), QStringList{"ÄRGER "});
    EXPECT_EQ(column(cn, "SELECT [Name] FROM Calculation ORDER BY [Name]"), (QStringList{"_Result1", "Alpha", "ärger ", "beta"}));
    EXPECT_EQ(column(cn, "SELECT [Name] FROM Calculation WHERE UPPER([Name]) LIKE '%[_]RES%'"), QStringList{"_Result1"});
    // Ranges follow the collation's order, so an accented letter falls inside [a-b].
    EXPECT_EQ(column(cn, "SELECT [Name] FROM Calculation WHERE [Name] LIKE '[a-b]%' ORDER BY [Name]"),
              (QStringList{"Alpha", "ärger ", "beta"}));
    EXPECT_EQ(column(cn, "SELECT COUNT(1) FROM (SELECT DISTINCT Region FROM Orders) r"), QStringList{"2"});
    EXPECT_EQ(column(cn, "SELECT COUNT(1) FROM Orders GROUP BY Region ORDER BY 1"), (QStringList{"500", "1000"}));
    EXPECT_EQ(errorOf([&] { cn.execute("SELECT left([Name], -1) FROM Calculation"); }), engine_err::InvalidLength);
}

namespace {
// Walks the folder tree below `node` the way the renderers do: one open recordset
// per level (of one statement shape) while the levels below it run.
void walk(const Connection& cn, bool forwardOnly, long long node, const QString& path, QStringList& out,
          QSet<long long>& seen, int depth)
{
    if (seen.contains(node) || depth > 20)
        return;
    seen.insert(node);
    const QString sql =
        QStringLiteral("SELECT [FOLDERNAME] = [Name], NodeID FROM CalculationTree WHERE Parent = %1 ORDER BY [Name]").arg(node);
    Recordset rs;
    forwardOnly ? rs.openForwardOnly(sql, cn) : rs.open(sql, cn);
    for (; !rs.eof(); rs.moveNext()) {
        const QString p = path + QLatin1Char('/') + rs.field("FOLDERNAME").toText();
        out << p;
        walk(cn, forwardOnly, rs.field("NodeID").toInt64(), p, out, seen, depth + 1);
    }
}
} // namespace

TEST_F(EngineTest, NestedRecordsetsStayOpenDuringARecursion)
{
    const Connection cn = open("Model1");
    for (const bool forwardOnly : {false, true}) {
        QStringList paths;
        QSet<long long> seen;
        walk(cn, forwardOnly, 1, QString(), paths, seen, 0);
        EXPECT_EQ(paths, (QStringList{"/Sales", "/Sales/beta", "/Sales/Quarterly", "/Sales/Quarterly/Alpha"}));
    }
}

TEST_F(EngineTest, ForwardOnlyRecordsetsHandOutTheSameRowsAsTheyAreRead)
{
    Connection cn = open("Model1");
    const QString sql = QStringLiteral("SELECT OrderID, Region FROM Orders WHERE OrderID > 2 ORDER BY Region, OrderID DESC");
    QStringList all, streamed;
    for (Recordset rs(sql, cn); !rs.eof(); rs.moveNext())
        all << rs.field(0).toText() + rs.field("REGION").toText();
    Recordset rs;
    rs.openForwardOnly(sql, cn);
    EXPECT_EQ(rs.recordCount(), -1);
    EXPECT_EQ(rs.fieldName(1), "Region");
    cn.close(); // the open statement keeps its database until it is read to the end
    for (; !rs.eof(); rs.moveNext())
        streamed << rs.field(0).toText() + rs.field("REGION").toText();
    EXPECT_EQ(streamed, all);
    EXPECT_EQ(all.size(), 1498);
    EXPECT_THROW(rs.field(0), DbError);
    rs.openForwardOnly("SELECT CalculationID FROM Calculation WHERE CalculationID > 99", open("Model1"));
    EXPECT_TRUE(rs.eof());
}

TEST_F(EngineTest, PlusJoinsATextWithAnOperandOfUnknownType)
{
    // A derived table's column and a subquery have no declared type: next to a text, '+'
    // joins them as texts (added as numbers the rows would read 0).
    const Connection cn = open("Model1");
    EXPECT_EQ(column(cn, "SELECT x.N + ' (calc)' FROM (SELECT Name AS N FROM Calculation) x ORDER BY x.N"),
              (QStringList{"_Result1 (calc)", "Alpha (calc)", "ärger  (calc)", "beta (calc)"}));
    EXPECT_EQ(column(cn, "SELECT '(' + (SELECT MAX(Name) FROM Calculation WHERE CalculationID < 3) + ')'"),
              QStringList{"(beta)"});
}

TEST_F(EngineTest, CharAndNcharGiveTheCharacterOfACodeAsTheServer)
{
    // CHAR reads the server's default code page (Windows-1252); both are NULL outside their range.
    const Connection cn = open("Model1");
    const ResultSet r = cn.execute(QStringLiteral(
        "SELECT CHAR(65) + CHAR(128) + CHAR(159) + CHAR(129) + CHAR(233) + CHAR(0) + 'x' AS C, NCHAR(8364) + NCHAR(0) AS N, "
        "CHAR(256) AS Wide, CHAR(-1) AS Neg, NCHAR(65536) AS Astral, NCHAR(55296) AS Surrogate, CHAR(NULL) AS Nothing"));
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0][0], Value::text(QStringLiteral("A\u20AC\u0178\u0081\u00E9") + QChar(0) + QStringLiteral("x")));
    EXPECT_EQ(r.rows[0][1], Value::text(QStringLiteral("\u20AC") + QChar(0)));
    for (size_t c = 2; c < r.rows[0].size(); ++c)
        EXPECT_TRUE(r.rows[0][c].isNull()) << c;
}

TEST_F(EngineTest, StatementShapesAnswerAndFailAsEachStatementRunAnew)
{
    // Literals that decide what a statement means (TOP, ORDER BY positions, a LEFT length,
    // a text that makes '+' a concatenation) give the same rows and errors through the
    // shapes as translated anew; run twice, the second time from the kept shape.
    const QStringList statements{
        "SELECT TOP 2 [Name] FROM Calculation ORDER BY [Name]", "SELECT TOP 3 [Name] FROM Calculation ORDER BY [Name]",
        "SELECT TOP -1 [Name] FROM Calculation", "SELECT CalculationID, [Name] FROM Calculation ORDER BY 2",
        "SELECT CalculationID, [Name] FROM Calculation ORDER BY 1", "SELECT CalculationID FROM Calculation ORDER BY 3",
        "SELECT '(' + [Name] + ')' FROM Calculation ORDER BY 1", "SELECT [X] = [Name] + '.' FROM Calculation WHERE CalculationID = 1",
        "SELECT [X] = [Name] + '.' FROM Calculation WHERE CalculationID = 2", "SELECT CalculationID + '.' FROM Calculation",
        "SELECT left([Name], 2) FROM Calculation WHERE CalculationID = 1", "SELECT left([Name], -1) FROM Calculation",
        "SELECT [Name] FROM Calculation WHERE [Name] = 'O''Brien' OR [Name] = N'ÄRGER'",
        "SELECT 'It''s' AS T, 12 AS N, 007 AS Z, 9223372036854775807 AS Big, 1.5 AS D, 1e3 AS E",
        "SELECT COUNT(1) FROM Orders WHERE Region = 'west' AND OrderID BETWEEN 10 AND 20",
        "SELECT CalculationID FROM Calculation WHERE [Name] LIKE '%a%' AND CalculationID IN (1, 2, 4)"};
    const auto outcome = [](const Connection& cn, const QString& sql) -> std::pair<ResultSet, QString> {
        try {
            return {cn.execute(sql), QString()};
        } catch (const DbError& e) {
            return {{}, QStringLiteral("error %1: %2").arg(e.number()).arg(e.description())};
        }
    };
    SetStatementShapesEnabled(false);
    const Connection anew = open("Model1");
    SetStatementShapesEnabled(true);
    const Connection shaped = open("Model1");
    for (int pass = 0; pass < 2; ++pass)
        for (const QString& sql : statements) {
            SCOPED_TRACE(sql.toStdString());
            const auto [rows, error] = outcome(shaped, sql);
            const auto [rowsAnew, errorAnew] = outcome(anew, sql);
            EXPECT_EQ(error, errorAnew);
            bkl::test::ExpectSameResult(rows, rowsAnew);
        }

    // The kept shapes are bounded: the least recently used one goes first.
    bool cached = false;
    SetEngineObserver([&](const EngineExecution& e) { cached = e.translationCached; });
    const auto runCached = [&](const QString& sql) {
        shaped.execute(sql);
        return cached;
    };
    EXPECT_TRUE(runCached(statements.last()));
    for (int i = 0; i < 300; ++i)
        shaped.execute(QStringLiteral("SELECT %1 AS [C%1]").arg(i));
    EXPECT_FALSE(runCached(statements.last()));
    EXPECT_TRUE(runCached(statements.last()));
    SetEngineObserver({});
}

TEST_F(EngineTest, ModelsAreReadOnlyAndLongQueriesTimeOut)
{
    Connection cn = open("Model1");
    EXPECT_EQ(errorOf([&] { cn.execute("DELETE FROM Orders"); }), engine_err::ReadOnly);
    EXPECT_EQ(errorOf([&] { cn.execute("SELECT 1; DELETE FROM Orders"); }), engine_err::Syntax);
    EXPECT_EQ(column(cn, "SELECT COUNT(1) FROM Orders"), QStringList{"1500"});
    cn.setCommandTimeout(1);
    EXPECT_EQ(errorOf([&] { cn.execute("SELECT COUNT(1) FROM Orders a, Orders b, Orders c"); }), engine_err::Timeout);
    // Read row by row, a statement still ends when its own stepping passes the timeout.
    EXPECT_EQ(errorOf([&] {
                  for (Recordset rs("SELECT a.OrderID FROM Orders a, Orders b, Orders c WHERE a.OrderID + b.OrderID = c.OrderID * 7", cn);
                       !rs.eof(); rs.moveNext()) {
                  }
              }),
              engine_err::Timeout);
    // The connection stays usable after a timeout.
    EXPECT_EQ(column(cn, "SELECT COUNT(1) FROM [Admin]"), QStringList{"0"});
}

namespace {
// Names, sizes and modification times of a folder's entries.
QStringList Listing(const QString& folder)
{
    QStringList out;
    for (const QFileInfo& f : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        out << QStringLiteral("%1 %2 %3").arg(f.fileName()).arg(f.size()).arg(f.lastModified().toMSecsSinceEpoch());
    return out;
}

sqlite3* WalDatabase(const QString& path, const char* rows)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(path).constData(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; CREATE TABLE T (x INTEGER)", nullptr, nullptr, nullptr);
    sqlite3_exec(db, rows, nullptr, nullptr, nullptr);
    return db;
}
} // namespace

TEST(EngineModelFiles, WalModelsOpenInAReadOnlyFolderAndNothingIsWrittenBesideThem)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    // Closed cleanly: its log is checkpointed into the file and removed.
    sqlite3_close(WalDatabase(folder + "/Walled.sqlite", "INSERT INTO T VALUES (1), (2)"));
    // Still open with changes in its log that are not in the file yet.
    sqlite3* writer = WalDatabase(folder + "/Pending.sqlite", "INSERT INTO T VALUES (1)");
    const QStringList before = Listing(folder);
    ASSERT_TRUE(before.join(' ').contains("Pending.sqlite-wal")) << before.join(' ').toStdString();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    {
        Connection cn;
        cn.setConnectionString(bkl::test::EngineConnectionString(folder, "Walled"));
        ASSERT_NO_THROW(cn.open());
        EXPECT_EQ(cn.execute("SELECT COUNT(1) FROM T").rows.at(0).at(0), Value::integer(2));
        EXPECT_EQ(cn.execute("SELECT name FROM sys.columns WHERE object_id = OBJECT_ID('T')").rows.size(), 1u);
        Connection pending;
        pending.setConnectionString(bkl::test::EngineConnectionString(folder, "Pending"));
        try {
            pending.open();
            ADD_FAILURE() << "a model with changes only in its log opened";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), 14);
            EXPECT_TRUE(e.description().contains("\"Pending.sqlite-wal\" holds changes")) << e.description().toStdString();
        }
    }
    EXPECT_EQ(Listing(folder), before);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    sqlite3_close(writer);
}
