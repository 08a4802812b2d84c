#include "platform/db/DbError.h"
#include "platform/db/sqlite/TsqlErrors.h"
#include "platform/db/sqlite/StatementShape.h"
#include "platform/db/sqlite/TsqlLike.h"
#include "platform/db/sqlite/TsqlParser.h"
#include "platform/db/sqlite/TsqlTranslator.h"

#include <QCollator>
#include <QLocale>
#include <gtest/gtest.h>
#include <tuple>

using namespace bkl::db;
using namespace bkl::db::sqlite;

namespace {

// The columns the translator may ask about, as a model file declares them.
std::optional<std::vector<ColumnType>> testSchema(const QString& table)
{
    const QString t = table.toLower();
    if (t == QLatin1String("calculation"))
        return std::vector<ColumnType>{{"CalculationID", "INTEGER"}, {"Name", "nvarchar(50)"}, {"Type", "int"},
                                       {"TimeLevel", "varchar(20)"}, {"ResetLevel", "varchar(20)"}};
    if (t == QLatin1String("calculationpartition"))
        return std::vector<ColumnType>{{"CalculationID", "int"}, {"Order", "int"}, {"Name", "nvarchar(50)"}};
    if (t == QLatin1String("time"))
        return std::vector<ColumnType>{{"TimeID", "varchar(10)"}, {"Name", "nvarchar(50)"}, {"Parent", "int"},
                                       {"Starting", "datetime"}};
    if (t == QLatin1String("mystery"))
        return std::vector<ColumnType>{{"A", ""}, {"B", ""}};
    return std::nullopt;
}

std::string tr(const QString& sql) { return TranslateTsql(sql, testSchema).toStdString(); }

long errorNumber(const QString& sql)
{
    try {
        TranslateTsql(sql, testSchema);
    } catch (const DbError& e) {
        EXPECT_EQ(e.source(), QString::fromLatin1(kEngineSource));
        EXPECT_FALSE(e.description().isEmpty());
        return e.number();
    }
    return 0;
}

} // namespace

TEST(EngineTranslator, AliasAssignmentIsNeverAComparison)
{
    // [Name] is also a column: read as a comparison the row would hold 0/1.
    EXPECT_EQ(tr("SELECT [Name] = [Type] FROM Calculation"), R"(SELECT "Type" AS "Name" FROM "Calculation")");
    EXPECT_EQ(tr("SELECT [CALCID]=[CalculationID], [CALCNAME]=[Name] FROM [Calculation] WHERE [Name] = 'A'"),
              R"(SELECT "CalculationID" AS "CALCID", "Name" AS "CALCNAME" FROM "Calculation" WHERE "Name" COLLATE BKL_CI = 'A')");
    EXPECT_EQ(tr("SELECT 'Type' = [Name] FROM Calculation"), R"(SELECT "Name" AS "Type" FROM "Calculation")");
    EXPECT_EQ(tr("SELECT UserID AS AUDITUSERID, Event AUDITEVENT FROM Audit"),
              R"(SELECT "UserID" AS "AUDITUSERID", "Event" AS "AUDITEVENT" FROM "Audit")");
    // A comparison elsewhere in a select list is a T-SQL syntax error, not a silent 0/1 column.
    EXPECT_EQ(errorNumber("SELECT c.Name = 1 FROM Calculation c"), engine_err::Syntax);
}

