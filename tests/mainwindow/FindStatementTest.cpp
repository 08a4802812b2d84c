#include "mainwindow/FindStatement.h"
#include "mainwindow/MatchCase.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using bkl::mainwindow::FindStatement;
using bkl::mainwindow::ObjectKind;

namespace {

// Each kind's statement as the model's SQL expects it, byte for byte (double blanks included):
// unfiltered, with Whole Word and Match Case, and with neither box. The Match-Case-only and
// Whole-Word-only forms follow the filter heads of these and are pinned for each head below.
const struct {
    ObjectKind kind;
    const char* unfiltered;
    const char* wholeWordMatchCase;
    const char* neither;
} kStatements[] = {
    {ObjectKind::Tables, "SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' ORDER BY ColName",
     "SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' AND TableName = 'Sales'ORDER BY ColName",
     "SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' AND UPPER(TableName) LIKE '%SALES%' ORDER BY ColName"},
    {ObjectKind::Views, "SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' ORDER BY ColName",
     "SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' AND TableName = 'Sales'ORDER BY ColName",
     "SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' AND UPPER(TableName) LIKE '%SALES%' ORDER BY ColName"},
    {ObjectKind::Calendars,
     "SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE Parent IS NULL ORDER BY ColName",
     "SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE Parent IS NULL AND [Name] = 'Sales'ORDER BY ColName",
     "SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE Parent IS NULL AND UPPER([Name]) LIKE '%SALES%' ORDER BY ColName"},
    {ObjectKind::Calculations, "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation ORDER BY ColName",
     "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND [Name] = 'Sales' ORDER BY ColName",
     "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND UPPER([Name]) LIKE '%SALES%' ORDER BY ColName"},
    {ObjectKind::CompensationPlans,
     "SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM CompPlan ORDER BY ColName",
     "SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM CompPlan WHERE 1 = 1 AND [Name] = 'Sales' ORDER BY ColName",
     "SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM CompPlan WHERE 1 = 1 AND UPPER([Name]) LIKE '%SALES%' ORDER BY ColName"},
    {ObjectKind::TailoredReports,
     "SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport ORDER BY ColName",
     "SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport WHERE 1 = 1 AND [Name] = 'Sales' ORDER BY ColName",
     "SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport WHERE 1 = 1 AND UPPER([Name]) LIKE '%SALES%' ORDER BY ColName"},
    {ObjectKind::PresentorReports, "SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport ORDER BY ColName",
     "SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE [Name] = 'Sales' ORDER BY ColName",
     "SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE  UPPER([Name]) LIKE '%SALES%' ORDER BY ColName"},
};

} // namespace

TEST(MainWindowFindStatement, EveryKindWithEveryFilterForm)
{
    for (const auto& e : kStatements) {
        SCOPED_TRACE(static_cast<int>(e.kind));
        EXPECT_EQ(FindStatement(e.kind, "", false, false), e.unfiltered);
        EXPECT_EQ(FindStatement(e.kind, "Sales", true, true), e.wholeWordMatchCase);
        EXPECT_EQ(FindStatement(e.kind, "Sales", false, false), e.neither);
        // A blank text lists everything whatever the boxes.
        EXPECT_EQ(FindStatement(e.kind, "   ", true, true), e.unfiltered);
        EXPECT_EQ(FindStatement(e.kind, "", true, false), e.unfiltered);
    }
    // Match Case alone and Whole Word alone, after each filter head.
    EXPECT_EQ(FindStatement(ObjectKind::Tables, "Sales", false, true),
              "SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' AND TableName LIKE '%Sales%' ORDER BY ColName");
    EXPECT_EQ(FindStatement(ObjectKind::Calendars, "Sales", true, false),
              "SELECT '(' + TimeID + ') ' + [Name] AS ColName, 'Calendar' AS ColType FROM [Time] WHERE Parent IS NULL AND UPPER([Name]) = 'SALES' ORDER BY ColName");
    EXPECT_EQ(FindStatement(ObjectKind::CompensationPlans, "Sales", false, true),
              "SELECT '(' + CompPlanID + ') ' + [Name] AS ColName, 'Compensation Plan' AS ColType FROM CompPlan WHERE 1 = 1 AND [Name] LIKE '%Sales%' ORDER BY ColName");
    EXPECT_EQ(FindStatement(ObjectKind::TailoredReports, "Sales", true, false),
              "SELECT '(' + ID + ') ' + [Name] AS ColName, 'Tailored Report' AS ColType FROM TailoredReport WHERE 1 = 1 AND UPPER([Name]) = 'SALES' ORDER BY ColName");
    EXPECT_EQ(FindStatement(ObjectKind::PresentorReports, "Sales", false, true),
              "SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE [Name] LIKE '%Sales%' ORDER BY ColName");
    EXPECT_EQ(FindStatement(ObjectKind::PresentorReports, "Sales", true, false),
              "SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE UPPER([Name]) = 'SALES' ORDER BY ColName");
}

