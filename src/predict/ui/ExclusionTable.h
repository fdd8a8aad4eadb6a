#pragma once

#include "common/ComType.h"
#include "common/ui/UiWidgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QList>

#include <functional>

class PositionCounts;
class QFrame;
class QPushButton;
class QTabBar;

// One of the 37 number panels: a bevelled caption that reports clicks. A
// disabled panel takes no clicks.
class TNumberPanel : public QLabel {
    Q_OBJECT
public:
    enum class Look { Unmarked, Excluded, InRange };
    TNumberPanel(int number, QWidget* parent);

    int number() const { return m_number; }
    // The mark (the tag): 1 when marked, 0 otherwise.
    int mark() const;
    Look look() const { return m_look; }
    void setLook(Look look);

signals:
    void clicked(TNumberPanel* panel);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int m_number;
    Look m_look = Look::Unmarked;
};

// The lower group of the options tab, `groupDeleteNumber`: either the
// exclusion editor (numbers marked for exclusion, applied by "予想に反映") or
// the range view of one basic number (the numbers drawn at least T times
// there, for reference only). It holds the applied exclusion set that the
// generation reads.
class TExclusionTable : public TCaptionedGroup {
    Q_OBJECT
public:
    // `rangeViewWanted` says whether the range view is the chosen mode, and
    // `thresholdText` gives the threshold field's text as it stands.
    TExclusionTable(TSettings& settings, const PositionCounts& counts,
                    std::function<bool()> rangeViewWanted, std::function<QString()> thresholdText,
                    QWidget* parent = nullptr);

    // Start state: captions "01".."37", no marks, nothing applied.
    void initControls();

    // The two set-ups of the group. The first part runs before the options
    // page updates its enabled state, the second after it.
    void prepareExclusionEditor();
    void showExclusionEditor();
    void prepareRangeView();
    void showRangeView();

    const NumberSet& appliedExclusions() const { return m_applied; }
    int markedCount() const { return m_markedCount; }
    TNumberPanel* panel(int number) const { return m_panels.at(number - 1); }
    QTabBar* tabBar() const { return m_tabs; }

    // Handlers.
    // Repaints the range view for the selected tab; a threshold that is not a
    // whole number is reported and the panels keep their look.
    void TabControl1Change();
    void ComSet_PnlBtnClick(TNumberPanel* panel);
    void btnUpdateClick();
    void btnDeleteClearClick();

private:
    void replaceTabs(const QStringList& captions, const QFont& font);
    // The caption in fuchsia, or in blue for the range view.
    void setCaption(const QString& text, bool rangeView);

    TSettings& m_settings;
    const PositionCounts& m_counts;
    std::function<bool()> m_rangeViewWanted;
    std::function<QString()> m_thresholdText;
    NumberSet m_applied{};
    int m_markedCount = 0;
    QTabBar* m_tabs = nullptr;
    QFrame* m_pane = nullptr;
    QList<TNumberPanel*> m_panels;
    QPushButton* m_update = nullptr;
    QPushButton* m_clear = nullptr;
};
