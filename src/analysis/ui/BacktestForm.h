#pragma once

#include "analysis/Backtest.h"
#include "analysis/LineFilter.h"
#include "common/ComType.h"
#include "common/ui/BusyScope.h"

#include <QDialog>
#include <QSize>

#include <optional>

class QCategoryAxis;
class QChartView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QLineSeries;
class QPushButton;
class QSpinBox;
class QValueAxis;
class StringGrid;

// The back-test box: a generation mode replayed over past draws beside what
// random lines give on the same draws, and a filter's share of all lines
// beside its share of the real results.
class TBacktestForm : public QDialog {
    Q_OBJECT
public:
    // The size it opens at where the screen has room.
    static constexpr QSize kPreferredSize{1120, 740};

    // The exclusion set and the threshold are the ones stored on the options
    // tab; the mode shown first is the one chosen there.
    TBacktestForm(const DrawTable& draws, const PrizeTable& prizes, const TSettings& settings,
                  QWidget* parent = nullptr);

    void btnBacktestRunClick();
    void btnBacktestExportClick();
    void btnFilterCheckClick();

    const BacktestResult& result() const { return m_result; }

    // How long a run goes before it shows its progress in the please-wait
    // box; tests set 0.
    static void setProgressDelay(int milliseconds);

    // Closing the box during a run stops the run first.
    void reject() override;

private:
    QWidget* buildReplay();
    QWidget* buildFilter();
    void connectFilterChanges();
    QLayout* buildTotals();
    QWidget* buildChart();
    QLayout* buildButtons();
    void cmbBacktestRuleChange();
    BacktestOptions currentOptions() const;
    LineFilter currentFilter() const;
    void showResult(const QString& note);
    void clearResult();
    void showChart();

    const DrawTable& m_draws;
    const PrizeTable& m_prizes;
    NumberSet m_excluded{};
    int m_threshold = 0;
    BacktestResult m_result;
    BacktestOptions m_resultOptions;           // what produced m_result
    std::optional<LineFilter> m_checkedFilter; // the one m_filterResult judges
    LongRun m_run;

    QComboBox* m_rule = nullptr;
    QSpinBox* m_lines = nullptr;
    QSpinBox* m_drawCount = nullptr;
    QSpinBox* m_seed = nullptr;
    QLabel* m_ruleOptions = nullptr;
    QLabel* m_verdict = nullptr;
    QLabel* m_note = nullptr;
    QLabel* m_rangeText = nullptr;
    std::array<QLabel*, 5> m_modeTotals{};
    std::array<QLabel*, 5> m_chanceTotals{};
    StringGrid* m_grid = nullptr;
    QChartView* m_chart = nullptr;
    QLineSeries* m_costSeries = nullptr;
    QLineSeries* m_wonSeries = nullptr;
    QLineSeries* m_chanceSeries = nullptr;
    QValueAxis* m_drawAxis = nullptr;
    QCategoryAxis* m_yenAxis = nullptr;

    struct RangeControls {
        QCheckBox* on = nullptr;
        QSpinBox* min = nullptr;
        QSpinBox* max = nullptr;
    };
    std::array<RangeControls, kFilterFigures.size()> m_ranges{}; // as kFilterFigures
    QCheckBox* m_forbiddenOn = nullptr;
    QLineEdit* m_forbidden = nullptr;
    QLabel* m_filterResult = nullptr;
};
