#pragma once
// The model summary page "_temp_01.html": ten counts of the source model in a
// small HTML page, plain (object-list window's load) or rich ("Reload Model
// Summary"), and the chart data of nine of the counts.
#include <QString>
#include <QStringList>
#include <QVariant>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace bkl::mainwindow {

enum class SummaryStyle { Plain, Rich };

struct ModelCounts {
    int32_t tables = 0;
    int32_t views = 0;
    int32_t calculations = 0;
    int32_t calendars = 0;
    int32_t compensationPlans = 0;
    int32_t tailoredReports = 0;
    int32_t presentorReports = 0;
    int32_t adminUsers = 0;
    int32_t webUsers = 0;
    int32_t serverImports = 0;
};

// The ten counting statements, in reading order (tables, views, calculations,
// calendars, plans, tailored reports, Presentor reports, admin users, web users,
// server imports); the two styles differ in trailing blanks only.
QStringList SummaryCountSql(SummaryStyle style);

// Runs the ten statements through `count` (the record-count function, which
// gives 0 for a failing statement) in their order.
ModelCounts ReadModelCounts(SummaryStyle style, const std::function<int32_t(const QString&)>& count);

// The six page lines, each ended by CR LF. The model name is HTML-escaped.
QString SummaryPageText(SummaryStyle style, const QString& modelName, const ModelCounts& counts);

// ApplicationFolderPath("temp") + "_temp_01.html".
QString SummaryPagePath();

// The chart's data array: 10 rows by 2 columns; row 0 holds the series name
// ("", "Objects"), column 0 the category labels ("Tables - 12"), column 1 the counts.
using ChartDataArray = std::vector<std::array<QVariant, 2>>;
ChartDataArray SummaryChartData(const ModelCounts& counts);

// The count axis of the chart: whole-number ticks 0, step, 2 x step ... top,
// where step is 1, 2 or 5 times a power of ten, top the first multiple of step
// at or above the largest count, and there are at most five steps (at least one).
struct CountAxis {
    int64_t top = 1;
    int64_t step = 1;
};
CountAxis WholeNumberAxis(int64_t largestCount);

} // namespace bkl::mainwindow
