#pragma once

#include <QWidget>

// "データの傾向と分析": trend charts.
class TChartsPage : public QWidget {
    Q_OBJECT
public:
    explicit TChartsPage(QWidget* parent = nullptr);
    void initControls() {}
    void drawFirstChart() {}
};
