#pragma once

#include "analysis/ChartCounts.h"

#include <QChartView>
#include <QList>
#include <QRectF>
#include <QString>

class QAbstractSeries;
class QBarSet;
class QLineSeries;
class QBarSeries;
class QValueAxis;

// The colour of number n (1..37) in the trend charts: a fixed palette in which
// neighbouring numbers always differ clearly.
QColor numberColour(int number);

// One chart of the trend tab: the 37 values of the numbers 01 to 37 as bars
// or as a line, on a grey backdrop with a flat rendering of the walls of a
// three-dimensional chart, each point in its own colour and marked with its
// value. No title, no legend, no zoom; the value axis is hidden.
class TTrendChartView : public QChartView {
    Q_OBJECT
public:
    enum class Shape { Bar, Line };
    TTrendChartView(Shape shape, const QString& seriesName, const QString& seriesTitle,
                    QWidget* parent = nullptr);

    Shape shape() const { return m_shape; }
    // Shows these values; the points keep their order 01 to 37.
    void setValues(const NumberCounts& values);
    // The values the series holds now.
    NumberCounts values() const;
    QAbstractSeries* series() const;
    QValueAxis* valueAxis() const { return m_valueAxis; }

    // The value marks as they are painted now, in view coordinates: each
    // above its point, moved up where it would overlap a neighbour.
    struct ValueMark {
        QString text;
        QPointF anchor; // the top of the bar or marker
        QRectF rect;
    };
    QList<ValueMark> valueMarks() const;

    // The number labels 01 to 37 under the points as they are painted now, in
    // view coordinates: each text centred in its box.
    struct NumberLabel {
        QString text;
        QRectF rect;
    };
    QList<NumberLabel> numberLabels() const;
    QFont numberLabelFont() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void drawBackground(QPainter* painter, const QRectF& rect) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    qreal depth() const;
    void placePlotArea();
    void drawNumberAxis(QPainter* painter, const QRectF& plot);
    void updateValueRange();
    QPointF pointPosition(int index) const;

    Shape m_shape;
    NumberCounts m_values{};
    QBarSeries* m_bars = nullptr;
    QBarSet* m_barSet = nullptr;
    QLineSeries* m_line = nullptr;
    QValueAxis* m_indexAxis = nullptr;
    QValueAxis* m_valueAxis = nullptr;
};
