#pragma once
// The model summary chart: one bar series "Objects" over nine object counts,
// fed with the summary's data array (row 0 the series name, column 0 the
// category labels).
#include "mainwindow/ModelSummary.h"

#include <QtCharts/QChartView>

namespace bkl {

class SummaryChart final : public QChartView {
    Q_OBJECT
public:
    explicit SummaryChart(QWidget* parent = nullptr);
    void setChartData(const mainwindow::ChartDataArray& data);
    // The categories and values shown (for tests and the status of the chart).
    QStringList categories() const;
    QList<qreal> values() const;
};

} // namespace bkl
