// Folder levels and calendars of calculations on the demo models.
#include "reports/CalcFolder.h"
#include "reports/CalcTypeAndCalendar.h"

#include "CalcTestSupport.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;
using namespace bkl::test;

namespace {
const QString kRootOnlyHtml = QStringLiteral(
    "<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;Calculations (Root)</font></td></tr></table>");
const QString kRootOnlyText = QStringLiteral(" \tCalculations (Root)\r\n\r\n");
} // namespace

TEST(CalcFolder, PathAndLevelsFromTheTree)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kSourceModel));
    EXPECT_EQ(GetCalculationFolderPath(cn, 1005, 0),
              QStringLiteral("Commission Amount --> Monthly --> Commissions --> Sales Compensation --> "));
    // A folder name holding "-->" becomes two levels, reversed with the rest of the path.
    EXPECT_EQ(ExportCalculationFolder(cn, 1006, QStringLiteral("Quarterly Bonus")),
              QStringLiteral(" \tCalculations (Root)\r\n"
                             "        Sales Compensation\r\n"
                             "            Commissions\r\n"
                             "                Quarterly\r\n"
                             "                    Bonus\r\n"
                             "                        Quarterly Bonus\r\n"
                             "\r\n"));
    // Without a tree node only the root level, and no log line.
    EXPECT_EQ(GetCalculationFolder(cn, 1016, QStringLiteral("Team Sales Rollup")), kRootOnlyHtml);
    EXPECT_EQ(ExportCalculationFolder(cn, 1016, QStringLiteral("Team Sales Rollup")), kRootOnlyText);
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST(CalcFolder, TopNodesAndBlankNames)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    // Own node with parent 0: two levels.
    EXPECT_EQ(GetCalculationFolder(cn, 13, QStringLiteral("Tokens One And Twelve")),
              QStringLiteral("<table border='0' width='100%'><tr><td > <font face='Calibri' size='2'>&nbsp;Calculations "
                             "(Root)</font></td></tr><tr><td > <font face='Calibri' size='2'>&nbsp;&nbsp;&nbsp;&nbsp;"
                             "&nbsp;&nbsp;&nbsp;&nbsp;Tokens One And Twelve</font></td></tr></table>"));
    // A folder whose name is blank gives no level.
    EXPECT_EQ(ExportCalculationFolder(cn, 10, QStringLiteral("Odd Operators")),
              QStringLiteral(" \tCalculations (Root)\r\n        Edge Cases\r\n            Odd Operators\r\n\r\n"));
}

TEST(CalcFolder, CyclicFolderTreesEndWithAnErrorLine)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    EXPECT_EQ(ExportCalculationFolder(cn, 9, QStringLiteral("Cyclic Folder")),
              QStringLiteral(" \tCalculations (Root)\r\n        Loop B\r\n            Loop A\r\n                Cyclic Folder\r\n\r\n"));
    EXPECT_EQ(ExportCalculationFolder(cn, 18, QStringLiteral("Self Parent Folder")),
              QStringLiteral(" \tCalculations (Root)\r\n        Self Loop\r\n            Self Parent Folder\r\n\r\n"));
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0], QStringLiteral("Function: GetCalculationFolderPath() --> Code: 28 --> Description: Folder node 9101 "
                                     "of calculation 9 is reached twice; the tree's parent links form a cycle"));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("Function: GetCalculationFolderPath() --> Code: 28 --> Description: "
                                                 "Folder node 9201 of calculation 18 is reached twice")));
}

TEST(CalcFolder, AFailingPathLeavesTheRootLevelSilently)
{
    ClearLog();
    bkl::db::Connection closed;
    EXPECT_EQ(GetCalculationFolder(closed, 1, QStringLiteral("X")), kRootOnlyHtml);
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST(CalcCalendar, TopLevelPeriodOrNothing)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kSourceModel));
    {
        StatementRecorder rec;
        EXPECT_EQ(GetTimeCalendar(cn, QStringLiteral("   ")), QString());
        EXPECT_TRUE(rec.statements.isEmpty());
    }
    EXPECT_EQ(GetTimeCalendar(cn, QStringLiteral("FISCAL")), QStringLiteral("FISCAL - Fiscal Calendar"));
    EXPECT_TRUE(LogMessages().isEmpty());
    StatementRecorder rec;
    EXPECT_EQ(GetTimeCalendar(cn, QStringLiteral("O'Brien")), QString());
    EXPECT_EQ(rec.statements, QStringList{QStringLiteral("SELECT TOP 1 [TIMECAL] = [TimeID]+ ' - ' + [Name] FROM [Time] "
                                                         "WHERE [TimeID] = 'O''Brien' AND [Parent] IS NULL")});
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Function: GetTimeCalendar() --> Code: 3021 --> Description: ")));
}
