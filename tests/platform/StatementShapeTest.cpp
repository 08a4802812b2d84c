// The embedded engine's statement shapes (literals bound as parameters to a statement
// prepared once) answer and fail exactly as each statement translated and prepared
// anew, on the demo model.
#include "StatementCatalog.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/sqlite/EngineTrace.h"
#include "support/DemoModel.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

using namespace bkl;

namespace {

// Both connections to the source model: one with statement shapes, one without.
struct TwoPaths {
    db::Connection shaped;
    db::Connection anew;
    TwoPaths()
    {
        db::sqlite::SetStatementShapesEnabled(false);
        anew = test::OpenDemoModel(QLatin1String(test::kSourceModel));
        db::sqlite::SetStatementShapesEnabled(true);
        shaped = test::OpenDemoModel(QLatin1String(test::kSourceModel));
    }
};

// The rows, fields joined by "|", or "error <number>: <description>".
QStringList Outcome(const db::Connection& cn, const QString& sql)
{
    try {
        QStringList rows;
        for (const auto& row : cn.execute(sql).rows) {
            QStringList fields;
            for (const db::Value& v : row)
                fields << v.toText();
            rows << fields.join(QLatin1Char('|'));
        }
        return rows;
    } catch (const db::DbError& e) {
        return {QStringLiteral("error %1: %2").arg(e.number()).arg(e.description())};
    }
}

} // namespace

TEST(StatementShapes, LiteralsThatSqliteReadsWhilePreparingStayInTheStatement)
{
    TwoPaths paths;
    const auto expectBoth = [&](const QString& sql, const QStringList& want) {
        SCOPED_TRACE(sql.toStdString());
        // Twice each: the second run comes from the kept shape.
        for (int run = 0; run < 2; ++run) {
            EXPECT_EQ(Outcome(paths.shaped, sql), want);
            EXPECT_EQ(Outcome(paths.anew, sql), want);
        }
    };
    const auto error = [](const QString& text, const QString& sql) {
        return QStringList{QStringLiteral("error 1: %1 in statement: %2").arg(text, sql)};
    };
    // A position in parentheses or behind a sign is still a position.
    expectBoth("SELECT TOP 3 Name, CalculationID FROM Calculation ORDER BY (2) DESC",
               {"Gen Metric 00025|1125", "Gen Metric 00024|1124", "Gen Metric 00023|1123"});
    const QString minusOne = "SELECT TOP 3 Name, CalculationID FROM Calculation ORDER BY -1";
    expectBoth(minusOne, error("1st ORDER BY term out of range - should be between 1 and 2", minusOne));
    const QString groupMinusOne = "SELECT Type, COUNT(*) FROM Calculation GROUP BY -1";
    expectBoth(groupMinusOne, error("1st GROUP BY term out of range - should be between 1 and 2", groupMinusOne));
    // A literal under IS NULL is never NULL: the AND is false before LEFT is called.
    expectBoth("SELECT COUNT(*) FROM Calculation t WHERE 1=0 OR LEFT(t.Name, -1) IS NULL AND N'x2' IS NULL", {"0"});
    expectBoth("SELECT COUNT(*) FROM Calculation t WHERE t.Name = 'Total Sales' OR LEFT(t.Name, -1) IS NULL AND 0", {"1"});
    // The ORDER BY of a UNION names a select item by its text.
    expectBoth("SELECT Name + ' (c)' AS D FROM Calculation WHERE CalculationID < 1003 UNION "
               "SELECT Name + ' (c)' FROM Calculation WHERE CalculationID > 1124 ORDER BY Name + ' (c)'",
               {"Gen Metric 00025 (c)", "Region Sales (c)", "Total Sales (c)"});
}

TEST(StatementShapes, TextLiteralsHoldingANulCharacterAnswerOnBothPaths)
{
    // A NUL inside a text is part of the text, bound as a parameter or written into the statement.
    TwoPaths paths;
    const QString nul(QChar(0));
    for (const auto& [sql, want] : std::vector<std::pair<QString, QStringList>>{
             {"SELECT COUNT(*) FROM Calculation WHERE Name <> 'Total" + nul + "Sales'", {"41"}},
             {"SELECT COUNT(*) FROM Calculation WHERE Name = N'Total" + nul + "'", {"0"}},
             {"SELECT LEN('a" + nul + "b') AS N, 'x" + nul + "' + Name AS T FROM Calculation WHERE CalculationID = 1001",
              {"3|x" + nul + "Total Sales"}},
         }) {
        SCOPED_TRACE(sql.toStdString());
        EXPECT_EQ(Outcome(paths.shaped, sql), want);
        EXPECT_EQ(Outcome(paths.anew, sql), want);
    }
}