TEST(EngineTranslator, TopBecomesLimitAndOnlyWholeCountsAreAccepted)
{
    EXPECT_EQ(tr("SELECT TOP 1 [Name] FROM Calculation ORDER BY [Name]"),
              R"(SELECT "Name" FROM "Calculation" ORDER BY "Name" COLLATE BKL_CI LIMIT 1)");
    EXPECT_EQ(tr("SELECT DISTINCT TOP (5) [Type] FROM Calculation"), R"(SELECT DISTINCT "Type" FROM "Calculation" LIMIT 5)");
    EXPECT_EQ(errorNumber("SELECT TOP 12.5 [Name] FROM Calculation"), engine_err::InvalidTop);
    EXPECT_EQ(errorNumber("SELECT TOP -5 [Name] FROM Calculation"), engine_err::InvalidTop);
    EXPECT_EQ(errorNumber("SELECT TOP x [Name] FROM Calculation"), engine_err::InvalidTop);
    EXPECT_EQ(errorNumber("SELECT TOP 10 PERCENT [Name] FROM Calculation"), engine_err::Unsupported);
}

TEST(EngineTranslator, PlusJoinsTextsButAddsNumbers)
{
    EXPECT_EQ(tr("SELECT '(' + TimeID + ') ' + [Name] AS ColName FROM [Time] WHERE Parent IS NULL"),
              R"(SELECT '(' || "TimeID" || ') ' || "Name" AS "ColName" FROM "Time" WHERE "Parent" IS NULL)");
    EXPECT_EQ(tr("SELECT TOP 1 [TIMECAL] = [TimeID]+ ' - ' + [Name] FROM [Time]"),
              R"(SELECT "TimeID" || ' - ' || "Name" AS "TIMECAL" FROM "Time" LIMIT 1)");
    EXPECT_EQ(tr("SELECT [PARTITIONORDER] = [Order] + 1 FROM CalculationPartition ORDER BY [PARTITIONORDER]"),
              R"(SELECT "Order" + 1 AS "PARTITIONORDER" FROM "CalculationPartition" ORDER BY "PARTITIONORDER")");
    // Two text columns and no literal: still a concatenation, from the declared types.
    EXPECT_EQ(tr("SELECT DISTINCT (TimeLevel + '/' +  ResetLevel) TIMERESET FROM Calculation"),
              R"(SELECT DISTINCT ("TimeLevel" || '/' || "ResetLevel") COLLATE BKL_CI AS "TIMERESET" FROM "Calculation")");
    EXPECT_EQ(tr("SELECT c.TimeLevel + c.ResetLevel FROM Calculation c"),
              R"(SELECT "c"."TimeLevel" || "c"."ResetLevel" FROM "Calculation" AS "c")");
    EXPECT_EQ(tr("SELECT CAST(CalculationID AS varchar(10)) + '.' FROM Calculation"),
              R"(SELECT substr(CAST("CalculationID" AS TEXT), 1, 10) || '.' FROM "Calculation")");
    EXPECT_EQ(tr("SELECT (CalculationID + 1) * 2 FROM Calculation"), R"(SELECT ("CalculationID" + 1) * 2 FROM "Calculation")");
    // A derived table's column and a subquery have no declared type: a text beside them makes '+' a join.
    EXPECT_EQ(tr("SELECT x.N + ' (calc)' FROM (SELECT Name AS N FROM Calculation) x"),
              R"(SELECT "x"."N" || ' (calc)' FROM (SELECT "Name" AS "N" FROM "Calculation") AS "x")");
    EXPECT_EQ(tr("SELECT (SELECT MAX(A) FROM Mystery) + '.' AS D"), R"(SELECT (SELECT max("A" COLLATE BKL_CI) FROM "Mystery") || '.' AS "D")");
    // Undecidable or mixed operands are refused rather than guessed.
    EXPECT_EQ(errorNumber("SELECT A + B FROM Mystery"), engine_err::AmbiguousPlus);
    EXPECT_EQ(errorNumber("SELECT CalculationID + '.' FROM Calculation"), engine_err::AmbiguousPlus);
}

