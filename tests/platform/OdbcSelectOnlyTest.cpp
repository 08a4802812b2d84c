// The SQL Server backend sends single SELECT statements only. (Every statement the
// program sends passes: the statement catalog runs through FreeTDS.)
#include "platform/db/odbc/SelectOnly.h"

#include "platform/db/DbError.h"
#include "support/DemoModel.h"

#include <gtest/gtest.h>

using bkl::db::odbc::IsSingleSelect;
using bkl::db::odbc::RequireSingleSelect;

TEST(OdbcSelectOnly, AcceptsOneSelectOfTheGrammarAndRefusesEverythingElse)
{
    for (const char* sql : {
             "SELECT name FROM sysdatabases ORDER BY NAME",
             "  select * from [Audit] where Event = 'DELETE; DROP TABLE x' ;  ",
             "SELECT [Delete], \"Update\", [Checkpoint] FROM [Into] WHERE x LIKE N'%exec%'",
             "-- leading note\r\nSELECT 1 /* a comment */",
             "SELECT 'it''s' AS a; -- trailing",
             "SELECT c.Name FROM Calculation c WITH (NOLOCK) LEFT JOIN Audit a ON a.UserID = c.Name",
         })
        EXPECT_TRUE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
    for (const char* sql : {
             "", "   ", "-- only a comment", "UPDATE t SET a = 1", "DELETE FROM t", "EXEC sp_who",
             "WITH c AS (SELECT 1) SELECT * FROM c", "(SELECT 1)", "SELECT 1; DELETE FROM t", "SELECT 1; SELECT 2",
             "SELECT 1 DROP TABLE t", "SELECT * INTO t2 FROM t", "SELECT * FROM OPENROWSET('x', 'y', 'z')",
             "SELECT 'unclosed", "SELECT [unclosed", "SELECT 1 /* unclosed", "'x' SELECT 1",
             "select 1 DISABLE TRIGGER ALL ON DATABASE", "select 1 ENABLE TRIGGER t ON x",
             "select 1 RECEIVE TOP (1) * FROM q", "select 1 SEND ON CONVERSATION @h (N'x')",
             "select 1 END CONVERSATION @h", "select 1 BEGIN TRAN", "select 1 CHECKPOINT", "SELECT * FROM t SHUTDOWN",
             "select 1 WAITFOR DELAY '0:0:5'", "select 1 -- c\rdelete from Audit", "select 1 -- c\r\ndelete from Audit",
             "SELECT 1 x RECONFIGURE", "SELECT a FROM t ORDER BY a FOR XML AUTO",
         })
        EXPECT_FALSE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
}

TEST(OdbcSelectOnly, ReadsNestedCommentsAndReservedWordsInAnyCaseAsTheServer)
{
    // Block comments nest on the server: "/* /* */" is still open, so the DELETE below
    // is a statement of its own there, not part of an alias.
    for (const char* sql : {"SELECT 1 /* a /* nested */ comment */ AS x", "SELECT 1 /* /* */ AS [x*/ AS y",
                            "SELECT 1 /* -- ' [ \" */ AS x"})
        EXPECT_TRUE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
    for (const char* sql : {"SELECT 1 /* /* */ AS [x*/ DELETE FROM Calculation --]", "SELECT 1 /* /* */",
                            "SELECT 1 /* */ */ AS x", "select 1 checkpoint", "select * from t shutdown",
                            "Select 1 CheckPoint", "select name from t x truncate table t"})
        EXPECT_FALSE(IsSingleSelect(QString::fromUtf8(sql))) << sql;
    try {
        RequireSingleSelect(QStringLiteral("select 1 checkpoint"));
        ADD_FAILURE() << "not refused";
    } catch (const bkl::db::DbError& e) {
        EXPECT_EQ(e.description(), QStringLiteral("Only single SELECT statements are sent to the server; \"checkpoint\" "
                                                  "would run another statement: select 1 checkpoint"));
    }
}

TEST(OdbcSelectOnly, RefusesWithTheReasonTheEmbeddedEngineGives)
{
    // The gate reads a statement on the embedded engine's own tokens: where the engine
    // refuses it, the gate refuses it with the same number and reason.
    const bkl::db::Connection cn = bkl::test::OpenDemoModel(QLatin1String(bkl::test::kSourceModel));
    for (const char* text : {"SELECT 1 /* /* */ AS [x*/ DELETE FROM Calculation --]", "SELECT Name FROM Calculation /* /* */"}) {
        const QString sql = QString::fromUtf8(text);
        SCOPED_TRACE(text);
        long engineNumber = 0, gateNumber = 0;
        QString engineReason, gateReason;
        try {
            cn.execute(sql);
        } catch (const bkl::db::DbError& e) {
            engineNumber = e.number();
            engineReason = e.description();
        }
        try {
            RequireSingleSelect(sql);
        } catch (const bkl::db::DbError& e) {
            gateNumber = e.number();
            gateReason = e.description();
        }
        EXPECT_EQ(engineNumber, 102);
        EXPECT_EQ(gateNumber, engineNumber);
        EXPECT_EQ(gateReason, engineReason);
    }
}

namespace {

// The gate's refusal of `sql`, or "" when it lets the statement through.
QString GateRefusal(const QString& sql)
{
    try {
        RequireSingleSelect(sql);
        return QString();
    } catch (const bkl::db::DbError& e) {
        EXPECT_EQ(e.number(), bkl::db::err::ProviderError);
        EXPECT_EQ(e.source(), QLatin1String(bkl::db::kDataLayerSource));
        return e.description();
    }
}

const QString kGateRefuses = QStringLiteral("Only single SELECT statements are sent to the server; ");

} // namespace

