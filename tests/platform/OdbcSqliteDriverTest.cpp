// The ODBC backend's plumbing through a real ODBC driver: Debian's SQLite ODBC
// driver on a model-like file made for each test.
#include "platform/db/DbError.h"
#include "platform/db/Recordset.h"
#include "platform/db/Value.h"
#include "platform/db/odbc/OdbcBackend.h"
#include "platform/db/odbc/OdbcColumnReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlext.h>

using namespace bkl::db;

namespace {

const char kSqliteDriver[] = "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so";

// A SQLite file with typed columns, written by the sqlite3 shell.
class OdbcSqliteDriver : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFile::exists(QString::fromLatin1(kSqliteDriver)))
            GTEST_SKIP() << "SQLite ODBC driver not installed";
        ASSERT_TRUE(dir_.isValid());
        file_ = dir_.filePath(QStringLiteral("model.sqlite"));
        const QString longNote = QString(5000, QLatin1Char('x')) + QStringLiteral("ä") + QString(5000, QLatin1Char('y'));
        const QString script = QStringLiteral(
            "CREATE TABLE Item (Id INTEGER, Name NVARCHAR(100), Amount VARCHAR(40), Ratio DOUBLE, "
            "Created TIMESTAMP, Born DATE, Flag BIT, Note TEXT, At TIME);"
            "INSERT INTO Item VALUES (1, 'Ünïcode ✓ 名前', '99999999999999999.99', 0.25, '2024-03-05 13:45:07', "
            "'2024-03-05', 1, '%1', '08:30:00');"
            "INSERT INTO Item (Id) VALUES (2);"
            "INSERT INTO Item (Id, Name, Note) VALUES (3, 'it''s', '');")
                                   .arg(longNote);
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), {file_, script});
        ASSERT_TRUE(sqlite.waitForFinished(30000));
        ASSERT_EQ(sqlite.exitCode(), 0) << sqlite.readAllStandardError().toStdString();
        longNote_ = longNote;
    }

    std::unique_ptr<Backend> open() const
    {
        return odbc::OpenOdbcConnectionString(
            QStringLiteral("Driver={%1};Database=%2").arg(QString::fromLatin1(kSqliteDriver), file_), 5);
    }

    QTemporaryDir dir_;
    QString file_;
    QString longNote_;
};

} // namespace

TEST_F(OdbcSqliteDriver, ReadsEveryValueTypeAndNulls)
{
    auto cn = open();
    const ResultSet r = cn->execute(
        QStringLiteral("SELECT Id, Name, Amount, Ratio, Created, Born, Flag, Note, At FROM Item ORDER BY Id"), 30);
    EXPECT_EQ(r.columns, QStringList({"Id", "Name", "Amount", "Ratio", "Created", "Born", "Flag", "Note", "At"}));
    ASSERT_EQ(r.rows.size(), 3u);

    const auto& full = r.rows[0];
    EXPECT_EQ(full[0], Value::integer(1));
    EXPECT_EQ(full[1].type(), Value::Type::Text);
    EXPECT_EQ(full[1].toText(), QStringLiteral("Ünïcode ✓ 名前"));
    EXPECT_EQ(full[2], Value::text(QStringLiteral("99999999999999999.99")));
    EXPECT_EQ(full[3], Value::real(0.25));
    EXPECT_EQ(full[4], Value::dateTime(QDateTime(QDate(2024, 3, 5), QTime(13, 45, 7))));
    EXPECT_EQ(full[4].toText(), QStringLiteral("3/5/2024 1:45:07 PM"));
    EXPECT_EQ(full[5], Value::dateTime(QDateTime(QDate(2024, 3, 5), QTime(0, 0))));
    EXPECT_EQ(full[6], Value::integer(1));
    EXPECT_EQ(full[7].toText(), longNote_); // longer than one read: fetched in pieces
    EXPECT_EQ(full[8], Value::dateTime(QDateTime(QDate(1899, 12, 30), QTime(8, 30))));

    for (const Value& v : r.rows[1])
        if (&v != &r.rows[1][0])
            EXPECT_TRUE(v.isNull());
    EXPECT_EQ(r.rows[2][1].toText(), QStringLiteral("it's"));
    EXPECT_EQ(r.rows[2][7].type(), Value::Type::Text); // empty text is not NULL
    EXPECT_EQ(r.rows[2][7].toText(), QString());

    // Statements run while another result is held, as nested recordsets do.
    std::vector<ResultSet> inner;
    for (const auto& row : r.rows)
        inner.push_back(cn->execute(
            QStringLiteral("SELECT COUNT(1) AS N FROM Item WHERE Id <= %1").arg(row[0].toInt64()), 30));
    EXPECT_EQ(inner[0].rows.at(0).at(0).toInt64(), 1);
    EXPECT_EQ(inner[2].rows.at(0).at(0).toInt64(), 3);
}

