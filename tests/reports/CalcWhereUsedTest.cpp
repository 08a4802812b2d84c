// Where-used lists and the dependencies section on the demo models.
#include "reports/CalcWhereUsed.h"

#include "ReportTestSupport.h"

using CalcWhereUsed = ReportTest;

TEST_F(CalcWhereUsed, ListsAreSortedEscapedInHtmlAndQuoted)
{
    EXPECT_EQ(GetCalculationDependentObjects(edge(), 8, u" Cyclic Restrictions "_s)
                  .count(u"<td width='75%'> <font face='Calibri' size='2'>* None *</font></td>"_s),
              4);
    EXPECT_EQ(ExportCalculationDependentObjects(edge(), 8, u"Cyclic Restrictions"_s),
              "\tView(s): * None *\r\n\tPresentor Reports(s): * None *\r\n\tTailored Report(s): * None *\r\n"
              "\tCompensation Plan(s): * None *\r\n");
    // A name holding "." never matches a column prefix.
    EXPECT_EQ(ReturnAllViewsForCalculation(edge(), u"Dotted.Name Calc"_s), "* None *");
    // Sorted by name; the plan with a NULL list id is not listed.
    EXPECT_EQ(ReturnAllCompPlanForCalculation(edge(), 1),
              "(LT1) &lt;Less Than&gt; &amp; Plan<br>(OB1) O&#39;Brien Plan<br>(ORPHAN) Orphan Group Plan<br>");
    EXPECT_EQ(ExportAllCompPlanForCalculation(edge(), 1),
              "\r\n\t\t(LT1) <Less Than> & Plan\r\n\t\t(OB1) O'Brien Plan\r\n\t\t(ORPHAN) Orphan Group Plan");
    EXPECT_EQ(ReturnAllTailoredReportsForCalculation(edge(), 12), "(TRQ) O&#39;Brien Statement<br>");
    EXPECT_EQ(ReturnAllPresentorReportsForCalculation(edge(), 3), "Report &lt;One&gt; &amp; Two<br>");
    EXPECT_EQ(ExportAllPresentorReportsForCalculation(edge(), 3), "\r\n\t\tReport <One> & Two");
    // The quote in the name is doubled, so the views statement runs.
    EXPECT_EQ(ReturnAllViewsForCalculation(edge(), u"O'Brien Commission"_s), "&nbsp;Edge View<br>");
    EXPECT_EQ(ExportAllViewsForCalculation(edge(), u"Rate <Tier> & Bonus"_s), "\r\n\t\tO'Brien View");
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CalcWhereUsed, PresentorReportsAreListedOnceByName)
{
    // Two reports named Twin Report read calculation 12: the list names them once, in every form.
    EXPECT_EQ(ReturnAllPresentorReportsForCalculation(edge(), 12), "Twin Report<br>");
    EXPECT_EQ(ExportAllPresentorReportsForCalculation(edge(), 12), "\r\n\t\tTwin Report");
    EXPECT_TRUE(ExportCalculationDependentObjects(edge(), 12, u"Twelve Result"_s)
                    .contains("\tPresentor Reports(s): \r\n\t\tTwin Report\r\n\tTailored Report(s): "));
    EXPECT_EQ(GetCalculationDependentObjects(edge(), 12, u"Twelve Result"_s).count("Twin Report"), 1);
    EXPECT_TRUE(LogMessages().isEmpty());
}

TEST_F(CalcWhereUsed, PolicyWidthsAndFailures)
{
    // A failing list leaves its cell empty; the section itself stands.
    bkl::db::Connection closed;
    EXPECT_EQ(ExportCalculationDependentObjects(closed, 1, u"X"_s),
              "\tView(s): \r\n\tPresentor Reports(s): \r\n\tTailored Report(s): \r\n\tCompensation Plan(s): \r\n");
    const QStringList log = LogMessages();
    ASSERT_EQ(log.size(), 4);
    const char* procedures[] = {"ExportAllViewsForCalculation", "ExportAllCompPlanForCalculation",
                                "ExportAllTailoredReportsForCalculation", "ExportAllPresentorReportsForCalculation"};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(log[i].startsWith(u"Function: "_s + QLatin1String(procedures[i]) + "() --> Code: 3704")) << i;

    CalcPolicy compare = DetailPolicy();
    compare.dependenciesHeadingWidth = u"35%"_s;
    compare.dependenciesListWidths = {u"66%"_s, u"65%"_s, u"65%"_s, u"65%"_s};
    const QString html = CalculationDependentObjects(edge(), 8, u"Cyclic Restrictions"_s, RenderMode::Html, compare);
    EXPECT_TRUE(html.startsWith(Html("<table border='0' width='100%'><tr><td width='35%'> {f}&nbsp;View(s):</font></td>"
                                     "<td width='66%'> ")));
    ExpectPieces(html, {"Presentor Reports(s):</font></td><td width='65%'> "});
}