TEST(OdbcSelectOnly, RefusesReadingsThatRestOnACommentRuleNoDocumentationStates)
{
    // A server on which "--" hides the rest of its line inside a block comment, or on
    // which "--" ends only at LF, would run the DELETE of these. The embedded engine
    // reads them as one SELECT; the gate sends neither.
    const QString dashes = QStringLiteral("SELECT 1 /* -- /*\n */ DELETE FROM Calculation -- */");
    const QString loneCr = QStringLiteral("SELECT 1 --x\r/*\nDELETE FROM Calculation --*/");
    const bkl::db::Connection cn = bkl::test::OpenDemoModel(QLatin1String(bkl::test::kSourceModel));
    for (const QString& sql : {dashes, loneCr}) {
        EXPECT_TRUE(IsSingleSelect(sql));
        EXPECT_EQ(cn.execute(sql).rows.size(), 1u);
    }
    EXPECT_EQ(GateRefusal(dashes), kGateRefuses + QStringLiteral("\"--\" inside a /* */ comment could run another "
                                                                 "statement: SELECT 1 /* -- /* */ DELETE FROM Calculation -- */"));
    EXPECT_EQ(GateRefusal(loneCr), kGateRefuses + QStringLiteral("a \"--\" comment ended by a CR alone could run another "
                                                                 "statement: SELECT 1 --x /* DELETE FROM Calculation --*/"));
    for (const char* sql : {"SELECT 1 /*--*/", "SELECT 1 /* /* -- */ */ AS x", "SELECT 1 /* a */ AS x /* ---- */",
                            "SELECT 1 --\r", "SELECT 1 -- a\r\n-- b\rFROM Calculation", "SELECT 1 AS x --\r--\n"})
        EXPECT_TRUE(GateRefusal(QString::fromUtf8(sql)).startsWith(kGateRefuses)) << sql;
    // Comments every server reads alike still pass.
    for (const char* sql : {"-- note\r\nSELECT 1 /* a comment */", "SELECT 1 -- a -- b /* c\n AS x", "SELECT 1 --",
                            "SELECT 1 /* - -*/ AS x /*-*/", "SELECT '/* -- */' AS x -- \r\n", "SELECT 1 -- \n\r\n"})
        EXPECT_EQ(GateRefusal(QString::fromUtf8(sql)), QString()) << sql;
}

TEST(OdbcSelectOnly, SendsANulInsideATextLiteralJoinedByCharZero)
{
    using bkl::db::odbc::StatementForServer;
    const QChar nul(0);
    const auto text = [nul](const char* s) { return QString::fromUtf8(s).replace(QLatin1Char('~'), nul); };
    const std::pair<const char*, const char*> sent[] = {
        {"SELECT 'a~b' AS x", "SELECT ('a' + CHAR(0) + 'b') AS x"},
        {"SELECT N'~it''s~~' AS x, 'c' y", "SELECT (N'' + NCHAR(0) + N'it''s' + NCHAR(0) + N'' + NCHAR(0) + N'') AS x, 'c' y"},
        {"SELECT Name FROM Calculation WHERE Name LIKE n'B~%' OR Name IN ('~', 'x')",
         "SELECT Name FROM Calculation WHERE Name LIKE (N'B' + NCHAR(0) + N'%') OR Name IN (('' + CHAR(0) + ''), 'x')"},
        {"SELECT 'no nul' AS [x], N'y' AS z", "SELECT 'no nul' AS [x], N'y' AS z"},
    };
    for (const auto& [in, out] : sent) {
        SCOPED_TRACE(in);
        const QString server = StatementForServer(text(in));
        EXPECT_EQ(server, QString::fromUtf8(out));
        EXPECT_EQ(GateRefusal(server), QString());
    }
    // Joined texts shorter than (max) are cut at 8,000 bytes: a long literal is widened first.
    const QString longText = QString(2001, QLatin1Char('x'));
    EXPECT_EQ(StatementForServer(QStringLiteral("SELECT '%1%2' AS x").arg(longText, nul)),
              QStringLiteral("SELECT (CAST('%1' AS varchar(max)) + CHAR(0) + '') AS x").arg(longText));
    EXPECT_EQ(StatementForServer(QStringLiteral("SELECT N'%1%2' AS x").arg(QString(1999, QLatin1Char('y')), nul)),
              QStringLiteral("SELECT (N'%1' + NCHAR(0) + N'') AS x").arg(QString(1999, QLatin1Char('y'))));

    // A NUL anywhere else has no form the server reads: the driver would end the statement there.
    for (const char* sql : {"SELECT 1 AS 'a~b'", "SELECT 'a~b' = 1", "SELECT [a~b] FROM Calculation",
                            "SELECT \"~\" FROM Calculation", "SELECT 1 -- ~\nFROM Calculation", "SELECT 1 /* ~ */ AS x"}) {
        SCOPED_TRACE(sql);
        EXPECT_TRUE(IsSingleSelect(text(sql)));
        EXPECT_EQ(GateRefusal(text(sql)),
                  kGateRefuses + QStringLiteral("a NUL character outside a text value would cut the statement short: ")
                      + QString::fromUtf8(sql).replace(QLatin1Char('~'), QLatin1String("\\0")).simplified());
    }
}