TEST(EngineTranslator, LiteralsAreKeptByteForByte)
{
    EXPECT_EQ(tr("SELECT 'It''s -- not a comment /* nor this */ [x] + y' AS T"),
              R"(SELECT 'It''s -- not a comment /* nor this */ [x] + y' AS "T")");
    EXPECT_EQ(tr("SELECT N'Größe ''ü''' AS T -- trailing comment"), R"(SELECT 'Größe ''ü''' AS "T")");
    EXPECT_EQ(tr("SELECT [Name] FROM Calculation WHERE [Name] = '  padded  '"),
              R"(SELECT "Name" FROM "Calculation" WHERE "Name" COLLATE BKL_CI = '  padded  ')");
    EXPECT_EQ(tr("SELECT [a]]b] FROM [Calculation]"), R"(SELECT "a]b" FROM "Calculation")");
}

TEST(EngineTranslator, BlockCommentsNestAsOnTheServer)
{
    // A "/*" inside a comment needs its own "*/": what looks like the end may still be inside.
    EXPECT_EQ(tr("SELECT 1 /* /* */ AS [x*/ AS y"), R"(SELECT 1 AS "y")");
    EXPECT_EQ(tr("SELECT /* a /* b /* c */ */ -- ' [ \n */ 2 AS n"), R"(SELECT 2 AS "n")");
    EXPECT_EQ(tr("SELECT 2 /* a */* 3 AS n"), R"(SELECT 2 * 3 AS "n")");
    EXPECT_EQ(errorNumber("SELECT 1 /* /* */ AS [x*/ DELETE FROM Calculation --]"), engine_err::Syntax);
    for (const char* unclosed : {"SELECT 1 /* /* */", "SELECT 1 /* /* /* */ */", "SELECT 1 /*/"}) {
        try {
            TranslateTsql(QString::fromLatin1(unclosed), testSchema);
            ADD_FAILURE() << "no error: " << unclosed;
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), engine_err::Syntax) << unclosed;
            EXPECT_TRUE(e.description().startsWith("Missing end comment mark '*/'")) << e.description().toStdString();
        }
    }
}

TEST(EngineTranslator, UnescapedQuoteAndUnknownSyntaxAreErrors)
{
    // A name typed with an unescaped quote breaks the statement: it must fail, not run something else.
    EXPECT_EQ(errorNumber("SELECT [Name] FROM Calculation WHERE [Name] = 'O'Brien'"), engine_err::UnclosedQuote);
    EXPECT_EQ(errorNumber("SELECT [Name] FROM Calculation WHERE [Name] = 'O'Brien''"), engine_err::Syntax);
    EXPECT_EQ(errorNumber("SELECT foo(1)"), engine_err::UnknownFunction);
    EXPECT_EQ(errorNumber("SELECT CASE WHEN 1 = 1 THEN 1 END"), engine_err::Unsupported);
    EXPECT_EQ(errorNumber("SELECT x FROM other.dbo.Calculation"), engine_err::Unsupported);
    EXPECT_EQ(errorNumber("SELECT name FROM sys.objects"), engine_err::Unsupported);
    EXPECT_EQ(errorNumber("DELETE FROM Calculation"), engine_err::ReadOnly);
    EXPECT_EQ(errorNumber("SELECT 1; DROP TABLE Calculation"), engine_err::Syntax);
    EXPECT_EQ(errorNumber("SELECT [Name] INTO Copy FROM Calculation"), engine_err::ReadOnly);
    EXPECT_EQ(errorNumber("SELECT [Name] FROM"), engine_err::Syntax);
    EXPECT_EQ(errorNumber(""), engine_err::Syntax);
    try {
        TranslateTsql("SELECT TOP 12.5 [Name] FROM Calculation", testSchema);
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains("12.5")) << e.description().toStdString();
    }
}

