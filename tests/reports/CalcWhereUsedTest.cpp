// Where-used lists and the dependencies section on the demo models.
#include "reports/CalcWhereUsed.h"

#include "CalcTestSupport.h"
#include "ReportTestSupport.h"

#include <gtest/gtest.h>

using namespace bkl::reports;
using namespace bkl::test;

TEST(CalcWhereUsed, NothingUsesTheCalculation)
{
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    const QString none = QStringLiteral("* None *");
    EXPECT_EQ(GetCalculationDependentObjects(cn, 8, QStringLiteral(" Cyclic Restrictions "))
                  .count(QStringLiteral("<td width='75%'> <font face='Calibri' size='2'>* None *</font></td>")),
              4);
    EXPECT_EQ(ExportCalculationDependentObjects(cn, 8, QStringLiteral("Cyclic Restrictions")),
              QStringLiteral("\tView(s): * None *\r\n\tPresentor Reports(s): * None *\r\n"
                             "\tTailored Report(s): * None *\r\n\tCompensation Plan(s): * None *\r\n"));
    // A name holding "." never matches a column prefix.
    EXPECT_EQ(ReturnAllViewsForCalculation(cn, QStringLiteral("Dotted.Name Calc")), none);
}

TEST(CalcWhereUsed, ListsAreSortedEscapedInHtmlAndQuoted)
{
    ClearLog();
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    // Sorted by name; the plan with a NULL list id is not listed.
    EXPECT_EQ(ReturnAllCompPlanForCalculation(cn, 1),
              QStringLiteral("(LT1) &lt;Less Than&gt; &amp; Plan<br>(OB1) O&#39;Brien Plan<br>(ORPHAN) Orphan Group Plan<br>"));
    EXPECT_EQ(ExportAllCompPlanForCalculation(cn, 1),
              QStringLiteral("\r\n\t\t(LT1) <Less Than> & Plan\r\n\t\t(OB1) O'Brien Plan\r\n\t\t(ORPHAN) Orphan Group Plan"));
    EXPECT_EQ(ReturnAllTailoredReportsForCalculation(cn, 12), QStringLiteral("(TRQ) O&#39;Brien Statement<br>"));
    EXPECT_EQ(ReturnAllPresentorReportsForCalculation(cn, 3), QStringLiteral("Report &lt;One&gt; &amp; Two<br>"));
    EXPECT_EQ(ExportAllPresentorReportsForCalculation(cn, 3), QStringLiteral("\r\n\t\tReport <One> & Two"));
    // The quote in the name is doubled, so the views statement runs.
    EXPECT_EQ(ReturnAllViewsForCalculation(cn, QStringLiteral("O'Brien Commission")), QStringLiteral("&nbsp;Edge View<br>"));
    EXPECT_EQ(ExportAllViewsForCalculation(cn, QStringLiteral("Rate <Tier> & Bonus")), QStringLiteral("\r\n\t\tO'Brien View"));
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST(CalcWhereUsed, PolicyWidthsAndFailures)
{
    ClearLog();
    bkl::db::Connection closed;
    // A failing list leaves its cell empty; the section itself stands.
    EXPECT_EQ(ExportCalculationDependentObjects(closed, 1, QStringLiteral("X")),
              QStringLiteral("\tView(s): \r\n\tPresentor Reports(s): \r\n\tTailored Report(s): \r\n\tCompensation Plan(s): \r\n"));
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 4);
    EXPECT_TRUE(log[0].startsWith(QStringLiteral("Function: ExportAllViewsForCalculation() --> Code: 3704")));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("Function: ExportAllCompPlanForCalculation() --> Code: 3704")));
    EXPECT_TRUE(log[2].startsWith(QStringLiteral("Function: ExportAllTailoredReportsForCalculation() --> Code: 3704")));
    EXPECT_TRUE(log[3].startsWith(QStringLiteral("Function: ExportAllPresentorReportsForCalculation() --> Code: 3704")));

    CalcPolicy compare = DetailPolicy();
    compare.dependenciesHeadingWidth = QStringLiteral("35%");
    compare.dependenciesListWidths = {QStringLiteral("66%"), QStringLiteral("65%"), QStringLiteral("65%"), QStringLiteral("65%")};
    auto cn = OpenDemoModel(QLatin1String(kEdgeModel));
    const QString html = CalculationDependentObjects(cn, 8, QStringLiteral("Cyclic Restrictions"), RenderMode::Html, compare);
    EXPECT_TRUE(html.startsWith(QStringLiteral("<table border='0' width='100%'><tr><td width='35%'> <font face='Calibri' "
                                               "size='2'>&nbsp;View(s):</font></td><td width='66%'> ")));
    EXPECT_TRUE(html.contains(QStringLiteral("Presentor Reports(s):</font></td><td width='65%'> ")));
}
