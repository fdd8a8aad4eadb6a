#include "analysis/ui/TrendChartView.h"

#include "analysis/MarkLayout.h"
#include "common/Formats.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"

#include <QBarSeries>
#include <QBarSet>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QPainter>
#include <QPolygonF>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

// The plot's edges from the view's edges; the back wall's depth comes on top
// of the top and right ones. The half pixels keep the 1-pixel wall edges and
// the axis line where they have always been drawn.
constexpr qreal kPlotLeft = 21.5;
constexpr qreal kPlotTop = 15.5;
constexpr qreal kPlotRight = 21.5;
constexpr qreal kPlotBottom = 36; // room for the ticks and the number labels
constexpr qreal kTickLength = 4;
// The value range fits the points into the view's height less this and the
// wall's depth.
constexpr int kRangeMargin = 32;
constexpr int kArrowLength = 5; // from a point to its value mark
constexpr int kMarkerHalf = 3;  // a line marker spans this far from its point
constexpr int kMarkPadding = 2; // around the text of a value mark
constexpr int kMarkGap = 1;     // between a lifted mark and the mark below it
constexpr int kLabelGap = 2;    // at least, between two number labels
constexpr int kLabelSize = 12;  // the number labels' pixel size where they fit
constexpr int kSmallestLabelSize = 8;
constexpr qreal kBarWidth = 0.6;

const QFont& markFont() {
    static const QFont font = proportionalMinchoFont(12);
    return font;
}

// The widest of the labels 01 to 37 in this font.
qreal widestNumberLabel(const QFont& font) {
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (int n = 1; n <= kMaxNumber; ++n)
        widest = std::max(widest, metrics.horizontalAdvance(formatTwoDigits(n)));
    return widest;
}

QBrush barBrush(const QColor& colour) {
    // Lit from the left, so that the flat bars read as rounded.
    QLinearGradient gradient(0, 0, 1, 0);
    gradient.setCoordinateMode(QGradient::ObjectBoundingMode);
    gradient.setColorAt(0.0, colour);
    gradient.setColorAt(0.35, colour.lighter(150));
    gradient.setColorAt(1.0, colour.darker(140));
    return {gradient};
}

} // namespace

QColor numberColour(int number) {
    // Golden-angle steps round the colour wheel: neighbours never look alike.
    const int hue = static_cast<int>(std::fmod((number - 1) * 137.508, 360.0));
    const int value = number % 2 == 0 ? 200 : 240;
    return QColor::fromHsv(hue, 215, value);
}

TTrendChartView::TTrendChartView(Shape shape, const QString& seriesName, const QString& seriesTitle,
                                 QWidget* parent)
    : QChartView(parent), m_shape(shape) {
    auto* chart = new QChart();
    chart->legend()->hide();
    chart->setBackgroundVisible(false); // drawBackground paints the backdrop
    chart->setPlotAreaBackgroundVisible(false);
    chart->setMargins({});
    setChart(chart);
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);

    // Both axes only place the points: point i stands in the middle of the
    // i-th of 37 equal slots. The view paints the number axis itself
    // (drawBackground) and its labels (drawForeground); a visible Qt axis
    // would lay out 37 label items on every resize, even hidden ones.
    m_indexAxis = new QValueAxis(chart);
    m_indexAxis->setRange(-0.5, kMaxNumber - 0.5);
    m_indexAxis->setVisible(false);
    m_valueAxis = new QValueAxis(chart);
    m_valueAxis->setRange(0, 1);
    m_valueAxis->setVisible(false);
    chart->addAxis(m_indexAxis, Qt::AlignBottom);
    chart->addAxis(m_valueAxis, Qt::AlignLeft);

    QAbstractSeries* added = nullptr;
    if (shape == Shape::Bar) {
        // One set holds the 37 values; the series itself stays invisible and
        // drawBackground paints each bar in its number's colour. (A set per
        // number would give each bar its own colour too, but 37 sets of 37
        // values make Qt build and lay out 1,369 bar items.)
        m_bars = new QBarSeries(chart);
        m_barSet = new QBarSet(seriesTitle);
        m_barSet->append(QList<qreal>(kMaxNumber, 0.0));
        m_bars->append(m_barSet);
        m_bars->setBarWidth(kBarWidth);
        m_bars->setLabelsVisible(false); // drawForeground marks the values
        added = m_bars;
    } else {
        m_line = new QLineSeries(chart);
        for (int i = 0; i < kMaxNumber; ++i)
            m_line->append(i, 0);
        added = m_line;
    }
    added->setObjectName(seriesName);
    added->setName(seriesTitle);
    chart->addSeries(added);
    added->attachAxis(m_indexAxis);
    added->attachAxis(m_valueAxis);
    // Adding a series applies the theme: colours are set after it.
    if (m_barSet) {
        m_barSet->setBrush(Qt::NoBrush);
        m_barSet->setPen(Qt::NoPen);
    }
    if (m_line)
        m_line->setPen(QPen(kChartBlue, 2));
}