TEST(EngineTranslator, ComparisonsOrderingAndGroupingUseTheCaseInsensitiveCollation)
{
    EXPECT_EQ(tr("SELECT COUNT(1) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE' "
                 "AND UPPER(TABLE_CATALOG) = 'M1'  AND UPPER(TABLE_NAME) IN ('CALCULATION', 'AUDIT')"),
              R"(SELECT count(1) FROM "bkl_information_schema_tables" AS "TABLES" WHERE ("TABLE_TYPE" COLLATE BKL_CI = 'BASE TABLE'))"
              R"( AND (bkl_upper("TABLE_CATALOG") COLLATE BKL_CI = 'M1') AND (bkl_upper("TABLE_NAME") COLLATE BKL_CI IN ('CALCULATION', 'AUDIT')))");
    EXPECT_EQ(tr("SELECT [TableName] = so.name, [RowCount] = MAX(si.Rows) FROM sysobjects so, sysindexes si "
                 "WHERE so.xtype = 'U' AND si.id = OBJECT_ID(so.name) GROUP BY so.Name "),
              R"(SELECT "so"."name" AS "TableName", max("si"."Rows" COLLATE BKL_CI) AS "RowCount" FROM "sysobjects" AS "so", "sysindexes" AS "si")"
              R"( WHERE ("so"."xtype" COLLATE BKL_CI = 'U') AND ("si"."id" COLLATE BKL_CI = bkl_object_id("so"."name")))"
              R"( GROUP BY "so"."Name" COLLATE BKL_CI)");
    EXPECT_EQ(tr("SELECT [Name] FROM Calculation WHERE CalculationID = 5 ORDER BY 1 DESC"),
              R"(SELECT "Name" FROM "Calculation" WHERE "CalculationID" = 5 ORDER BY 1 COLLATE BKL_CI DESC)");
    // Numbers and date/times keep their own order; texts of unknown type are compared as texts.
    EXPECT_EQ(tr("SELECT [Type], Starting AS S FROM Calculation, [Time] ORDER BY 1, S DESC"),
              R"(SELECT "Type", "Starting" AS "S" FROM "Calculation", "Time" ORDER BY 1, "S" DESC)");
    EXPECT_EQ(tr("SELECT MAX([Name]), COUNT(DISTINCT TimeLevel) FROM Calculation WHERE TimeLevel BETWEEN 'a' AND 'm'"),
              R"(SELECT max("Name" COLLATE BKL_CI), count(DISTINCT "TimeLevel" COLLATE BKL_CI) FROM "Calculation")"
              R"( WHERE "TimeLevel" COLLATE BKL_CI BETWEEN 'a' AND 'm')");
    EXPECT_EQ(tr("SELECT [Name] FROM dbo.Calculation WITH (NOLOCK) WHERE [Name] LIKE '%[_]x%' AND [Name] NOT LIKE 'a%'"),
              R"(SELECT "Name" FROM "Calculation" WHERE ("Name" LIKE '%[_]x%') AND ("Name" NOT LIKE 'a%'))");
}

TEST(EngineTranslator, FunctionsJoinsSubqueriesAndUnions)
{
    EXPECT_EQ(tr("SELECT distinct(left([name], charindex('.', [name])-1)) AS CALCNAME FROM sys.columns "
                 "WHERE object_id IN (SELECT object_id FROM sys.views WHERE [name] = 'V')"),
              R"(SELECT DISTINCT (bkl_left("name", bkl_charindex('.', "name") - 1)) COLLATE BKL_CI AS "CALCNAME")"
              R"( FROM "bkl_sys_columns" AS "columns" WHERE "object_id" COLLATE BKL_CI IN)"
              R"( (SELECT "object_id" FROM "bkl_sys_views" AS "views" WHERE "name" COLLATE BKL_CI = 'V'))");
    EXPECT_EQ(tr("SELECT c.[Name], p.Name FROM Calculation c LEFT OUTER JOIN CalculationPartition p ON p.CalculationID = c.CalculationID "
                 "INNER JOIN [Time] t ON t.Name = p.Name"),
              R"(SELECT "c"."Name", "p"."Name" FROM "Calculation" AS "c" LEFT OUTER JOIN "CalculationPartition" AS "p")"
              R"( ON "p"."CalculationID" = "c"."CalculationID" INNER JOIN "Time" AS "t" ON "t"."Name" COLLATE BKL_CI = "p"."Name")");
    EXPECT_EQ(tr("SELECT [Name] AS N FROM Calculation UNION SELECT [Name] FROM [Time] ORDER BY N"),
              R"(SELECT "Name" COLLATE BKL_CI AS "N" FROM "Calculation" UNION SELECT "Name" COLLATE BKL_CI AS "Name" FROM "Time")"
              R"( ORDER BY "N" COLLATE BKL_CI)");
    EXPECT_EQ(tr("SELECT ISNULL(TimeLevel, '') + LTRIM(RTRIM(ResetLevel)), LEN([Name]) FROM Calculation"),
              R"(SELECT ifnull("TimeLevel", '') || ltrim(rtrim("ResetLevel")), bkl_len("Name") FROM "Calculation")");
    EXPECT_EQ(errorNumber("SELECT TOP 1 [Name] FROM Calculation UNION SELECT [Name] FROM [Time]"), engine_err::Unsupported);
}

