// The summary chart takes the data array as it is, and the window's progress
// sink rejects bar values past the maximum like the bar control.
#include "mainwindow/ui/ProgressBarSink.h"
#include "mainwindow/ui/SummaryChart.h"

#include <QChartView>
#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace bkl;
using namespace bkl::mainwindow;

TEST(SummaryChartWidget, ShowsTheNineCountsOfTheDataArray)
{
    ModelCounts c;
    c.tables = 12;
    c.views = 3;
    c.calculations = 41;
    c.webUsers = 20;
    c.adminUsers = 99; // not charted
    QChartView chart;
    chart.resize(560, 320);
    SetSummaryChartData(&chart, SummaryChartData(c));
    EXPECT_EQ(SummaryChartCategories(&chart),
              (QStringList{"Tables - 12", "Views - 3", "Calculations - 41", "Plans - 0", "Active WEB Users - 20",
                           "Tailored Reports - 0", "Server Imports - 0", "Calendars - 0", "Presentor Reports - 0"}));
    EXPECT_EQ(SummaryChartValues(&chart), (QList<qreal>{12, 3, 41, 0, 20, 0, 0, 0, 0}));
    // A reload replaces the series instead of adding a second one.
    SetSummaryChartData(&chart, SummaryChartData(ModelCounts{}));
    EXPECT_EQ(SummaryChartValues(&chart), (QList<qreal>(9, 0)));
    EXPECT_FALSE(chart.grab().isNull());
}

TEST(SummaryChartWidget, ProgressBarSinkChecksTheRange)
{
    QProgressBar bar;
    QLabel label;
    bar.setMinimum(1);
    bar.setMaximum(3);
    bar.setValue(1);
    ProgressBarSink sink(&bar, &label);
    sink.setValue(3);
    sink.setCaption(QStringLiteral("50%"));
    EXPECT_EQ(bar.value(), 3);
    EXPECT_EQ(label.text(), QStringLiteral("50%"));
    EXPECT_THROW(sink.setValue(4), std::out_of_range);
    EXPECT_EQ(bar.value(), 3);
}
