#pragma once
// The model summary chart: one bar series over nine object counts, fed with the
// summary's data array (row 0 the series name, column 0 the category labels).
#include "mainwindow/ModelSummary.h"

#include <QList>
#include <QStringList>

class QChartView;

namespace bkl {

// Replaces the chart's series and axes with the data array's.
void SetSummaryChartData(QChartView* chartView, const mainwindow::ChartDataArray& data);

// What the chart shows: the category labels and the values of its bars.
QStringList SummaryChartCategories(const QChartView* chartView);
QList<qreal> SummaryChartValues(const QChartView* chartView);
// The ticks of the count axis.
QList<qreal> SummaryChartTicks(const QChartView* chartView);

} // namespace bkl
