#pragma once

#include "analysis/StatsPages.h"

#include <QDialog>
#include <QSize>

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QChartView;
class QComboBox;
class QLabel;
class QLayout;
class QLineSeries;
class QSpinBox;
class QTabWidget;
class QValueAxis;
class StatsGapsModel;
class StatsNumbersModel;
class StatsPairsModel;
class StatsShapeModel;
class StatsTopPairsModel;
class StripedGrid;

// The statistics box: over the latest draws, how often each number came and
// how long it has been away, the pairs, the shapes of the lines and the gaps
// at a glance, each figure beside what chance alone gives.
class TStatsForm : public QDialog {
    Q_OBJECT
public:
    // The size it opens at where the screen has room.
    static constexpr QSize kPreferredSize{1260, 780};

    // The table must hold at least kMinStatsDraws draws; the box shows all of
    // them first.
    explicit TStatsForm(const DrawTable& draws, QWidget* parent = nullptr);

    // Computes every page over the latest `draws` and shows them.
    void editStatsDrawsChange();
    void cmbStatsShapeChange();
    void btnStatsExportClick();

    const StatsPages& pages() const { return m_pages; }
    // The rows the export writes for the page on show: titles first.
    QVector<QStringList> exportRows() const;

private:
    QLayout* buildRange();
    QWidget* buildNumbers();
    QWidget* buildPairs();
    QWidget* buildShapes();
    QWidget* buildGaps();
    QLayout* buildButtons();
    QChartView* buildNumbersChart();
    QChartView* buildShapeChart();
    void showNumbersChart();
    void showShapeChart();

    const DrawTable& m_draws;
    StatsPages m_pages;

    QSpinBox* m_drawCount = nullptr;
    QLabel* m_range = nullptr;
    QTabWidget* m_tabs = nullptr;

    StatsNumbersModel* m_numbers = nullptr;
    StripedGrid* m_numbersGrid = nullptr;
    QLabel* m_uniformity = nullptr;
    QBarSet* m_numberBars = nullptr;
    QLineSeries* m_expectedLine = nullptr;
    QLineSeries* m_lowLine = nullptr;
    QLineSeries* m_highLine = nullptr;
    QValueAxis* m_numbersAxis = nullptr;

    StatsPairsModel* m_pairs = nullptr;
    StripedGrid* m_pairsGrid = nullptr;
    StatsTopPairsModel* m_topPairs = nullptr;
    StripedGrid* m_topPairsGrid = nullptr;
    QLabel* m_pairsText = nullptr;

    QComboBox* m_shape = nullptr;
    StatsShapeModel* m_shapeModel = nullptr;
    StripedGrid* m_shapeGrid = nullptr;
    QLabel* m_shapeText = nullptr;
    QBarSet* m_shapeBars = nullptr;
    QBarSet* m_shapeExpectedBars = nullptr;
    QBarCategoryAxis* m_shapeValues = nullptr;
    QValueAxis* m_shapeAxis = nullptr;

    StatsGapsModel* m_gaps = nullptr;
    StripedGrid* m_gapsGrid = nullptr;
    QLabel* m_gapsNote = nullptr;
};
