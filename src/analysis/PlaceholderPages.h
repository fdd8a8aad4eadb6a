#pragma once

#include "common/ComType.h"

#include <QWidget>

#include "common/DrawNumberEdit.h"

// Pages whose contents arrive with the prediction, matching and chart
// features. They already offer what the window calls on them, so that the
// start-up and the loader run their full sequence.

// "予想オプション設定": prediction options and the exclusion table.
class TOptionsPage : public QWidget {
    Q_OBJECT
public:
    explicit TOptionsPage(QWidget* parent = nullptr);
    void initControls() {}
    // Shows the stored options without resetting them to the defaults first.
    void applyStoredOptions(const TSettings& settings) { m_applied = settings; }

private:
    TSettings m_applied;
};

// "オンラインデータ照合": matching saved lines against a draw's result.
class TMatchingPage : public QWidget {
    Q_OBJECT
public:
    explicit TMatchingPage(QWidget* parent = nullptr);
    void initControls() {}
    void refresh() {}
    QString drawNumberText() const { return m_drawNumber->drawNumberText(); }
    void setDrawNumberText(const QString& text) { m_drawNumber->setDrawNumberText(text); }

private:
    TDrawNumberEdit* m_drawNumber;
};

// "データの傾向と分析": trend charts.
class TChartsPage : public QWidget {
    Q_OBJECT
public:
    explicit TChartsPage(QWidget* parent = nullptr);
    void initControls() {}
    void drawFirstChart() {}
};
