// The SQL Server backend sends single SELECT statements only. (Every statement the
// program sends passes: the statement catalog runs through FreeTDS.)
#include "platform/db/odbc/SelectOnly.h"

#include "platform/db/DbError.h"
#include "reports/DetailSql.h"
#include "support/DemoModel.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
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

// Each statement (first) reads as one SELECT on the embedded engine, which runs it, and
// the gate refuses it for `reason`, naming it as shown (second).
void ExpectRefusedThoughTheEngineRunsIt(std::initializer_list<std::pair<QString, QString>> statements,
                                        const QString& reason)
{
    const bkl::db::Connection cn = bkl::test::OpenDemoModel(QLatin1String(bkl::test::kSourceModel));
    for (const auto& [sql, shown] : statements) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_TRUE(IsSingleSelect(sql));
        EXPECT_NO_THROW(cn.execute(sql));
        EXPECT_EQ(GateRefusal(sql), kGateRefuses + reason + QStringLiteral(": ") + shown);
    }
}

} // namespace

TEST(OdbcSelectOnly, RefusesEveryCommentForServersNeedNotReadThemAlike)
{
    // A server on which "--" hides the rest of its line inside a block comment, on which
    // "--" ends only at LF, on which "/*" opens a block inside a "--" comment, or on which
    // a line ends at VT, FF, NEL or U+2028 would run the DELETE of these. The embedded
    // engine reads each as one SELECT; the gate sends none of them.
    const QString comment = QStringLiteral("a comment could hide another statement");
    ExpectRefusedThoughTheEngineRunsIt({
        {u"SELECT 1 /* -- /*\n */ DELETE FROM Calculation -- */"_s, u"SELECT 1 /* -- /* */ DELETE FROM Calculation -- */"_s},
        {u"SELECT 1 --x\r/*\nDELETE FROM Calculation --*/"_s, u"SELECT 1 --x /* DELETE FROM Calculation --*/"_s},
        {u"SELECT 1 -- /*\n AS [x */ ; DELETE FROM Calculation --]"_s, u"SELECT 1 -- /* AS [x */ ; DELETE FROM Calculation --]"_s},
        {u"SELECT 1 -- /*\n, '*/ ; DELETE FROM Calculation --' AS x"_s, u"SELECT 1 -- /* , '*/ ; DELETE FROM Calculation --' AS x"_s},
        {u"SELECT 1 -- /*\n AS \"x */ ; DELETE FROM Calculation --\""_s, u"SELECT 1 -- /* AS \"x */ ; DELETE FROM Calculation --\""_s},
        {u"SELECT 1 --x\vDELETE FROM Calculation"_s, uR"(SELECT 1 --x\x0BDELETE FROM Calculation)"_s},
        {u"SELECT 1 --x\fDELETE FROM Calculation"_s, uR"(SELECT 1 --x\x0CDELETE FROM Calculation)"_s},
        {u"SELECT 1 --x\u0085DELETE FROM Calculation"_s, uR"(SELECT 1 --x\x85DELETE FROM Calculation)"_s},
        {u"SELECT 1 --x\u2028DELETE FROM Calculation"_s, uR"(SELECT 1 --x\u2028DELETE FROM Calculation)"_s},
        // A comment that starts the statement.
        {u"-- DELETE FROM Calculation\r\nSELECT 1"_s, u"-- DELETE FROM Calculation SELECT 1"_s},
        {u"/* DELETE FROM Calculation */SELECT 1"_s, u"/* DELETE FROM Calculation */SELECT 1"_s},
    }, comment);
    // Comments that every server reads alike are refused too: the program's own statements hold none.
    for (const char* sql : {"SELECT 1 /*--*/", "SELECT 1 /* /* -- */ */ AS x", "SELECT 1 /* a */ AS x /* ---- */",
                            "SELECT 1 --\r", "SELECT 1 -- a\r\n-- b\rFROM Calculation", "SELECT 1 AS x --\r--\n",
                            "-- note\r\nSELECT 1 /* a comment */", "SELECT 1 -- a -- b /* c\n AS x", "SELECT 1 --",
                            "SELECT 1 /* - -*/ AS x /*-*/", "SELECT '/* -- */' AS x -- \r\n", "SELECT 1 -- \n\r\n"})
        EXPECT_EQ(GateRefusal(QString::fromUtf8(sql)), kGateRefuses + comment + u": "_s + QString::fromUtf8(sql).simplified())
            << sql;
    // Comment marks inside a literal or a name are text.
    for (const char* sql : {"SELECT '/* -- */' AS [--x/*], N'--' AS \"/**/\"", "SELECT 1 - -1 AS x, 4 / 2 * 3 AS y"})
        EXPECT_EQ(GateRefusal(QString::fromUtf8(sql)), QString()) << sql;
}