TEST(StatementShapes, EveryLiteralVariantAnswersAsTheStatementRunAnew)
{
    // Each statement also runs with each literal replaced by numbers, negative and
    // parenthesised numbers and texts: in ORDER BY, GROUP BY, TOP, WHERE, HAVING, ON,
    // function arguments, UNION items and subqueries.
    test::CheckShapesAgree(QLatin1String(test::kSourceModel), {
        "SELECT TOP 3 Name, CalculationID FROM Calculation ORDER BY 2 DESC, 1",
        "SELECT TOP (5) CalculationID FROM Calculation WHERE CalculationID > 1010 ORDER BY 1",
        "SELECT Type, COUNT(*) AS N FROM Calculation GROUP BY Type ORDER BY 2 DESC",
        "SELECT LEFT(Name, 3) AS P, COUNT(*) AS N FROM Calculation GROUP BY LEFT(Name, 3) HAVING COUNT(*) > 1 ORDER BY 2 DESC, 1",
        "SELECT COUNT(*) FROM Calculation t WHERE 1=0 OR LEFT(t.Name, -1) IS NULL AND N'x2' IS NULL",
        "SELECT COUNT(*) FROM Calculation WHERE Name LIKE '%Sales%' OR 'x' IS NOT NULL AND CalculationID > 1000",
        "SELECT Name FROM Calculation WHERE 1 = 1 AND RIGHT(Name, 1) = 's' ORDER BY Name",
        "SELECT TOP 5 CalculationID, Name + ' (' + CAST(CalculationID AS varchar(10)) + ')' AS D FROM Calculation "
        "WHERE CalculationID BETWEEN 1001 AND 1010 ORDER BY CalculationID DESC",
        "SELECT Name FROM Calculation WHERE CalculationID IN (1001, 1003, 1005) ORDER BY Name",
        "SELECT Name + ' (c)' AS D FROM Calculation WHERE CalculationID < 1003 UNION "
        "SELECT Name + ' (c)' FROM Calculation WHERE CalculationID > 1124 ORDER BY Name + ' (c)'",
        "SELECT Name, 1 AS K FROM Calculation WHERE CalculationID < 1003 UNION ALL SELECT Name, 2 FROM CalculationTree ORDER BY 2, 1",
        "SELECT Name FROM Calculation WHERE CHARINDEX('Sales', Name) > 0 AND LEN(Name) > 5 ORDER BY LEN(Name), Name",
        "SELECT SUBSTRING(Name, 2, 3) AS S, UPPER(Name) AS U FROM Calculation WHERE CalculationID = 1001",
        "SELECT COUNT(*) FROM Calculation WHERE NOT (Name = 'Total Sales') AND ISNULL(Comment, 'x') <> ''",
        "SELECT x.N + ' (calc)' AS D FROM (SELECT TOP 4 Name AS N FROM Calculation ORDER BY 1) x ORDER BY 1",
        "SELECT c.Name, (SELECT COUNT(*) FROM Calculation d WHERE d.Type = c.Type AND d.CalculationID < 1010) AS Same "
        "FROM Calculation c WHERE c.CalculationID <= 1005 ORDER BY c.CalculationID",
        "SELECT DISTINCT Type FROM Calculation WHERE Type > -1 ORDER BY Type",
        "SELECT MAX(CalculationID) - 1000 AS M, MIN(Name) AS F FROM Calculation GROUP BY Type HAVING MAX(CalculationID) > 1 ORDER BY 1",
        "SELECT TOP (2) Name FROM Calculation WHERE Name = N'Total Sales' OR Name = 'Region Sales' ORDER BY Name DESC",
        "SELECT COUNT(*) FROM Calculation WHERE (0) = 1 OR LEFT(Name, 2) = 'To'",
        "SELECT t.Name, c.Name FROM CalculationTree t LEFT JOIN Calculation c ON c.CalculationID = t.CalculationID AND 1 = 1 "
        "WHERE t.NodeID < 5 ORDER BY t.NodeID",
        "SELECT COUNT(*) FROM Calculation WHERE EXISTS (SELECT 1 FROM CalculationTree t WHERE t.CalculationID = Calculation.CalculationID AND t.NodeID > 0)",
    });
}
