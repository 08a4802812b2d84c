#include "mainwindow/ui/SummaryChart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSet>
#include <QtCharts/QHorizontalBarSeries>
#include <QtCharts/QValueAxis>

namespace bkl {

SummaryChart::SummaryChart(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setVisible(true);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    chart()->setMargins(QMargins(4, 4, 4, 4));
}

void SummaryChart::setChartData(const mainwindow::ChartDataArray& data)
{
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes())
        c->removeAxis(axis), delete axis;
    if (data.empty())
        return;

    auto* set = new QBarSet(data.front()[1].toString());
    set->setColor(QColor(0x2B, 0x38, 0x56));
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
    series->setLabelsVisible(false);
    c->addSeries(series);

    auto* categoryAxis = new QBarCategoryAxis;
    categoryAxis->append(categories);
    c->addAxis(categoryAxis, Qt::AlignLeft);
    series->attachAxis(categoryAxis);

    auto* valueAxis = new QValueAxis;
    valueAxis->setLabelFormat(QStringLiteral("%d"));
    valueAxis->setRange(0, top > 0 ? top : 1);
    valueAxis->applyNiceNumbers();
    c->addAxis(valueAxis, Qt::AlignBottom);
    series->attachAxis(valueAxis);
}

QStringList SummaryChart::categories() const
{
    for (QAbstractAxis* axis : chart()->axes(Qt::Vertical)) {
        if (auto* categoryAxis = qobject_cast<QBarCategoryAxis*>(axis))
            return categoryAxis->categories();
    }
    return {};
}

QList<qreal> SummaryChart::values() const
{
    QList<qreal> out;
    for (QAbstractSeries* s : chart()->series()) {
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