TEST(OdbcSelectOnly, RefusesAControlCharacterOutsideALiteralOrABracketedName)
{
    // The engine reads VT, FF, NEL and the Unicode separators as blanks; a server or a
    // driver that ends a line or a statement there would read these otherwise.
    ExpectRefusedThoughTheEngineRunsIt({
        {u"SELECT Name\vFROM Calculation"_s, uR"(SELECT Name\x0BFROM Calculation)"_s},
        {u"SELECT Name \f FROM Calculation"_s, uR"(SELECT Name \x0C FROM Calculation)"_s},
        {u"SELECT Name\u0085FROM Calculation"_s, uR"(SELECT Name\x85FROM Calculation)"_s},
        {u"SELECT Name\u2028FROM Calculation"_s, uR"(SELECT Name\u2028FROM Calculation)"_s},
        {u"SELECT Name FROM Calculation\u2029"_s, uR"(SELECT Name FROM Calculation\u2029)"_s},
        {u"\vSELECT 1"_s, uR"(\x0BSELECT 1)"_s},
        {u"SELECT 1 AS \"a\vb\""_s, uR"(SELECT 1 AS "a\x0Bb")"_s},
        // The first of a comment and a control character names the reason.
        {u"SELECT 1\v-- x"_s, uR"(SELECT 1\x0B-- x)"_s},
    }, u"a control character outside a literal could end a statement"_s);
    // Inside text literals and [bracketed] names they are data; TAB, CR and LF are blanks anywhere.
    for (const QString& sql : {u"SELECT 'a\vb\u2028' AS [c\fd\u0085], N'\x01\x7F\u2029' AS e"_s,
                               u"SELECT Name\r\n\tFROM Calculation\r\n"_s, u"SELECT Name\rFROM\nCalculation"_s})
        EXPECT_EQ(GateRefusal(sql), QString()) << sql.toStdString();
}

