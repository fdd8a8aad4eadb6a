#include "analysis/ui/ChartsPage.h"

#include "analysis/ChartCounts.h"
#include "analysis/ui/TrendChartView.h"
#include "common/ui/BusyScope.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
// The chart kind and its button in one row; both charts below, one above the other.
constexpr QRect kKindCaption{8, 8, 80, 28}, kKinds{90, 8, 330, 28}, kExec{430, 7, 150, 30};
constexpr QRect kChart{8, 42, 622, 418};
} // namespace geometry

} // namespace

TChartsPage::TChartsPage(const DrawTable& draws, const PositionCounts& counts, QWidget* parent)
    : QWidget(parent), m_draws(draws), m_counts(counts) {
    setObjectName(QStringLiteral("TabSheet3"));

    auto* label = new QLabel(QStringLiteral("グラフ種別"), this);
    label->setObjectName(QStringLiteral("Label6"));
    label->setGeometry(geometry::kKindCaption);
    label->setFont(gothicFont(14, true));

    m_kinds = new QComboBox(this);
    m_kinds->setObjectName(QStringLiteral("cmbChartKind"));
    m_kinds->setEditable(false);
    m_kinds->addItems(chartKindCaptions());
    m_kinds->setMaxVisibleItems(15);
    m_kinds->setFont(gothicFont(14));
    m_kinds->setGeometry(geometry::kKinds);
    connect(m_kinds, &QComboBox::currentIndexChanged, this, &TChartsPage::cmbChartKindChange);

    m_exec = makeButton(this, QStringLiteral("btnChartExec"), QStringLiteral("傾向グラフ表示"),
                        QString(), kBlack);
    m_exec->setGeometry(geometry::kExec);
    connect(m_exec, &QPushButton::clicked, this, &TChartsPage::btnChartExecClick);

    // The bar chart lies above the line chart in the same area.
    m_lineChart = new TTrendChartView(TTrendChartView::Shape::Line, QStringLiteral("BarSeries1"),
                                      QStringLiteral("統計グラフ"), this);
    m_lineChart->setObjectName(QStringLiteral("chartSelect6"));
    m_barChart = new TTrendChartView(TTrendChartView::Shape::Bar, QStringLiteral("PointSeries1"),
                                     QStringLiteral("集計グラフ"), this);
    m_barChart->setObjectName(QStringLiteral("chartSelect43"));
    for (TTrendChartView* chart : {m_lineChart, m_barChart})
        chart->setGeometry(geometry::kChart);
    initControls();
}

void TChartsPage::initControls() {
    m_barChart->hide();
    m_lineChart->hide();
}

void TChartsPage::drawFirstChart() {
    m_kinds->setCurrentIndex(0);
    btnChartExecClick();
}

void TChartsPage::showFirstChart() {
    m_kinds->setCurrentIndex(0);
    showKind(0);
}

void TChartsPage::cmbChartKindChange() {
    // The area stays empty until the button draws the new kind.
    m_barChart->hide();
    m_lineChart->hide();
}

void TChartsPage::btnChartExecClick() {
    const int kind = m_kinds->currentIndex();
    if (kind < 0 || kind >= kChartKindCount)
        return;
    // Inside the loader this is a step of the load; clicked, a command of its own.
    const BusyScope busy;
    if (busy.entered())
        showKind(kind);
}

void TChartsPage::showKind(int kind) {
    TTrendChartView* shown = isBarKind(kind) ? m_barChart : m_lineChart;
    TTrendChartView* other = shown == m_barChart ? m_lineChart : m_barChart;
    shown->setValues(chartValues(kind, m_draws, m_counts));
    other->hide();
    shown->show();
}
