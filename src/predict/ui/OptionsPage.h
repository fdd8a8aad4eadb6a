#pragma once

#include "common/ComType.h"

#include <QWidget>

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
