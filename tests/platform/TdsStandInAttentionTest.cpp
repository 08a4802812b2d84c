// tds-standin answers an attention as a server does: a result still going out ends
// where it is, closed by a DONE that acknowledges the attention; an attention that
// comes after a complete reply is acknowledged by a DONE of its own. Either way the
// connection serves the next statement.
#include "platform/db/odbc/OdbcDriver.h"
#include "support/DemoModel.h"
#include "support/TdsStandIn.h"
#include "support/TdsWireClient.h"

#include <gtest/gtest.h>
#include <memory>
#include <sql.h>
#include <sqlext.h>

using namespace bkl::test;

namespace {

constexpr qsizetype kDoneSize = 13;

// About 25 MB of rows, far more than the system's socket buffers hold.
QString LongResult()
{
    return QStringLiteral("SELECT t.TransactionID, p.PayeeName, N'%1' AS Pad FROM SalesTransactions t "
                          "CROSS JOIN PayeeMaster p ORDER BY t.TransactionID, p.PayeeID")
        .arg(QString(200, QLatin1Char('x')));
}

const QString kCount = QStringLiteral("SELECT COUNT(*) AS N FROM Calculation");

// ODBC handles freed in turn.
struct Handle {
    SQLSMALLINT type;
    SQLHANDLE handle = SQL_NULL_HANDLE;
    ~Handle()
    {
        if (handle != SQL_NULL_HANDLE)
            SQLFreeHandle(type, handle);
    }
};

// The first column of the next row as a number; -1 when there is none.
long long FetchNumber(SQLHSTMT statement)
{
    if (!SQL_SUCCEEDED(SQLFetch(statement)))
        return -1;
    SQLBIGINT value = 0;
    SQLLEN indicator = 0;
    return SQL_SUCCEEDED(SQLGetData(statement, 1, SQL_C_SBIGINT, &value, 0, &indicator)) ? value : -1;
}

} // namespace

TEST(TdsStandInAttention, AnAttentionEndsTheResultGoingOutOrIsAcknowledgedAfterACompleteReply)
{
    TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    TdsWireClient client(standIn, 32 * 1024);
    ASSERT_TRUE(client.login(kSourceModel));
    client.sendBatch(LongResult());
    const QByteArray whole = client.reply();
    ASSERT_EQ(FinalDoneStatus(whole), kDoneCount);
    ASSERT_GT(whole.size(), 20'000'000);

    // Cancelled once its first 64 KB came: the reply ends with the acknowledgement, long
    // before its rows would, and what came before it is the reply's start up to where a
    // row begins.
    client.sendBatch(LongResult());
    QByteArray cut;
    ASSERT_FALSE(client.readReply(cut, 64 * 1024));
    ASSERT_GE(cut.size(), 64 * 1024);
    client.sendAttention();
    ASSERT_TRUE(client.readReply(cut));
    EXPECT_EQ(FinalDoneStatus(cut), kDoneAttention);
    EXPECT_LT(cut.size(), whole.size() / 2);
    const qsizetype rowsEnd = cut.size() - kDoneSize;
    EXPECT_TRUE(cut.left(rowsEnd) == whole.left(rowsEnd));
    EXPECT_EQ(uint8_t(whole.at(rowsEnd)), kRowToken);

    // The next statement is answered, with no second acknowledgement before it.
    client.sendBatch(kCount);
    const QByteArray counted = client.reply();
    EXPECT_EQ(FinalDoneStatus(counted), kDoneCount);

    // An attention after a complete reply: a DONE of its own acknowledges it.
    client.sendAttention();
    EXPECT_EQ(client.reply().toHex(), QByteArray("fd200000000000000000000000"));
    client.sendBatch(kCount);
    EXPECT_EQ(client.reply(), counted);
}

// Through the FreeTDS driver: SQLCancel while the rows of a long result come in ends
// the statement, and the connection serves the next statement with its rows.
TEST(TdsStandInAttention, ThroughFreeTdsACancelWhileRowsComeInLeavesTheConnectionUsable)
{
    if (!FreeTdsInstalled())
        GTEST_SKIP() << "FreeTDS ODBC driver not installed";
    TdsStandIn standIn;
    ASSERT_TRUE(standIn.running());
    Handle env{SQL_HANDLE_ENV};
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env.handle)));
    SQLSetEnvAttr(env.handle, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    Handle dbc{SQL_HANDLE_DBC};
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, env.handle, &dbc.handle)));
    QByteArray login = QStringLiteral("Driver=%1;Server=127.0.0.1;Port=%2;UID=demo;PWD=demo;Database=%3;"
                                      "TDS_Version=7.4;ClientCharset=UTF-8;ApplicationIntent=ReadOnly")
                           .arg(QString::fromLatin1(bkl::db::odbc::kFreeTdsLibrary))
                           .arg(standIn.port())
                           .arg(QString::fromLatin1(kSourceModel))
                           .toUtf8();
    ASSERT_TRUE(SQL_SUCCEEDED(SQLDriverConnect(dbc.handle, nullptr, reinterpret_cast<SQLCHAR*>(login.data()),
                                               SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT)));
    Handle statement{SQL_HANDLE_STMT};
    ASSERT_TRUE(SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc.handle, &statement.handle)));
    const auto execute = [&](const QString& sql) {
        QByteArray text = sql.toUtf8();
        return SQL_SUCCEEDED(SQLExecDirect(statement.handle, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS));
    };

    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(execute(LongResult()));
        for (int row = 0; row < 100; ++row)
            ASSERT_GT(FetchNumber(statement.handle), 0) << row;
        EXPECT_TRUE(SQL_SUCCEEDED(SQLCancel(statement.handle)));
        SQLFreeStmt(statement.handle, SQL_CLOSE);

        ASSERT_TRUE(execute(kCount));
        EXPECT_EQ(FetchNumber(statement.handle), 41);
        EXPECT_EQ(SQLFetch(statement.handle), SQL_NO_DATA);
        SQLFreeStmt(statement.handle, SQL_CLOSE);
    }
}