// SQL Server reports decimal, numeric and money columns as SQL_DECIMAL/SQL_NUMERIC;
// the SQLite driver reports none, so its text column is read here the way such a
// column is read: as character digits, kept exactly.
TEST_F(OdbcSqliteDriver, DecimalColumnsKeepEveryDigit)
{
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    SQLHSTMT stmt = SQL_NULL_HSTMT;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)));
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc)));
    const QByteArray cs = QStringLiteral("Driver=%1;Database=%2").arg(QString::fromLatin1(kSqliteDriver), file_).toUtf8();
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(dbc, nullptr, (SQLCHAR*)cs.constData(), SQL_NTS, nullptr, 0, nullptr,
                                               SQL_DRIVER_NOPROMPT)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &stmt)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLExecDirect(stmt, (SQLCHAR*)"SELECT Amount FROM Item ORDER BY Id", SQL_NTS)));
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(stmt)));
    const Value exact = odbc::ReadColumn(stmt, 1, SQL_DECIMAL);
    ASSERT_TRUE(SQL_SUCCEEDED(SQLFetch(stmt)));
    const Value null = odbc::ReadColumn(stmt, 1, SQL_NUMERIC);
    SQLFreeHandle(SQL_HANDLE_STMT, stmt);
    SQLDisconnect(dbc);
    SQLFreeHandle(SQL_HANDLE_DBC, dbc);
    SQLFreeHandle(SQL_HANDLE_ENV, env);

    EXPECT_EQ(exact.type(), Value::Type::Decimal);
    EXPECT_EQ(exact.toText(), QStringLiteral("99999999999999999.99"));
    EXPECT_TRUE(null.isNull());
}

TEST_F(OdbcSqliteDriver, StatementAndConnectErrorsCarryTheDiagnostics)
{
    auto cn = open();
    try {
        cn->execute(QStringLiteral("SELECT Missing FROM NoSuchTable"), 30);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.source().contains(QStringLiteral("SQLSTATE "))) << e.source().toStdString();
        EXPECT_TRUE(e.description().contains(QStringLiteral("no such table"))) << e.description().toStdString();
        EXPECT_NE(e.number(), 0);
    }
    try {
        odbc::OpenOdbcConnectionString(QStringLiteral("Driver={No Such Driver 0815};Database=x"), 5);
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.source().startsWith(QStringLiteral("[unixODBC]"))) << e.source().toStdString();
        EXPECT_TRUE(e.source().contains(QStringLiteral("SQLSTATE "))) << e.source().toStdString();
        EXPECT_TRUE(e.description().contains(QStringLiteral("No Such Driver 0815"))) << e.description().toStdString();
    }
}

TEST_F(OdbcSqliteDriver, RefusesStatementsThatAreNotASelect)
{
    auto cn = open();
    for (const char* sql : {"DELETE FROM Item", "SELECT 1; DELETE FROM Item", "SELECT Id INTO Copy FROM Item",
                            "UPDATE Item SET Id = 9", "/* x */ DROP TABLE Item"}) {
        try {
            cn->execute(QString::fromUtf8(sql), 30);
            ADD_FAILURE() << "sent: " << sql;
        } catch (const DbError& e) {
            EXPECT_EQ(e.source(), QString::fromLatin1(kDataLayerSource)) << sql;
        }
    }
    EXPECT_EQ(cn->execute(QStringLiteral("SELECT COUNT(1) FROM Item"), 30).rows.at(0).at(0).toInt64(), 3);
}
