#include "mainwindow/AdvancedFindStatement.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using bkl::mainwindow::CalendarSearch;
using bkl::mainwindow::DependencySearch;
using bkl::mainwindow::NameCriterion;
using bkl::mainwindow::RestrictionSearch;
using bkl::mainwindow::TimeResetSearch;

namespace {

const QString kRestriction = QStringLiteral(
    "SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation CAL, CalcConstraintTree CCT, "
    "CalcConstraintValue CCV WHERE CAL.CalculationID = CCT.CalculationID And CCV.ConstraintID = CCT.ConstraintID");
const QString kDependency = QStringLiteral(
    "SELECT DISTINCT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation C, CalculationColumnDependency CCD "
    "WHERE C.CalculationID = CCD.CalculationID");
const QString kByCalculation =
    QStringLiteral("SELECT [Name] AS ColName, 'Calculation' AS ColType FROM Calculation WHERE ");

NameCriterion Name(const char* text, bool wholeWord, bool matchCase) { return {QString::fromUtf8(text), wholeWord, matchCase}; }

// With Match Case the statement also lists the names it tests, for the recheck with letter case.
QString WithNames(QString sql, const char* columns)
{
    return sql.insert(sql.indexOf("ColType") + 7, QLatin1String(columns));
}
const char kColumnName[] = ", CCV.ColumnName AS MatchColumnName";

} // namespace

TEST(AdvancedFindStatement, RestrictionColumnByWholeWordAndMatchCase)
{
    const QString value = QStringLiteral(" AND UPPER(CCV.Value)  LIKE '%191%'  ORDER BY ColName");
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", true, true), "191").sql,
              WithNames(kRestriction, kColumnName) + " AND CCV.ColumnName  = 'trxTypeCd' " + value);
    // Match Case alone: a contains-test with "%" on both sides.
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", false, true), "191").sql,
              WithNames(kRestriction, kColumnName) + " AND CCV.ColumnName  LIKE '%trxTypeCd%' " + value);
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", true, false), "191").sql,
              kRestriction + " AND UPPER(CCV.ColumnName)  = 'TRXTYPECD' " + value);
    EXPECT_EQ(RestrictionSearch(Name("trxTypeCd", false, false), "191").sql,
              kRestriction + " AND UPPER(CCV.ColumnName)  LIKE '%TRXTYPECD%' " + value);
}

TEST(AdvancedFindStatement, RestrictionValueAndCriterionLine)
{
    // A blank value looks for restrictions without a value.
    const auto empty = RestrictionSearch(Name("trxTypeCd", false, false), "   ");
    EXPECT_EQ(empty.sql, kRestriction + " AND UPPER(CCV.ColumnName)  LIKE '%TRXTYPECD%'  AND CCV.Value IS NULL  ORDER BY ColName");
    EXPECT_EQ(empty.criterion, "Filter: Column = 'trxTypeCd' - Value IS EMPTY");

    // Typed texts reach the SQL with their blanks, ' doubled; the criterion line shows them trimmed as typed.
    const auto typed = RestrictionSearch(Name(" O'Col ", true, true), " it's_50% ");
    EXPECT_EQ(typed.sql, WithNames(kRestriction, kColumnName) + " AND CCV.ColumnName  = ' O''Col '  AND UPPER(CCV.Value)  LIKE '% IT''S_50% %'  ORDER BY ColName");
    EXPECT_EQ(typed.criterion, "Filter: Column = 'O'Col' - Value = 'it's_50%'");
}

