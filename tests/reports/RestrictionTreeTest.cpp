// The restriction tree on the edge-case model: formats at both depths, the odd
// nodes and operator words, failures of one level, and a cycle that ends.
#include "reports/CalcDataSources.h"
#include "reports/RestrictionTree.h"

#include "CalcTestSupport.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;
using namespace bkl::test;

namespace {
const int kOddOperators = 10;
const int kCyclicRestrictions = 8;
} // namespace

TEST(CalcRestriction, OddNodesAndOperatorWordsAtDepthTwoInHtml)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    // " equals " reads "=", LIKE and a NULL word are unknown, a NULL value leaves the
    // symbol's blank; the empty ANY group keeps its two lines; the clause-type-2 group
    // and everything below it is skipped; the group whose leaf has no value row
    // loses its level but keeps its own lines.
    const QString n2 = QStringLiteral("&nbsp;&nbsp;"), n3 = QStringLiteral("&nbsp;&nbsp;&nbsp;");
    EXPECT_EQ(GetCalculationRestrictions(cn, kOddOperators),
              QStringLiteral("<table border='0' width='100%'><td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
                             "<td width='99%'> <font face='Calibri' size='2'>")
                  + n2 + QStringLiteral("AND (<br>") + n3
                  + QStringLiteral("O&#39;Brien Accounts.AccountID  =  A1<br>") + n3
                  + QStringLiteral("O&#39;Brien Accounts.AccountID  UNKNOWN  A%<br>") + n3
                  + QStringLiteral("O&#39;Brien Accounts.Amount  UNKNOWN  5<br>") + n3
                  + QStringLiteral("O&#39;Brien Accounts.Amount  >  <br>") + n2 + QStringLiteral(")<br>") + n2
                  + QStringLiteral("ANY (<br>") + n2 + QStringLiteral(")<br>") + n2 + QStringLiteral("AND (<br>") + n2
                  + QStringLiteral(")<br></font></td></table>"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST(CalcRestriction, OddNodesAtDepthOneInText)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    EXPECT_EQ(ExportCalculationRestrictions(cn, kOddOperators),
              QStringLiteral("\tAND (\r\n"
                             "\t\tO'Brien Accounts.AccountID  =  A1\r\n"
                             "\t\tO'Brien Accounts.AccountID  UNKNOWN  A%\r\n"
                             "\t\tO'Brien Accounts.Amount  UNKNOWN  5\r\n"
                             "\t\tO'Brien Accounts.Amount  >  \r\n"
                             "\t)\r\n"
                             "\tANY (\r\n"
                             "\t)\r\n"
                             "\tAND (\r\n"
                             "\t)\r\n"));
    // The render mode is compared upper-cased.
    EXPECT_TRUE(GetCalcConstraintTree(cn, kOddOperators, 0, 0, 1, QStringLiteral("html"))
                    .startsWith(QStringLiteral("&nbsp;AND (<br>&nbsp;&nbsp;O&#39;Brien")));
}

TEST(CalcRestriction, NoNodesGiveAnEmptyTreeInAWholeTable)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    EXPECT_EQ(GetCalculationRestrictions(cn, 1),
              QStringLiteral("<table border='0' width='100%'><td width='1%'> <font face='Calibri' size='2'>&nbsp;</font></td>"
                             "<td width='99%'> <font face='Calibri' size='2'></font></td></table>"));
    EXPECT_EQ(ExportCalculationRestrictions(cn, 1), QString());
}