TEST(EngineTranslator, LikePatternsFollowTsql)
{
    // An unclosed [ stands for itself; ranges follow the collation, so "Á" is in [a-c].
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"%RES%", "_result1", true}, {"a_c", "ABC", true}, {"a_c", "abbc", false}, {"[abc]%", "Beta", true},
        {"[abc]%", "delta", false}, {"[a-c]1", "b1", true}, {"[a-c]1", "Á1", true}, {"[a-c]1", "d1", false},
        {"[^a]%", "xyz", true}, {"[^a]%", "Axyz", false}, {"%[_]Result%", "Calc_Result12", true},
        {"%[_]Result%", "CalcResult12", false}, {"%ÄRGER%", "großer ärger", true}, {"%%", "", true},
        {"a[b", "a[b", true}, {"%a%b%c", "xxaxxbxxbc", true}};
    for (const auto& [pattern, text, matches] : cases)
        EXPECT_EQ(TsqlLikePattern(QString::fromUtf8(pattern)).matches(QString::fromUtf8(text)), matches)
            << pattern << " " << text;
}

TEST(EngineTranslator, CollationIgnoresCaseAndTrailingBlanksAndOrdersLikeTheServer)
{
    EXPECT_EQ(CompareCaseInsensitive("Orders", "ORDERS  "), 0);
    EXPECT_NE(CompareCaseInsensitive("Orders", "  Orders"), 0);
    EXPECT_EQ(CompareCaseInsensitive("straße", "STRASSE") == 0, false); // accent/letter sensitive
    EXPECT_EQ(CompareCaseInsensitive("ärger", "ÄRGER"), 0);
    EXPECT_LT(CompareCaseInsensitive("alpha", "Beta"), 0);
    EXPECT_LT(CompareCaseInsensitive("model", "Model1"), 0);
    EXPECT_LT(CompareCaseInsensitive("Model1", "msdb"), 0);
    EXPECT_LT(CompareCaseInsensitive("_Result1", "Alpha"), 0);
    EXPECT_LT(CompareCaseInsensitive("a b", "ab"), 0);
}

