#pragma once

#include <QList>
#include <QPen>
#include <QString>
#include <QtGlobal>

class QCategoryAxis;
class QChartView;
class QLineSeries;
class QValueAxis;
class QWidget;

// An empty chart in the trend charts' look (a grey backdrop, a silver plot,
// the legend on top), in a named, antialiased view.
QChartView* trendLookChart(QWidget* parent, const QString& name, int legendPixelSize);

// A chart of yen over the draws in the trend charts' look (a grey backdrop,
// a silver plot, the legend on top): the draw axis below, the yen axis on the
// left, one line series per entry of `lines`, in that order.
struct YenChart {
    struct Line {
        QString name;
        QPen pen;
    };
    QChartView* view = nullptr;
    QValueAxis* drawAxis = nullptr;
    QCategoryAxis* yenAxis = nullptr;
    QList<QLineSeries*> series;
};
YenChart makeYenChart(QWidget* parent, const QString& name, const QList<YenChart::Line>& lines,
                      int legendPixelSize, int axisPixelSize);

// A chart's yen axis from 0 to `top` or a little above, labelled in the
// program's "¥1,234" form at round steps (1, 2 or 5 times a power of ten, at
// most six of them). The axis stays on its chart and only takes the new range:
// an axis removed while a box is closed leaves its labels on the chart until
// the command that removed it returns to the event loop, which the box's own
// loop delays.
void setYenAxisRange(QCategoryAxis* axis, qint64 top);