QAbstractSeries* TTrendChartView::series() const {
    return m_bars ? static_cast<QAbstractSeries*>(m_bars) : m_line;
}

void TTrendChartView::setValues(const NumberCounts& values) {
    m_values = values;
    if (m_bars) {
        QList<qreal> column;
        column.reserve(kMaxNumber);
        for (int value : values)
            column.append(value);
        m_barSet->remove(0, kMaxNumber);
        m_barSet->append(column);
    } else {
        QList<QPointF> points;
        points.reserve(kMaxNumber);
        for (int i = 0; i < kMaxNumber; ++i)
            points.append(QPointF(i, values[i]));
        m_line->replace(points);
    }
    updateValueRange();
    viewport()->update();
}

NumberCounts TTrendChartView::values() const {
    NumberCounts held{};
    for (int i = 0; i < kMaxNumber; ++i)
        held[i] = m_bars ? qRound(m_barSet->at(i)) : qRound(m_line->at(i).y());
    return held;
}

qreal TTrendChartView::depth() const {
    // A bar chart is drawn deeper (5 %) than a line chart (1 %).
    const qreal percent = m_shape == Shape::Bar ? 0.05 : 0.01;
    return std::round(percent * std::min(width(), height()));
}

void TTrendChartView::placePlotArea() {
    const qreal d = depth();
    chart()->setPlotArea(QRectF(QPointF(kPlotLeft, kPlotTop + d),
                                QPointF(width() - kPlotRight - d, height() - kPlotBottom)));
}

void TTrendChartView::updateValueRange() {
    // Headroom above the highest point for two rows of marks (one moved up).
    const qreal plotHeight = height() - kRangeMargin - depth();
    const qreal room = 2 * QFontMetricsF(markFont()).height() + kArrowLength + kMarkerHalf + 6;
    const qreal highest = std::max(1, *std::max_element(m_values.begin(), m_values.end()));
    const qreal usable = std::max(plotHeight - room, plotHeight / 2);
    m_valueAxis->setRange(0, highest * plotHeight / usable);
}

void TTrendChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    placePlotArea();
    updateValueRange();
}

QPointF TTrendChartView::pointPosition(int index) const {
    return chart()->mapToPosition(QPointF(index, m_values[index]), series());
}

QList<TTrendChartView::ValueMark> TTrendChartView::valueMarks() const {
    const QFontMetricsF metrics(markFont());
    const qreal lift = m_shape == Shape::Line ? kMarkerHalf + 1 : 1;
    QList<ValueMark> marks;
    marks.reserve(kMaxNumber);
    for (int i = 0; i < kMaxNumber; ++i) {
        ValueMark mark;
        mark.text = QString::number(m_values[i]);
        mark.anchor = pointPosition(i) - QPointF(0, lift);
        const qreal width = metrics.horizontalAdvance(mark.text) + 2 * kMarkPadding;
        const qreal height = metrics.height();
        mark.rect = QRectF(mark.anchor.x() - width / 2, mark.anchor.y() - kArrowLength - height,
                           width, height);
        marks.append(mark);
    }
    QList<QRectF> resting;
    resting.reserve(kMaxNumber);
    for (const ValueMark& mark : marks)
        resting.append(mark.rect);
    const QList<QRectF> placed = liftOverlappingMarks(resting, kMarkGap);
    for (int i = 0; i < kMaxNumber; ++i)
        marks[i].rect = placed.at(i);
    return marks;
}