TEST(EngineTranslator, CollationOverUtf8BytesOrdersExactlyAsOverTexts)
{
    // SQLite hands the collation UTF-8 bytes; their order must be the text order, for
    // plain names (compared in place) and for everything else (decoded first) alike.
    const QStringList texts{"",        " ",        "a",         "A ",      "ab",     "a b",     "aB1",   "Ab2",
                            "model",   "Model1",   "msdb",      "Z9",      "z10",    "_Result1", "Alpha", "alpha.",
                            "Ärger",   "ärger ",   "arger",     "straße",  "STRASSE", "O'Brien", "o brien", "Ωmega",
                            "Rates <2026> & more", "rates 2026", "\t tab", "9 lives", "Dangling List Table  ",
                            "Total Sales.Value", "Total Sales2.", "a-b", "a_b", "a.b", "(X) y", "a~", "a{"};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    QCollator collator(QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto collatorOrder = [&](QString a, QString b) {
        while (a.endsWith(QLatin1Char(' ')))
            a.chop(1);
        while (b.endsWith(QLatin1Char(' ')))
            b.chop(1);
        const int r = collator.compare(a, b);
        return r != 0 ? r : a.compare(b, Qt::CaseInsensitive);
    };
    for (const QString& a : texts)
        for (const QString& b : texts) {
            const QByteArray x = a.toUtf8(), y = b.toUtf8();
            EXPECT_EQ(sign(CompareCaseInsensitiveUtf8(x.constData(), x.size(), y.constData(), y.size())),
                      sign(CompareCaseInsensitive(a, b)))
                << a.toStdString() << " vs " << b.toStdString();
            // Plain names take a fast path; the order stays the collator's.
            EXPECT_EQ(sign(CompareCaseInsensitive(a, b)), sign(collatorOrder(a, b))) << a.toStdString() << " vs " << b.toStdString();
        }
}

TEST(EngineTranslator, ShapesBindTheLiteralsWhoseValueCannotChangeTheStatement)
{
    // TOP counts, type lengths, function arguments (a LEFT length, the separator an index
    // was built on), ORDER BY positions and the literals of a column without a name (its
    // name is its text) stay in the text; the rest become parameters, in statement order.
    const QString sql = QStringLiteral(
        "SELECT TOP 5 [N] = [Name] + '.', left([Name], 3) AS L, CAST(CalculationID AS varchar(10)) AS C, 'x' + [Name] "
        "FROM Calculation WHERE CalculationID IN (7, 8) AND charindex('.', [Name]) = 0 AND [Name] = N'it''s' ORDER BY 1");
    StatementShape shape;
    ASSERT_TRUE(shape.split(sql));
    EXPECT_EQ(shape.positions().size(), 11u);
    const TranslatedShape t = TranslateTsqlShape(sql, testSchema, shape.positions());
    EXPECT_EQ(t.sql.toStdString(),
              R"(SELECT "Name" || ?2 AS "N", bkl_left("Name", 3) AS "L", substr(CAST("CalculationID" AS TEXT), 1, 10) AS "C",)"
              R"( 'x' || "Name" FROM "Calculation" WHERE ("CalculationID" IN (?6, ?7)) AND)"
              R"( (bkl_charindex('.', "Name") = ?9) AND ("Name" COLLATE BKL_CI = ?10) ORDER BY 1 COLLATE BKL_CI LIMIT 5)");
    EXPECT_EQ(t.parameters, (std::vector<int>{1, 5, 6, 8, 9}));
    EXPECT_EQ(std::get<QByteArray>(shape.value(9)), QByteArray("it's"));
    EXPECT_EQ(std::get<qint64>(shape.value(5)), 7);
    // Statements that differ only in parameters share a skeleton; a kept literal makes its own key.
    StatementShape other;
    ASSERT_TRUE(other.split(QString(sql).replace(QLatin1String("(7, 8)"), QLatin1String("(9, 10)"))));
    EXPECT_EQ(other.skeleton(), shape.skeleton());
    EXPECT_EQ(other.key(t.parameters), shape.key(t.parameters));
    ASSERT_TRUE(other.split(QString(sql).replace(QLatin1String("TOP 5"), QLatin1String("TOP 6"))));
    EXPECT_NE(other.key(t.parameters), shape.key(t.parameters));
    EXPECT_FALSE(other.split(QStringLiteral("SELECT '\x01S'")));
}

TEST(EngineTranslator, ShapesKeepTheLiteralsSqliteReadsWhilePreparing)
{
    // ORDER BY and GROUP BY terms (a position also in parentheses or behind a sign), the
    // items of a UNION with ORDER BY, and literals standing as a condition or under IS
    // NULL stay in the text; the others beside them are still parameters.
    const auto shaped = [](const QString& sql) {
        StatementShape shape;
        EXPECT_TRUE(shape.split(sql));
        return TranslateTsqlShape(sql, testSchema, shape.positions()).sql.toStdString();
    };
    EXPECT_EQ(shaped("SELECT Type, COUNT(*) AS N FROM Calculation WHERE Name = 'a' OR 1 AND 'x' IS NULL AND NOT (0) "
                     "GROUP BY Type, -1 HAVING COUNT(*) > 2 ORDER BY (2) DESC, Type + 3"),
              R"(SELECT "Type", count(*) AS "N" FROM "Calculation" WHERE ("Name" COLLATE BKL_CI = ?1) OR (1 AND ('x' IS NULL))"
              R"( AND (NOT (0))) GROUP BY "Type", (-1) HAVING count(*) > ?6 ORDER BY (2) DESC, ("Type" + 3))");
    EXPECT_EQ(shaped("SELECT Name + '.' AS D FROM Calculation WHERE Type = 1 UNION SELECT Name + '.' AS E FROM Calculation "
                     "ORDER BY Name + '.'"),
              R"(SELECT ("Name" || '.') COLLATE BKL_CI AS "D" FROM "Calculation" WHERE "Type" = ?2 UNION)"
              R"( SELECT ("Name" || '.') COLLATE BKL_CI AS "E" FROM "Calculation" ORDER BY ("Name" || '.') COLLATE BKL_CI)");
    EXPECT_EQ(shaped("SELECT Name + '.' AS D FROM Calculation WHERE Type = 1 UNION SELECT Name + '.' AS E FROM Calculation"),
              R"(SELECT ("Name" || ?1) COLLATE BKL_CI AS "D" FROM "Calculation" WHERE "Type" = ?2 UNION)"
              R"( SELECT ("Name" || ?3) COLLATE BKL_CI AS "E" FROM "Calculation")");
}

TEST(EngineTranslator, NestingDeeperThan200LevelsIsRefused)
{
    const auto repeated = [](const char* piece, int n) { return QString::fromLatin1(piece).repeated(n); };
    const QString deep[] = {
        QStringLiteral("SELECT ") + repeated("(", 7900) + QStringLiteral("1") + repeated(")", 7900),
        QStringLiteral("SELECT 1 WHERE ") + repeated("NOT ", 20000) + QStringLiteral("1=1"),
        QStringLiteral("SELECT 1 WHERE 1 IN ") + repeated("(SELECT 1 WHERE 1 IN ", 150) + QStringLiteral("(1)") + repeated(")", 150),
        QStringLiteral("SELECT 1") + repeated(" + 1", 5000),
        QStringLiteral("SELECT 1 WHERE 1=1") + repeated(" AND 1=1", 5000),
        QStringLiteral("SELECT ") + repeated("- ", 5000) + QStringLiteral("1"),
    };
    for (const QString& sql : deep) {
        EXPECT_EQ(errorNumber(sql), engine_err::TooDeep) << sql.left(60).toStdString();
    }
    EXPECT_EQ(errorNumber(QStringLiteral("SELECT ") + repeated("(", kMaxNestingDepth) + QStringLiteral("1")
                          + repeated(")", kMaxNestingDepth)),
              engine_err::TooDeep);
    EXPECT_NO_THROW(TranslateTsql(QStringLiteral("SELECT ") + repeated("(", 150) + QStringLiteral("1") + repeated(")", 150), testSchema));
    EXPECT_NO_THROW(TranslateTsql(QStringLiteral("SELECT 1 WHERE 1 IN ") + repeated("(SELECT 1 WHERE 1 IN ", 40) + QStringLiteral("(1)")
                                      + repeated(")", 40),
                                  testSchema));
}
