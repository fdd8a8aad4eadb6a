#include "analysis/ui/StatsForm.h"

#include "analysis/ui/StatsModels.h"
#include "common/CsvFile.h"
#include "common/ui/BusyScope.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/FormStyle.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StripedGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "common/ui/YenChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <numeric>

namespace {

// Sizes of the box's controls, in pixels. The box is laid out: the charts
// take what room the grids leave.
namespace geometry {
constexpr int kGridFont = 13;
constexpr int kTitleFont = 12;
constexpr int kHeatFont = 11;
constexpr int kSpinWidth = 90;
constexpr int kRowHeight = 20;
constexpr int kHeatRowHeight = 18;
constexpr int kScrollRoom = 20; // a vertical scroll bar and the frame
constexpr int kChartMinimumHeight = 200;
constexpr int kChartMinimumWidth = 300;
constexpr int kTopPairsWidth = 262;
// Per NumbersColumn.
const QList<int> kNumbersColumns{44, 60, 70, 64, 84, 48, 64, 72, 90};
const QList<int> kTopPairsColumns{62, 44, 62, 80};
// Per ShapeColumn.
const QList<int> kShapeColumns{90, 60, 80, 90, 80};
constexpr int kNumberLabelColumn = 28; // the heat map's row numbers
constexpr int kNumberColumn = 24;      // a number's column in the heat map and gap table
constexpr int kDrawColumn = 60;        // the gap table's draw numbers
} // namespace geometry

constexpr FormStyle kStyle{};

enum Page { NumbersTab, PairsTab, ShapesTab, GapsTab };

int widthOf(const QList<int>& columns) {
    return std::accumulate(columns.cbegin(), columns.cend(), geometry::kScrollRoom);
}

QList<int> numberColumns(int first) {
    QList<int> widths{first};
    for (int n = 1; n <= kMaxNumber; ++n)
        widths.append(geometry::kNumberColumn);
    return widths;
}

StripedGrid* grid(QWidget* parent, const char* name, QAbstractItemModel* model,
                  const QList<int>& columns, int font = geometry::kGridFont,
                  int rowHeight = geometry::kRowHeight) {
    return formGrid(parent, QString::fromLatin1(name), model, StripedGrid::Placement::Centred,
                    {fixedGothicFont(font), fixedGothicFont(std::min(font, geometry::kTitleFont)),
                     rowHeight, columns});
}

QLabel* sentence(const char* name) {
    QLabel* label = kStyle.caption(QString(), QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

// A chart in the trend charts' look, its legend on top.
QChartView* chartView(QWidget* parent, const char* name) {
    QChartView* view = trendLookChart(parent, QString::fromLatin1(name), kStyle.smallPixelSize);
    view->setMinimumSize(geometry::kChartMinimumWidth, geometry::kChartMinimumHeight);
    return view;
}

QValueAxis* countAxis(QChart* chart) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setLabelsFont(gothicFont(kStyle.smallPixelSize));
    chart->addAxis(axis, Qt::AlignLeft);
    return axis;
}

void setCountRange(QValueAxis* axis, double top) {
    axis->setRange(0, std::max(1.0, top * 1.05));
    axis->applyNiceNumbers();
}

QBarSet* barSet(const QString& name, const QColor& colour) {
    auto* set = new QBarSet(name);
    set->setColor(colour);
    set->setBorderColor(colour);
    return set;
}

// A level across the whole category axis.
void setLevel(QLineSeries* line, double value, int categories) {
    line->replace({QPointF(-0.5, value), QPointF(categories - 0.5, value)});
}

// The titles and rows of a grid as the user sees them.
QVector<QStringList> modelRows(const QAbstractItemModel& model) {
    QVector<QStringList> rows;
    QStringList titles;
    for (int column = 0; column < model.columnCount(); ++column)
        titles.append(model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    rows.append(titles);
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < model.columnCount(); ++column)
            cells.append(model.index(row, column).data(Qt::DisplayRole).toString());
        rows.append(cells);
    }
    return rows;
}

} // namespace