TEST(OdbcSelectOnly, ACharacterOutsideTheGrammarIsNamedVisibly)
{
    // A NUL or another control character T-SQL does not know: the engine's error and
    // the gate's (the same number and text) show it as \0 or \xHH, never raw.
    const bkl::db::Connection cn = bkl::test::OpenDemoModel(QLatin1String(bkl::test::kSourceModel));
    const std::pair<QString, QString> refused[] = {
        {u"SELECT 1"_s + QChar(0),
         uR"(Incorrect syntax: unexpected character '\0' (near "\0") in statement: SELECT 1\0)"_s},
        {u"SELECT 1 \x01 AS x"_s,
         uR"(Incorrect syntax: unexpected character '\x01' (near "\x01 AS x") in statement: SELECT 1 \x01 AS x)"_s},
        {u"SELECT\u0090 Name FROM Calculation"_s,
         uR"(Incorrect syntax: unexpected character '\x90' (near "\x90 Name FROM Calculation") in statement: SELECT\x90 Name FROM Calculation)"_s},
    };
    for (const auto& [sql, message] : refused) {
        SCOPED_TRACE(message.toStdString());
        try {
            cn.execute(sql);
            ADD_FAILURE() << "ran";
        } catch (const bkl::db::DbError& e) {
            EXPECT_EQ(e.number(), 102);
            EXPECT_EQ(e.description(), message);
        }
        try {
            RequireSingleSelect(sql);
            ADD_FAILURE() << "not refused";
        } catch (const bkl::db::DbError& e) {
            EXPECT_EQ(e.number(), 102);
            EXPECT_EQ(e.description(), message);
        }
    }
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
        // Values inside a subquery, a derived table and a join condition.
        {"SELECT Name FROM Calculation WHERE CalculationID IN (SELECT CalculationID FROM Calculation WHERE Name = 'a~')",
         "SELECT Name FROM Calculation WHERE CalculationID IN (SELECT CalculationID FROM Calculation WHERE Name = ('a' + "
         "CHAR(0) + ''))"},
        {"SELECT d.x FROM (SELECT N'~' AS x) d", "SELECT d.x FROM (SELECT (N'' + NCHAR(0) + N'') AS x) d"},
        {"SELECT c.Name FROM Calculation c JOIN Calculation d ON d.Name = c.Name AND d.Name <> 'b~'",
         "SELECT c.Name FROM Calculation c JOIN Calculation d ON d.Name = c.Name AND d.Name <> ('b' + CHAR(0) + '')"},
    };
    for (const auto& [in, out] : sent) {
        SCOPED_TRACE(in);
        const QString server = StatementForServer(text(in));
        EXPECT_EQ(server, QString::fromUtf8(out));
        EXPECT_EQ(GateRefusal(server), QString());
    }
    // A Presentor report whose name holds a NUL: its sources are selected by that name in subqueries.
    const QString report = u"Bonus"_s + nul + u"Q1"_s;
    const QString sources = bkl::reports::sql::PresentorReportSources(report);
    EXPECT_EQ(StatementForServer(sources),
              QString(sources).replace(u"'"_s + report + u"'"_s, u"('Bonus' + CHAR(0) + 'Q1')"_s));

    // Joined texts shorter than (max) are cut at 8,000 bytes: a long literal is widened first.
    const QString longText = QString(2001, QLatin1Char('x'));
    EXPECT_EQ(StatementForServer(QStringLiteral("SELECT '%1%2' AS x").arg(longText, nul)),
              QStringLiteral("SELECT (CAST('%1' AS varchar(max)) + CHAR(0) + '') AS x").arg(longText));
    EXPECT_EQ(StatementForServer(QStringLiteral("SELECT N'%1%2' AS x").arg(QString(1999, QLatin1Char('y')), nul)),
              QStringLiteral("SELECT (N'%1' + NCHAR(0) + N'') AS x").arg(QString(1999, QLatin1Char('y'))));

    // A NUL anywhere else has no form the server reads: the driver would end the statement there.
    // Also where the statement holds a NUL inside a value as well.
    for (const char* sql : {"SELECT 1 AS 'a~b'", "SELECT 'a~b' = 1", "SELECT [a~b] FROM Calculation",
                            "SELECT \"~\" FROM Calculation", "SELECT 1 -- ~\nFROM Calculation", "SELECT 1 /* ~ */ AS x",
                            "SELECT Name AS [Bonus~Q1] FROM Calculation WHERE Name = 'Bonus~Q1'",
                            "SELECT N'~' AS x, 'a~' AS 'b~'"}) {
        SCOPED_TRACE(sql);
        EXPECT_TRUE(IsSingleSelect(text(sql)));
        EXPECT_EQ(GateRefusal(text(sql)),
                  kGateRefuses + QStringLiteral("a NUL character outside a text value would cut the statement short: ")
                      + QString::fromUtf8(sql).replace(u"~"_s, uR"(\0)"_s).simplified());
    }
}
