// Folder levels, type names and calendars of calculations.
#include "reports/CalcFolder.h"
#include "reports/CalcTypeAndCalendar.h"
#include "reports/Fragments.h"

#include "ReportTestSupport.h"

using CalcFolder = ReportTest;

namespace {
const char kRootOnlyHtml[] = "<table border='0' width='100%'><tr><td > {f}&nbsp;Calculations (Root)</font></td></tr></table>";
} // namespace

TEST_F(CalcFolder, LevelsFromTheTree)
{
    // A folder name holding "-->" becomes two levels, reversed with the rest of the path.
    EXPECT_EQ(ExportCalculationFolder(source(), 1006, u"Quarterly Bonus"_s),
              " \tCalculations (Root)\r\n        Sales Compensation\r\n            Commissions\r\n"
              "                Quarterly\r\n                    Bonus\r\n                        Quarterly Bonus\r\n\r\n");
    // Without a tree node only the root level, and no log line.
    EXPECT_EQ(GetCalculationFolder(source(), 1016, u"Team Sales Rollup"_s), Html(kRootOnlyHtml));
    EXPECT_EQ(ExportCalculationFolder(source(), 1016, u"Team Sales Rollup"_s), " \tCalculations (Root)\r\n\r\n");
    // Own node with parent 0: two levels.
    EXPECT_EQ(GetCalculationFolder(edge(), 13, u"Tokens One And Twelve"_s),
              Html("<table border='0' width='100%'><tr><td > {f}&nbsp;Calculations (Root)</font></td></tr><tr><td > "
                   "{f}&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;Tokens One And Twelve</font></td></tr></table>"));
    // A folder whose name is blank gives no level.
    EXPECT_EQ(ExportCalculationFolder(edge(), 10, u"Odd Operators"_s),
              " \tCalculations (Root)\r\n        Edge Cases\r\n            Odd Operators\r\n\r\n");
    EXPECT_TRUE(LogMessages().isEmpty());
    // A failing path leaves the root level silently.
    bkl::db::Connection closed;
    EXPECT_EQ(GetCalculationFolder(closed, 1, u"X"_s), Html(kRootOnlyHtml));
    EXPECT_TRUE(LogMessages().isEmpty());
    // "_WR" calculations have no folder and run no query (on the closed connection a
    // query would fail and give the root level rather than the spacer).
    for (const char* name : {"_WR_Dashboard", "  _wr_x", "_Wr"}) {
        EXPECT_EQ(GetCalculationFolder(closed, 7, QLatin1String(name)), QLatin1String(kErrorSpacer)) << name;
        EXPECT_EQ(ExportCalculationFolder(closed, 7, QLatin1String(name)), QString()) << name;
    }
    EXPECT_EQ(GetCalculationFolder(closed, 7, u"W_R"_s), Html(kRootOnlyHtml));
}

TEST_F(CalcFolder, CyclicFolderTreesEndWithAnErrorLine)
{
    EXPECT_EQ(ExportCalculationFolder(edge(), 9, u"Cyclic Folder"_s),
              " \tCalculations (Root)\r\n        Loop B\r\n            Loop A\r\n                Cyclic Folder\r\n\r\n");
    EXPECT_EQ(ExportCalculationFolder(edge(), 18, u"Self Parent Folder"_s),
              " \tCalculations (Root)\r\n        Self Loop\r\n            Self Parent Folder\r\n\r\n");
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], "Function: GetCalculationFolderPath() --> Code: 28 --> Description: Folder node 9101 of "
                      "calculation 9 is reached twice; the tree's parent links form a cycle");
    EXPECT_TRUE(log[1].startsWith("Function: GetCalculationFolderPath() --> Code: 28 --> Description: "
                                  "Folder node 9201 of calculation 18 is reached twice"));
}

TEST_F(CalcFolder, CalendarIsTheTopLevelPeriodOrNothing)
{
    {
        StatementRecorder rec;
        EXPECT_EQ(GetTimeCalendar(source(), u"   "_s), QString());
        EXPECT_TRUE(rec.statements.isEmpty());
    }
    EXPECT_EQ(GetTimeCalendar(source(), u"FISCAL"_s), "FISCAL - Fiscal Calendar");
    EXPECT_TRUE(LogMessages().isEmpty());
    StatementRecorder rec;
    EXPECT_EQ(GetTimeCalendar(source(), u"O'Brien"_s), QString());
    EXPECT_EQ(rec.statements, QStringList{u"SELECT TOP 1 [TIMECAL] = [TimeID]+ ' - ' + [Name] FROM [Time] WHERE "
                                          "[TimeID] = 'O''Brien' AND [Parent] IS NULL"_s});
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith("Function: GetTimeCalendar() --> Code: 3021 --> Description: "));
}

TEST(CalcType, TypeNameReadsTheLeadingNumberExactly)
{
    const std::pair<const char*, const char*> types[] = {
        {"1", "Sort Calculation"}, {" 1", "Sort Calculation"}, {"1.0", "Sort Calculation"},
        {"2", "Time Shift Calculation"}, {"2.0", "Time Shift Calculation"}, {"", "User-Defined Calculation"},
        {"0", "User-Defined Calculation"}, {"3", "User-Defined Calculation"}, {"1.5", "User-Defined Calculation"},
        {"-1", "User-Defined Calculation"}, {"abc", "User-Defined Calculation"}};
    for (const auto& [type, name] : types)
        EXPECT_EQ(GetCalculationTypeName(QLatin1String(type)), QLatin1String(name)) << type;
}