TStatsForm::TStatsForm(const DrawTable& draws, QWidget* parent) : QDialog(parent), m_draws(draws) {
    kStyle.setUp(this, QStringLiteral("StatsForm"), QStringLiteral("統計"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildRange());
    m_tabs = kStyle.control(new QTabWidget, QStringLiteral("tabStatsPages"));
    m_tabs->addTab(buildNumbers(), QStringLiteral("出現回数"));
    m_tabs->addTab(buildPairs(), QStringLiteral("ペア"));
    m_tabs->addTab(buildShapes(), QStringLiteral("形"));
    m_tabs->addTab(buildGaps(), QStringLiteral("空白の表"));
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buildButtons());
    editStatsDrawsChange();
    resize(kPreferredSize);
}

QLayout* TStatsForm::buildRange() {
    m_drawCount = kStyle.spin(QStringLiteral("editStatsDraws"), kMinStatsDraws,
                              std::max(kMinStatsDraws, m_draws.count()), geometry::kSpinWidth);
    m_drawCount->setValue(m_draws.count());
    // Typing a number refreshes once, when it is complete.
    m_drawCount->setKeyboardTracking(false);
    m_range = kStyle.caption(QString(), QStringLiteral("lblStatsRange"));
    // Room for the longest range, so that the row keeps still as it changes.
    m_range->setMinimumWidth(
        m_range->fontMetrics().horizontalAdvance(statsRangeText({99'999, 99'999, 99'999})) + 8);
    connect(m_drawCount, &QSpinBox::valueChanged, this, [this] { editStatsDrawsChange(); });
    return kStyle.row({kStyle.caption(QStringLiteral("最新の")), m_drawCount,
                       kStyle.caption(QStringLiteral("回を集計:")), m_range});
}

QWidget* TStatsForm::buildNumbers() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabStatsNumbers"));
    m_numbers = new StatsNumbersModel(this);
    m_numbersGrid = grid(page, "gridStatsNumbers", m_numbers, geometry::kNumbersColumns);
    m_numbersGrid->setFixedWidth(widthOf(geometry::kNumbersColumns));
    m_numbersGrid->horizontalHeader()->setSectionsClickable(true);
    m_numbersGrid->setSortingEnabled(true);
    m_numbersGrid->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    m_numbersGrid->horizontalHeader()->setToolTip(
        QStringLiteral("列の見出しをクリックすると並べ替えます。"));
    m_uniformity = sentence("lblStatsUniformity");
    auto* right = new QVBoxLayout;
    right->addWidget(buildNumbersChart(), 1);
    right->addWidget(m_uniformity);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_numbersGrid);
    layout->addLayout(right, 1);
    return page;
}

QChartView* TStatsForm::buildNumbersChart() {
    QChartView* view = chartView(this, "chartStatsNumbers");
    QChart* chart = view->chart();
    // 37 category labels do not fit a narrow chart: bar n stands at n - 1 of
    // a value axis labelled at every fifth number.
    auto* numbers = new QCategoryAxis;
    numbers->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (const int n : {1, 5, 10, 15, 20, 25, 30, 35, 37})
        numbers->append(QString::number(n), n - 1);
    numbers->setRange(-0.5, kMaxNumber - 0.5);
    numbers->setLabelsFont(gothicFont(kStyle.smallPixelSize));
    chart->addAxis(numbers, Qt::AlignBottom);
    m_numbersAxis = countAxis(chart);
    m_numberBars = barSet(QStringLiteral("本数字の回数"), kStatsBar);
    auto* bars = new QBarSeries;
    bars->append(m_numberBars);
    bars->setBarWidth(0.7);
    chart->addSeries(bars);
    bars->attachAxis(numbers);
    bars->attachAxis(m_numbersAxis);
    const auto level = [&](const QString& name, const QPen& pen) {
        auto* line = new QLineSeries;
        line->setName(name);
        line->setPen(pen);
        chart->addSeries(line);
        line->attachAxis(numbers);
        line->attachAxis(m_numbersAxis);
        return line;
    };
    m_expectedLine = level(QStringLiteral("期待値"), QPen(kChartRed, 2));
    m_lowLine = level(QStringLiteral("95 %範囲"), QPen(kTeal, 2, Qt::DashLine));
    m_highLine = level(QStringLiteral("95 %範囲"), QPen(kTeal, 2, Qt::DashLine));
    for (QLegendMarker* marker : chart->legend()->markers(m_highLine))
        marker->setVisible(false); // one entry for both ends of the range
    return view;
}

QWidget* TStatsForm::buildPairs() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabStatsPairs"));
    m_pairs = new StatsPairsModel(this);
    m_pairsGrid = grid(page, "gridStatsPairs", m_pairs, numberColumns(geometry::kNumberLabelColumn),
                       geometry::kHeatFont, geometry::kHeatRowHeight);
    m_pairsGrid->horizontalHeader()->setStretchLastSection(false);
    m_topPairs = new StatsTopPairsModel(this);
    m_topPairsGrid = grid(page, "gridStatsTopPairs", m_topPairs, geometry::kTopPairsColumns);
    m_topPairsGrid->setMinimumHeight((kTopPairs + 1) * geometry::kRowHeight + 8);
    m_pairsText = sentence("lblStatsPairs");
    auto* side = new QWidget;
    side->setObjectName(QStringLiteral("pnlStatsTopPairs"));
    side->setFixedWidth(geometry::kTopPairsWidth);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(kStyle.caption(QStringLiteral("多いペア")));
    sideLayout->addWidget(m_topPairsGrid);
    sideLayout->addWidget(m_pairsText);
    sideLayout->addWidget(kStyle.caption(QStringLiteral("色: 期待値より多いほど赤、少ないほど青"),
                                         QStringLiteral("lblStatsPairsKey"),
                                         kStyle.smallPixelSize));
    sideLayout->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_pairsGrid, 1);
    layout->addWidget(side);
    return page;
}