TEST(CalcRestriction, LevelStatementsWriteIdsAsGiven)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    StatementRecorder rec;
    EXPECT_EQ(GetCalcConstraintTree(cn, 3, -5, -7, 1, QStringLiteral("TEXT")), QString());
    EXPECT_EQ(GetCalcConstraintTree(cn, 3, 0, 0, 1, QStringLiteral("TEXT")), QString());
    EXPECT_EQ(rec.statements,
              (QStringList{QStringLiteral("SELECT [CONSTRAINTID] = cct.[ConstraintID], [LOOKUPID] =  cct.[LookupID], "
                                          "[LOOKUPPARENT] = [Parent], [CLAUSETYPE] = cct.[ClauseType] FROM "
                                          "[CalcConstraintTree] cct WHERE cct.[CalculationID] = 3 AND [LookupID] = -5 "
                                          "AND [Parent] = -7 "),
                           QStringLiteral("SELECT [CONSTRAINTID] = cct.[ConstraintID], [LOOKUPID] =  cct.[LookupID], "
                                          "[LOOKUPPARENT] = [Parent], [CLAUSETYPE] = cct.[ClauseType] FROM "
                                          "[CalcConstraintTree] cct WHERE cct.[CalculationID] = 3 AND [LookupID] IS NULL "
                                          "AND [Parent] IS NULL ")}));
}

TEST(CalcRestriction, LookupJoinConditionsIndentThreeUnitsInHtml)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    EXPECT_EQ(GetCalculationSourceAndJoinAndUnion(cn, QStringLiteral("O'Brien Commission"), 3),
              QStringLiteral("<table border='0' width='100%'><tr><td colspan=2> <font face='Calibri' size='2'>&nbsp;Primary "
                             "Source: O&#39;Brien Commission</font></td></tr><tr><td colspan='2'> <font face='Calibri' "
                             "size='2'>&nbsp;<u>Join Type: By Column</u></font></td></tr><td width='1%'> <font "
                             "face='Calibri' size='2'>&nbsp;</font></td><td width='99%'> <font face='Calibri' "
                             "size='2'>Add Columns: <u>Rates &lt;2026&gt; &amp; More</u><br>&nbsp;&nbsp;&nbsp;Rates "
                             "&lt;2026&gt; &amp; More.RateCode  =  R&lt;1&gt;<br></font></td></table>"));
    CalcPolicy compare = DetailPolicy();
    compare.lookupTreeDepth = 1;
    EXPECT_TRUE(CalculationSourceAndJoinAndUnion(cn, QStringLiteral("X"), 3, RenderMode::Html, compare)
                    .contains(QStringLiteral("</u><br>&nbsp;Rates &lt;2026&gt;")));
}

TEST(CalcRestriction, ACyclicTreeEndsWithAnErrorLine)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    // Group 9001 holds ANY group 9002, which lists 9001 again beside a leaf: that
    // level fails as a whole, the levels above keep their lines.
    EXPECT_EQ(ExportCalculationRestrictions(cn, kCyclicRestrictions),
              QStringLiteral("\tAND (\r\n\t\tANY (\r\n\t\t)\r\n\t)\r\n"));
    QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 1);
    EXPECT_EQ(log[0], QStringLiteral("Function: GetCalcConstraintTree() --> Code: 28 --> Description: Constraint 9001 of "
                                     "calculation 8 is reached twice; the tree's parent links form a cycle"));
    ClearLog();
    EXPECT_EQ(GetCalcConstraintTree(cn, kCyclicRestrictions, 0, 0, 2, QStringLiteral("HTML"),
                                    QStringLiteral("CompareCalcConstraintTree")),
              QStringLiteral("&nbsp;&nbsp;AND (<br>&nbsp;&nbsp;&nbsp;ANY (<br>&nbsp;&nbsp;&nbsp;)<br>&nbsp;&nbsp;)<br>"));
    log = LogMessages();
    ASSERT_EQ(log.size(), 1);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Function: CompareCalcConstraintTree() --> Code: 28 --> ")));
}

TEST(CalcRestriction, ADepthBeyondSixteenBitsFailsItsLevelSilently)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    // The first group would indent its children by 32768 units: the top level fails.
    EXPECT_EQ(GetCalcConstraintTree(cn, kOddOperators, 0, 0, 32767, QStringLiteral("TEXT")), QString());
    EXPECT_TRUE(LogMessages().isEmpty());
}
