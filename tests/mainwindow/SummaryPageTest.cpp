// The model summary page: the ten counting statements, the model name escaped
// (the demo model's pages are pinned by the preview window tests), the chart
// data array and the chart's count axis.
#include "mainwindow/ModelSummary.h"
#include "mainwindow/ui/SummaryChart.h"

#include <QChartView>
#include <gtest/gtest.h>

using namespace bkl::mainwindow;

namespace {

// tables, views, calculations, calendars, plans, tailored reports, Presentor reports, admins, web users, imports
const ModelCounts kSample{12, 3, 41, 2, 5, 4, 7, 9, 1234, 6};

} // namespace

TEST(SummaryPage, CountStatementsInReadingOrder)
{
    const QStringList plain{
        "SELECT COUNT(1)  FROM CustomTable WHERE TableType <> 'View' ",
        "SELECT COUNT(1)  FROM CustomTable WHERE TableType = 'View' ",
        "SELECT COUNT(1) FROM Calculation ",
        "SELECT COUNT(1) FROM TimeCalendar",
        "SELECT COUNT(1) FROM CompPlan ",
        "SELECT COUNT(1) FROM TailoredReport ",
        "SELECT COUNT(1) FROM WebReport",
        "SELECT COUNT(1) FROM [Admin] ",
        "SELECT COUNT(1) FROM [Users]",
        "SELECT COUNT(1) FROM [Import] WHERE IsLocal = 0",
    };
    EXPECT_EQ(SummaryCountSql(SummaryStyle::Plain), plain);
    QStringList rich = plain;
    rich[4] = "SELECT COUNT(1) FROM CompPlan";
    rich[5] = "SELECT COUNT(1) FROM TailoredReport";
    rich[7] = "SELECT COUNT(1) FROM [Admin]";
    EXPECT_EQ(SummaryCountSql(SummaryStyle::Rich), rich);

    QStringList asked;
    const ModelCounts c = ReadModelCounts(SummaryStyle::Rich, [&](const QString& sql) {
        asked << sql;
        return static_cast<int32_t>(asked.size() * 10);
    });
    EXPECT_EQ(asked, rich);
    EXPECT_EQ(c.calendars, 40);
    EXPECT_EQ(c.serverImports, 100);
}

TEST(SummaryPage, ModelNamesAreEscapedInBothStyles)
{
    // The demo model's exact pages are pinned by the preview window tests.
    EXPECT_TRUE(SummaryPageText(SummaryStyle::Plain, "SALES&COMP", kSample).contains("<b>SALES&amp;COMP</b>"));
    EXPECT_TRUE(SummaryPageText(SummaryStyle::Rich, "<Demo>", ModelCounts{}).contains("<b>Model: &lt;Demo&gt;</b>"));
}

TEST(SummaryPage, ChartDataArray)
{
    QStringList rows;
    for (const auto& row : SummaryChartData(kSample))
        rows << row[0].toString() + '|' + row[1].toString();
    EXPECT_EQ(rows, QStringList({"|Objects", "Tables - 12|12", "Views - 3|3", "Calculations - 41|41", "Plans - 5|5",
                                 "Active WEB Users - 1234|1234", "Tailored Reports - 4|4", "Server Imports - 6|6",
                                 "Calendars - 2|2", "Presentor Reports - 7|7"}));
}

TEST(SummaryPage, ChartCountAxisHasWholeNumberTicksThatFitTheLargestCount)
{
    QChartView chart;
    const std::pair<int32_t, QList<qreal>> cases[] = {
        {0, {0, 1}}, {3, {0, 1, 2, 3}}, {7, {0, 2, 4, 6, 8}}, {41, {0, 10, 20, 30, 40, 50}},
        {1234, {0, 500, 1000, 1500}}, {50000, {0, 10000, 20000, 30000, 40000, 50000}}};
    for (const auto& [largest, ticks] : cases) {
        ModelCounts counts;
        counts.views = largest;
        bkl::SetSummaryChartData(&chart, SummaryChartData(counts));
        EXPECT_EQ(bkl::SummaryChartTicks(&chart), ticks) << largest;
    }
}