QWidget* TStatsForm::buildShapes() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabStatsShapes"));
    m_shape = kStyle.control(new QComboBox, QStringLiteral("cmbStatsShape"));
    for (int s = 0; s < kShapeCount; ++s)
        m_shape->addItem(shapeName(static_cast<Shape>(s)));
    connect(m_shape, &QComboBox::currentIndexChanged, this, [this] { cmbStatsShapeChange(); });
    m_shapeModel = new StatsShapeModel(this);
    m_shapeGrid = grid(page, "gridStatsShape", m_shapeModel, geometry::kShapeColumns);
    m_shapeGrid->setFixedWidth(widthOf(geometry::kShapeColumns));
    m_shapeText = sentence("lblStatsShape");
    QHBoxLayout* choice = kStyle.row({kStyle.caption(QStringLiteral("形")), m_shape});
    auto* figures = new QHBoxLayout;
    figures->addWidget(m_shapeGrid);
    figures->addWidget(buildShapeChart(), 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(choice);
    layout->addLayout(figures, 1);
    layout->addWidget(m_shapeText);
    return page;
}

QChartView* TStatsForm::buildShapeChart() {
    QChartView* view = chartView(this, "chartStatsShape");
    QChart* chart = view->chart();
    m_shapeValues = new QBarCategoryAxis;
    m_shapeValues->setLabelsFont(gothicFont(kStyle.smallPixelSize));
    m_shapeValues->setTitleFont(gothicFont(kStyle.smallPixelSize));
    chart->addAxis(m_shapeValues, Qt::AlignBottom);
    m_shapeAxis = countAxis(chart);
    m_shapeBars = barSet(QStringLiteral("実際の回数"), kStatsBar);
    m_shapeExpectedBars = barSet(QStringLiteral("偶然の期待回数"), kStatsExpectedBar);
    auto* bars = new QBarSeries;
    bars->append(m_shapeBars);
    bars->append(m_shapeExpectedBars);
    chart->addSeries(bars);
    bars->attachAxis(m_shapeValues);
    bars->attachAxis(m_shapeAxis);
    return view;
}

QWidget* TStatsForm::buildGaps() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabStatsGaps"));
    m_gaps = new StatsGapsModel(this);
    m_gapsGrid = grid(page, "gridStatsGaps", m_gaps, numberColumns(geometry::kDrawColumn));
    m_gapsGrid->horizontalHeader()->setStretchLastSection(false);
    m_gapsNote = sentence("lblStatsGaps");
    auto* key = kStyle.caption(QStringLiteral("● 本数字　○ ボーナス数字"),
                               QStringLiteral("lblStatsGapsKey"), kStyle.smallPixelSize);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(key);
    layout->addWidget(m_gapsGrid, 1);
    layout->addWidget(m_gapsNote);
    return page;
}

