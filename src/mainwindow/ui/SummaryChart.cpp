#include "mainwindow/ui/SummaryChart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QChartView>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>

namespace bkl {

void SetSummaryChartData(QChartView* chartView, const mainwindow::ChartDataArray& data)
{
    chartView->setRenderHint(QPainter::Antialiasing);
    QChart* chart = chartView->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    // One series: its name goes to the legend at the right, so the nine
    // category labels keep the full height of the panel.
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(2, 2, 2, 2));
    if (data.empty())
        return;

    auto* set = new QBarSet(data.front()[1].toString());
    set->setColor(QColor(0x73, 0x7C, 0xA1));
    QStringList categories;
    qreal top = 0;
    for (size_t r = 1; r < data.size(); ++r) {
        categories << data[r][0].toString();
        const qreal v = data[r][1].toDouble();
        *set << v;
        top = std::max(top, v);
    }
    auto* series = new QHorizontalBarSeries;
    series->append(set);
    chart->addSeries(series);

    auto* categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    QFont labelFont = categoryAxis->labelsFont();
    labelFont.setPointSizeF(7.5);
    categoryAxis->setLabelsFont(labelFont);
    categoryAxis->setReverse(true); // the first category at the top
    chart->addAxis(categoryAxis, Qt::AlignLeft);
    series->attachAxis(categoryAxis);

    auto* valueAxis = new QValueAxis;
    valueAxis->setLabelFormat(QStringLiteral("%d"));
    valueAxis->setLabelsFont(labelFont);
    // Counts are whole numbers: ticks at whole steps, never "0 0 0 1" for small counts.
    const mainwindow::CountAxis axis = mainwindow::WholeNumberAxis(static_cast<int64_t>(top));
    valueAxis->setRange(0, static_cast<qreal>(axis.top));
    valueAxis->setTickCount(static_cast<int>(axis.top / axis.step) + 1);
    valueAxis->setMinorTickCount(0);
    chart->addAxis(valueAxis, Qt::AlignBottom);
    series->attachAxis(valueAxis);
}

QStringList SummaryChartCategories(const QChartView* chartView)
{
    for (QAbstractAxis* axis : chartView->chart()->axes(Qt::Vertical)) {
        if (auto* categoryAxis = qobject_cast<QBarCategoryAxis*>(axis))
            return categoryAxis->categories();
    }
    return {};
}

QList<qreal> SummaryChartTicks(const QChartView* chartView)
{
    QList<qreal> ticks;
    for (QAbstractAxis* axis : chartView->chart()->axes(Qt::Horizontal)) {
        if (auto* values = qobject_cast<QValueAxis*>(axis)) {
            for (int i = 0; i < values->tickCount(); ++i)
                ticks << values->min() + i * (values->max() - values->min()) / (values->tickCount() - 1);
        }
    }
    return ticks;
}

QList<qreal> SummaryChartValues(const QChartView* chartView)
{
    QList<qreal> out;
    for (QAbstractSeries* s : chartView->chart()->series()) {
        if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
            for (QBarSet* set : bars->barSets()) {
                for (int i = 0; i < set->count(); ++i)
                    out << set->at(i);
            }
        }
    }
    return out;
}

} // namespace bkl