QFont TTrendChartView::numberLabelFont() const {
    // As large as the points' spacing allows with a gap between the labels,
    // so that they read as separate numbers, not "010203...".
    const qreal spacing = chart()->plotArea().width() / kMaxNumber;
    QFont font = proportionalMinchoFont(kLabelSize);
    while (font.pixelSize() > kSmallestLabelSize && widestNumberLabel(font) + kLabelGap > spacing)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

QList<TTrendChartView::NumberLabel> TTrendChartView::numberLabels() const {
    // Each box just holds its text, centred under the point.
    const QFontMetricsF metrics(numberLabelFont());
    const qreal top = chart()->plotArea().bottom() + 3;
    QList<NumberLabel> labels;
    labels.reserve(kMaxNumber);
    for (int i = 0; i < kMaxNumber; ++i) {
        const QString text = formatTwoDigits(i + 1);
        const qreal width = metrics.horizontalAdvance(text);
        labels.append(
            {text, QRectF(pointPosition(i).x() - width / 2, top, width, metrics.height())});
    }
    return labels;
}

// A grey chart with a hatched back wall, a hatched left wall and a silver
// floor, drawn flat as the walls of a slightly deep chart.
void TTrendChartView::drawBackground(QPainter* painter, const QRectF& rect) {
    painter->fillRect(rect, kChartBackdrop);
    const QRectF plot = chart()->plotArea();
    const qreal d = depth();
    const QRectF back = plot.translated(d, -d);
    painter->save();
    painter->setPen(QPen(kChartWallEdge, 1));
    painter->setBrush(kChartWall);
    painter->drawRect(back);
    painter->fillRect(back, QBrush(kWhite, Qt::HorPattern));
    const QPolygonF leftWall(
        {plot.topLeft(), back.topLeft(), back.bottomLeft(), plot.bottomLeft()});
    painter->drawPolygon(leftWall);
    painter->setBrush(QBrush(kWhite, Qt::BDiagPattern));
    painter->drawPolygon(leftWall);
    painter->setBrush(kChartFloor);
    painter->drawPolygon(
        QPolygonF({plot.bottomLeft(), plot.bottomRight(), back.bottomRight(), back.bottomLeft()}));
    if (m_bars) {
        // The bars rise from the bottom of the plot, each in its own colour.
        const qreal width = kBarWidth * plot.width() / kMaxNumber;
        painter->setPen(Qt::NoPen);
        for (int i = 0; i < kMaxNumber; ++i) {
            const QPointF top = pointPosition(i);
            const QRectF bar(top.x() - width / 2, top.y(), width, plot.bottom() - top.y());
            if (bar.height() > 0)
                painter->fillRect(bar, barBrush(numberColour(i + 1)));
        }
    }
    drawNumberAxis(painter, plot);
    painter->restore();
}

// The number axis: a line along the floor's front edge and a tick down from
// it at each slot's edge.
void TTrendChartView::drawNumberAxis(QPainter* painter, const QRectF& plot) {
    painter->setPen(QPen(kChartWallEdge, 1));
    painter->drawLine(plot.bottomLeft(), plot.bottomRight());
    const qreal slot = plot.width() / kMaxNumber;
    if (slot < 2)
        return; // too narrow for ticks to mean anything
    for (int i = 0; i <= kMaxNumber; ++i) {
        const qreal x = i * slot + plot.left();
        if (x <= plot.right())
            painter->drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
    }
}

void TTrendChartView::drawForeground(QPainter* painter, const QRectF& rect) {
    Q_UNUSED(rect)
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (m_line) {
        for (int i = 0; i < kMaxNumber; ++i) {
            const QPointF p = pointPosition(i);
            const QColor colour = numberColour(i + 1);
            painter->setPen(QPen(colour.darker(160), 1));
            painter->setBrush(colour);
            painter->drawRect(
                QRectF(p.x() - kMarkerHalf, p.y() - kMarkerHalf, 2 * kMarkerHalf, 2 * kMarkerHalf));
        }
    }
    painter->setFont(numberLabelFont());
    painter->setPen(kBlack);
    for (const NumberLabel& label : numberLabels())
        painter->drawText(label.rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip,
                          label.text);
    painter->setFont(markFont());
    for (const ValueMark& mark : valueMarks()) {
        painter->setPen(QPen(kGrey, 2));
        painter->drawLine(mark.anchor, QPointF(mark.anchor.x(), mark.rect.bottom()));
        painter->fillRect(mark.rect, kChartMarkFill);
        painter->setPen(kBlack);
        painter->drawText(mark.rect, Qt::AlignCenter, mark.text);
    }
    painter->restore();
}
