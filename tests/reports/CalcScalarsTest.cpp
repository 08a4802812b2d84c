// Calculation type names and operator symbols: no model needed.
#include "reports/CalcTypeAndCalendar.h"
#include "reports/RestrictionTree.h"

#include "ReportTestSupport.h"

using namespace bkl::reports;

TEST(CalcScalars, TypeNamesAndOperatorSymbols)
{
    // The type reads the leading number exactly.
    const std::pair<const char*, const char*> types[] = {
        {"1", "Sort Calculation"}, {" 1", "Sort Calculation"}, {"1.0", "Sort Calculation"},
        {"2", "Time Shift Calculation"}, {"2.0", "Time Shift Calculation"}, {"", "User-Defined Calculation"},
        {"0", "User-Defined Calculation"}, {"3", "User-Defined Calculation"}, {"1.5", "User-Defined Calculation"},
        {"-1", "User-Defined Calculation"}, {"abc", "User-Defined Calculation"}};
    for (const auto& [type, name] : types)
        EXPECT_EQ(GetCalculationTypeName(QLatin1String(type)), QLatin1String(name)) << type;
    // Operator symbols carry a blank on each side.
    const std::pair<const char*, const char*> symbols[] = {
        {"EQUALS", " = "},           {"GREATERTHANEQUALS", " >= "}, {"LESSTHANEQUALS", " <= "},
        {"ISNULL", " Is Empty "},    {"ISNOTNULL", " Is Not Empty "}, {"GREATERTHAN", " > "},
        {"LESSTHAN", " < "},         {"NOTEQUALS", " <> "},         {" equals ", " = "},
        {"LIKE", " UNKNOWN "},       {"", " UNKNOWN "},             {"\tEQUALS", " UNKNOWN "}};
    for (const auto& [word, symbol] : symbols)
        EXPECT_EQ(GetOperatorSymbol(QLatin1String(word)), QLatin1String(symbol)) << word;
}
