#include "common/ui/YenChart.h"

#include "common/Formats.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

void setYenAxisRange(QCategoryAxis* axis, qint64 top) {
    for (const QString& label : axis->categoriesLabels())
        axis->remove(label);
    top = std::max<qint64>(top, 1);
    const qint64 step = yenAxisStep(top);
    const qint64 end = (top + step - 1) / step * step;
    for (qint64 value = 0; value <= end; value += step)
        axis->append(formatYen(static_cast<long double>(value)), static_cast<qreal>(value));
    axis->setRange(0, static_cast<qreal>(end));
}

QChartView* trendLookChart(QWidget* parent, const QString& name, int legendPixelSize) {
    auto* chart = new QChart;
    chart->setBackgroundBrush(kChartBackdrop);
    chart->setPlotAreaBackgroundBrush(kChartFloor);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setMargins(QMargins(4, 2, 8, 2));
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setFont(gothicFont(legendPixelSize));
    auto* view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

YenChart makeYenChart(QWidget* parent, const QString& name, const QList<YenChart::Line>& lines,
                      int legendPixelSize, int axisPixelSize) {
    YenChart made;
    made.view = trendLookChart(parent, name, legendPixelSize);
    QChart* chart = made.view->chart();
    made.drawAxis = new QValueAxis;
    made.drawAxis->setLabelFormat(QStringLiteral("%d"));
    made.drawAxis->setLabelsFont(gothicFont(axisPixelSize));
    made.yenAxis = new QCategoryAxis;
    made.yenAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    made.yenAxis->setLabelsFont(gothicFont(axisPixelSize));
    chart->addAxis(made.drawAxis, Qt::AlignBottom);
    chart->addAxis(made.yenAxis, Qt::AlignLeft);
    for (const YenChart::Line& line : lines) {
        auto* series = new QLineSeries;
        series->setName(line.name);
        series->setPen(line.pen);
        chart->addSeries(series);
        series->attachAxis(made.drawAxis);
        series->attachAxis(made.yenAxis);
        made.series.append(series);
    }
    return made;
}