TEST(AdvancedFindStatement, DependencyConditionsByTheirOwnBoxes)
{
    struct Case {
        bool wholeWord, matchCase;
        const char* table;
        const char* column;
    };
    const Case cases[] = {
        {true, true, " AND CCD.TableName = 'Sales' ", " AND CCD.ColumnName = 'Amount' "},
        // Match Case alone: no "%" added, the whole name must match.
        {false, true, " AND CCD.TableName LIKE 'Sales' ", " AND CCD.ColumnName LIKE 'Amount' "},
        {true, false, " AND UPPER(CCD.TableName)  = 'SALES' ", " AND UPPER(CCD.ColumnName)  = 'AMOUNT' "},
        {false, false, " AND UPPER(CCD.TableName)  LIKE '%SALES%' ", " AND UPPER(CCD.ColumnName)  LIKE '%AMOUNT%' "},
    };
    for (const Case& c : cases) {
        const NameCriterion table = Name("Sales", c.wholeWord, c.matchCase);
        const NameCriterion column = Name("Amount", c.wholeWord, c.matchCase);
        const NameCriterion none = Name("  ", !c.wholeWord, !c.matchCase);
        const char* tableName = c.matchCase ? ", CCD.TableName AS MatchTableName" : "";
        const char* columnName = c.matchCase ? ", CCD.ColumnName AS MatchColumnName" : "";
        EXPECT_EQ(DependencySearch(table, none).sql, WithNames(kDependency, tableName) + c.table + " ORDER BY ColName");
        EXPECT_EQ(DependencySearch(none, column).sql, WithNames(kDependency, columnName) + c.column + " ORDER BY ColName");
        EXPECT_EQ(DependencySearch(table, column).sql,
                  WithNames(kDependency, (QByteArray(tableName) + columnName).constData()) + c.table + c.column
                      + " ORDER BY ColName");
    }
    // Each name keeps its own boxes.
    EXPECT_EQ(DependencySearch(Name("Sales%", false, true), Name("amount", true, false)).sql,
              WithNames(kDependency, ", CCD.TableName AS MatchTableName")
                  + " AND CCD.TableName LIKE 'Sales%'  AND UPPER(CCD.ColumnName)  = 'AMOUNT'  ORDER BY ColName");
}

TEST(AdvancedFindStatement, DependencyCriterionLines)
{
    EXPECT_EQ(DependencySearch(Name(" Sales ", false, false), Name("", false, false)).criterion,
              "Filter: Table = 'Sales'");
    EXPECT_EQ(DependencySearch(Name(" ", true, true), Name(" Amount", false, false)).criterion,
              "Filter: Column = 'Amount'");
    EXPECT_EQ(DependencySearch(Name("O'Brien Accounts", false, false), Name("AccountID", false, false)).criterion,
              "Filter: Table = 'O'Brien Accounts' - Column = 'AccountID'");
    EXPECT_EQ(DependencySearch(Name("O'Brien Accounts", true, true), Name("", false, false)).sql,
              WithNames(kDependency, ", CCD.TableName AS MatchTableName") + " AND CCD.TableName = 'O''Brien Accounts'  ORDER BY ColName");
}

TEST(AdvancedFindStatement, CalendarAndTimeResetByStoredValues)
{
    const auto none = CalendarSearch(std::nullopt, "<<None>>");
    EXPECT_EQ(none.sql, kByCalculation + "CalendarUsed IS NULL");
    EXPECT_EQ(none.criterion, "Filter: Calendar Used - <<None>>");

    // The id as stored: a "-" in it and a quote are no trouble.
    const auto dashed = CalendarSearch(QStringLiteral("FY-26 O'B"), "FY-26 O'B - Fiscal");
    EXPECT_EQ(dashed.sql, kByCalculation + "CalendarUsed = 'FY-26 O''B'");
    EXPECT_EQ(dashed.criterion, "Filter: Calendar Used - FY-26 O'B - Fiscal");

    const auto levels = TimeResetSearch("Month", "Quarter", "Month/Quarter");
    EXPECT_EQ(levels.sql, kByCalculation + "TimeLevel = 'Month' AND ResetLevel = 'Quarter'");
    EXPECT_EQ(levels.criterion, "Filter: Time/Reset Level - Month/Quarter");
    EXPECT_EQ(TimeResetSearch("Half/Year", "Year's", "Half/Year/Year's").sql,
              kByCalculation + "TimeLevel = 'Half/Year' AND ResetLevel = 'Year''s'");
}