QLayout* TStatsForm::buildButtons() {
    auto* notice = kStyle.caption(statsReminderText(), QStringLiteral("lblStatsNotice"),
                                  kStyle.pixelSize, true);
    setTextColour(notice, kNavy);
    auto* exportButton = kStyle.button(QStringLiteral("btnStatsExport"), QStringLiteral("CSV出力"));
    auto* close = kStyle.button(QStringLiteral("btnStatsClose"), QStringLiteral("閉じる"));
    connect(exportButton, &QPushButton::clicked, this, [this] { btnStatsExportClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return kStyle.buttonRow({notice}, {exportButton, close});
}

void TStatsForm::editStatsDrawsChange() {
    runHandler(this, [this] {
        const BusyCursor cursor;
        m_pages = statsPages(m_draws, m_drawCount->value());
        m_range->setText(statsRangeText(m_pages.range));
        m_numbers->setPage(m_pages.numbers);
        m_uniformity->setText(uniformityText(m_pages.numbers.uniformity));
        showNumbersChart();
        m_pairs->setPage(m_pages.pairs);
        m_topPairs->setPage(m_pages.pairs);
        m_pairsText->setText(pairsText(m_pages.pairs));
        m_gaps->setTable(m_pages.gaps);
        m_gapsNote->setText(gapNoteText(m_pages.gaps));
        cmbStatsShapeChange();
    });
}

void TStatsForm::showNumbersChart() {
    const NumbersPage& page = m_pages.numbers;
    QList<qreal> counts;
    int most = 0;
    for (const NumberStats& row : page.rows) {
        counts.append(row.mainCount);
        most = std::max(most, row.mainCount);
    }
    m_numberBars->remove(0, m_numberBars->count());
    m_numberBars->append(counts);
    setLevel(m_expectedLine, page.expected, kMaxNumber);
    setLevel(m_lowLine, page.chance.low, kMaxNumber);
    setLevel(m_highLine, page.chance.high, kMaxNumber);
    setCountRange(m_numbersAxis, std::max(most, page.chance.high));
}

void TStatsForm::cmbStatsShapeChange() {
    const int index = std::clamp(m_shape->currentIndex(), 0, kShapeCount - 1);
    const ShapePage& page = m_pages.shapes.at(index);
    m_shapeModel->setPage(page);
    m_shapeText->setText(shapeTestText(page));
    showShapeChart();
}

void TStatsForm::showShapeChart() {
    const ShapePage& page =
        m_pages.shapes.at(std::clamp(m_shape->currentIndex(), 0, kShapeCount - 1));
    QStringList labels;
    QList<qreal> counts;
    QList<qreal> expected;
    double top = 0;
    for (const ShapeRow& row : page.rows) {
        // The sums' bands by their lower ends: "20～29" crowds the axis.
        labels.append(page.shape == Shape::Sum ? row.label.section(QChar(0xFF5E), 0, 0)
                                               : row.label);
        counts.append(row.count);
        expected.append(row.expected);
        top = std::max({top, static_cast<double>(row.count), row.expected});
    }
    m_shapeBars->remove(0, m_shapeBars->count());
    m_shapeExpectedBars->remove(0, m_shapeExpectedBars->count());
    m_shapeValues->clear();
    m_shapeValues->append(labels);
    m_shapeValues->setTitleText(page.shape == Shape::Sum ? QStringLiteral("合計（10ごとの区切り）")
                                                         : shapeName(page.shape));
    m_shapeBars->append(counts);
    m_shapeExpectedBars->append(expected);
    setCountRange(m_shapeAxis, top);
}

QVector<QStringList> TStatsForm::exportRows() const {
    switch (m_tabs->currentIndex()) {
    case PairsTab:
        return modelRows(*m_pairs);
    case ShapesTab:
        return modelRows(*m_shapeModel);
    case GapsTab:
        return modelRows(*m_gaps);
    default:
        return modelRows(*m_numbers);
    }
}

void TStatsForm::btnStatsExportClick() {
    const QString page = m_tabs->tabText(m_tabs->currentIndex());
    const SaveFileRequest request =
        csvSaveRequest(QStringLiteral("dlgStatsSave"), QStringLiteral("統計をCSVファイルに保存"),
                       QStringLiteral("統計_%1_第%2-%3回.csv")
                           .arg(page)
                           .arg(m_pages.range.firstDraw)
                           .arg(m_pages.range.lastDraw));
    saveFileAsked(this, request, [this] { return csvFileBytes(exportRows()); });
}
