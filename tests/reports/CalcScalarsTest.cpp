// Calculation type names, operator symbols and indents: no model needed.
#include "reports/CalcFolder.h"
#include "reports/CalcTypeAndCalendar.h"
#include "reports/Fragments.h"
#include "reports/RestrictionTree.h"

#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;

TEST(CalcScalars, TypeNameReadsTheLeadingNumberExactly)
{
    const QString sort = QStringLiteral("Sort Calculation");
    const QString shift = QStringLiteral("Time Shift Calculation");
    const QString user = QStringLiteral("User-Defined Calculation");
    EXPECT_EQ(GetCalculationTypeName(QStringLiteral("1")), sort);
    EXPECT_EQ(GetCalculationTypeName(QStringLiteral(" 1")), sort);
    EXPECT_EQ(GetCalculationTypeName(QStringLiteral("1.0")), sort);
    EXPECT_EQ(GetCalculationTypeName(QStringLiteral("2")), shift);
    EXPECT_EQ(GetCalculationTypeName(QStringLiteral("2.0")), shift);
    for (const char* other : {"", "0", "3", "1.5", "-1", "abc"})
        EXPECT_EQ(GetCalculationTypeName(QLatin1String(other)), user) << other;
}

TEST(CalcScalars, OperatorSymbolsCarryABlankOnEachSide)
{
    const std::pair<const char*, const char*> table[] = {
        {"EQUALS", " = "},           {"GREATERTHANEQUALS", " >= "}, {"LESSTHANEQUALS", " <= "},
        {"ISNULL", " Is Empty "},    {"ISNOTNULL", " Is Not Empty "}, {"GREATERTHAN", " > "},
        {"LESSTHAN", " < "},         {"NOTEQUALS", " <> "},         {" equals ", " = "},
        {"LIKE", " UNKNOWN "},       {"", " UNKNOWN "},             {"\tEQUALS", " UNKNOWN "},
    };
    for (const auto& [word, symbol] : table)
        EXPECT_EQ(GetOperatorSymbol(QLatin1String(word)), QLatin1String(symbol)) << word;
}

TEST(CalcScalars, WrCalculationsHaveNoFolderAndRunNoQuery)
{
    // A closed connection: any query would fail, and the folder path would then
    // give the root level alone rather than the spacer.
    bkl::db::Connection closed;
    for (const char* name : {"_WR_Dashboard", "  _wr_x", "_Wr"}) {
        EXPECT_EQ(GetCalculationFolder(closed, 7, QLatin1String(name)), QLatin1String(kErrorSpacer)) << name;
        EXPECT_EQ(ExportCalculationFolder(closed, 7, QLatin1String(name)), QString()) << name;
    }
    EXPECT_EQ(GetCalculationFolder(closed, 7, QStringLiteral("W_R")),
              QStringLiteral("<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;"
                             "Calculations (Root)</font></td></tr></table>"));
    EXPECT_EQ(ExportCalculationFolder(closed, 7, QStringLiteral("W_R")), QStringLiteral(" \tCalculations (Root)\r\n\r\n"));
}