TEST(MainWindowFindStatement, TextIsUsedAsTypedWithQuotesDoubledAndWildcardsKept)
{
    // Blanks at either end stay; the text is upper-cased without Match Case.
    EXPECT_EQ(FindStatement(ObjectKind::Calculations, " abc", false, false),
              "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND UPPER([Name]) LIKE '% ABC%' ORDER BY ColName");
    // A single quote is doubled, so the name O'Brien is found and the statement stays one literal.
    EXPECT_EQ(FindStatement(ObjectKind::Tables, "O'Brien", true, true),
              "SELECT TableName AS ColName, 'Table' AS ColType FROM CustomTable WHERE TableType <> 'View' AND TableName = 'O''Brien'ORDER BY ColName");
    EXPECT_EQ(FindStatement(ObjectKind::PresentorReports, "x'; DROP TABLE y --", false, true),
              "SELECT [Name] AS ColName, 'Presentor Report' AS ColType FROM WebReport WHERE [Name] LIKE '%x''; DROP TABLE y --%' ORDER BY ColName");
    // %, _ and [ are the user's wildcards.
    EXPECT_EQ(FindStatement(ObjectKind::Views, "a%b_[c]", false, true),
              "SELECT TableName AS ColName, 'View' AS ColType FROM CustomTable WHERE TableType = 'View' AND TableName LIKE '%a%b_[c]%' ORDER BY ColName");
    // Upper-casing is Unicode-aware.
    EXPECT_EQ(FindStatement(ObjectKind::Calculations, QStringLiteral("straße"), true, false),
              QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE 1 = 1 AND UPPER([Name]) = 'STRASSE' ORDER BY ColName"));
}

TEST(MainWindowFindStatement, MatchCaseRecheckKeepsLikeAndEqualityRules)
{
    using bkl::mainwindow::FoundRowMatches;
    using bkl::mainwindow::MatchesCase;
    struct Case {
        const char* name;
        const char* text;
        bool wholeWord, containing, matches;
    };
    const Case cases[] = {
        {"Total Sales", "sales", false, true, false},    {"Total Sales", "Sales", false, true, true},
        {"Total Sales", "Total Sales ", true, true, true}, {"Total Sales", "total sales", true, true, false},
        {"Total Sales", "T%S", false, true, true},       {"Total Sales", "tal s", false, true, false},
        {"Sales_2026", "s_les", false, true, false},     {"Sales_2026", "S_les[_]2", false, true, true},
        {"Sales", "[A-Z]ales", false, false, true},      {"sales", "[A-Z]ales", false, false, false},
        {"Sales", "[^s]ales", false, false, true},       {"Sales", "Sal", false, false, false},
        {"a.b*c", "a.b*c", false, false, true},          {"axb*c", "a.b*c", false, false, false},
        {"[x", "[x", false, false, true},                {"Sales", "", false, false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MatchesCase(c.name, c.text, c.wholeWord, c.containing), c.matches) << c.name << " / " << c.text;
    // The id of an "(id) name" text is no part of the name; without Match Case or with a blank text every row stands.
    EXPECT_FALSE(FoundRowMatches(ObjectKind::CompensationPlans, "(SM2026) Sales Plan", "SM2026", false, true));
    EXPECT_TRUE(FoundRowMatches(ObjectKind::CompensationPlans, "(SM2026) Sales Plan", "Sales Plan", true, true));
    EXPECT_TRUE(FoundRowMatches(ObjectKind::Calculations, "Total Sales", "sales", false, false));
    EXPECT_TRUE(FoundRowMatches(ObjectKind::Calculations, "Total Sales", "  ", false, true));
}
