#pragma once

#include "data/DrawTable.h"

#include <QWidget>

class QComboBox;
class QPushButton;
class TTrendChartView;

// "データの傾向と分析": how often each number was drawn, as a bar chart over
// the newest draws or all draws, or as a line chart per basic number. It reads
// the window's draw table and position counts.
class TChartsPage : public QWidget {
    Q_OBJECT
public:
    TChartsPage(const DrawTable& draws, const PositionCounts& counts, QWidget* parent = nullptr);

    // Both charts hidden, as before the first load.
    void initControls();
    // After each load: the first kind, drawn as a step of the load.
    void drawFirstChart();
    // The same outside any command: for a page built after the load.
    void showFirstChart();

    QComboBox* kindList() const { return m_kinds; }
    TTrendChartView* barChart() const { return m_barChart; }
    TTrendChartView* lineChart() const { return m_lineChart; }

    // Handlers.
    void btnChartExecClick();
    void cmbChartKindChange();

private:
    void showKind(int kind);

    const DrawTable& m_draws;
    const PositionCounts& m_counts;
    QComboBox* m_kinds = nullptr;
    QPushButton* m_exec = nullptr;
    TTrendChartView* m_barChart = nullptr;
    TTrendChartView* m_lineChart = nullptr;
};
