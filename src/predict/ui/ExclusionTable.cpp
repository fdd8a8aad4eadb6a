#include "predict/ui/ExclusionTable.h"

#include "common/Fields.h"
#include "common/Formats.h"
#include "common/ui/MessageBox.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "data/DrawTable.h"
#include "predict/ExclusionText.h"
#include "predict/GenerationRule.h"

#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTabBar>

namespace {

// Where each control sits, in pixels of its parent.
namespace geometry {
// The group: the tab strip over its pane on the left, the buttons on the right.
constexpr QRect kTabs{12, 22, 420, 36}, kPane{12, 58, 420, 176};
constexpr QRect kUpdate{452, 96, 150, 40}, kClear{452, 150, 150, 40};
// The panels in the pane: rows of ten, left to right, top to bottom.
constexpr QPoint kFirstPanel{12, 12};
constexpr int kPanelSide = 33, kPanelPitch = 40, kPanelsPerRow = 10;

constexpr QRect panelAt(int number) {
    const int row = (number - 1) / kPanelsPerRow;
    const int column = (number - 1) % kPanelsPerRow;
    return {kFirstPanel.x() + column * kPanelPitch, kFirstPanel.y() + row * kPanelPitch, kPanelSide,
            kPanelSide};
}
} // namespace geometry

} // namespace

TNumberPanel::TNumberPanel(int number, QWidget* parent) : QLabel(parent), m_number(number) {
    setObjectName(QStringLiteral("Panel%1").arg(number));
    setAlignment(Qt::AlignCenter);
    setLineWidth(2);
    setLook(Look::Unmarked);
}

int TNumberPanel::mark() const {
    return property("tag").toInt();
}

void TNumberPanel::setLook(Look look) {
    m_look = look;
    const bool marked = look != Look::Unmarked;
    // Both bevels raised or both lowered: a two-pixel panel frame.
    setFrameStyle(QFrame::WinPanel | (marked ? QFrame::Sunken : QFrame::Raised));
    setFont(gothicFont(16, marked));
    const QColor colour = look == Look::Excluded  ? kFuchsia
                          : look == Look::InRange ? kBlue
                                                  : kBlack;
    // In every colour group: the range view's panels are disabled and must
    // still show their marks in blue.
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
    setProperty("tag", marked ? 1 : 0);
}

void TNumberPanel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked(this);
}

TExclusionTable::TExclusionTable(TSettings& settings, const PositionCounts& counts,
                                 std::function<bool()> rangeViewWanted,
                                 std::function<QString()> thresholdText, QWidget* parent)
    : TCaptionedGroup(QString(), kFuchsia, parent), m_settings(settings), m_counts(counts),
      m_rangeViewWanted(std::move(rangeViewWanted)), m_thresholdText(std::move(thresholdText)) {
    setObjectName(QStringLiteral("groupDeleteNumber"));
    setCaption(QStringLiteral("除外数字の設定"), false);

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabControl1"));
    m_tabs->setUsesScrollButtons(false);
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    // Narrow padding: the seven large tabs fit over the panels.
    m_tabs->setStyleSheet(
        QStringLiteral(
            "QTabBar::tab { padding: 1px 5px; margin-top: 3px; border: 1px solid %1;"
            " border-bottom: none; border-top-left-radius: 3px; border-top-right-radius: 3px;"
            " background: %2; }"
            "QTabBar::tab:selected { margin-top: 0px; background: palette(window); }")
            .arg(kTabBorder.name(), kTabBackground.name()));
    m_tabs->setGeometry(geometry::kTabs);
    m_tabs->addTab(QStringLiteral("基本数字"));
    connect(m_tabs, &QTabBar::currentChanged, this, [this] { TabControl1Change(); });

    m_pane = new QFrame(this);
    m_pane->setObjectName(QStringLiteral("TabControl1Pane"));
    m_pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_pane->setGeometry(geometry::kPane);
    for (int n = 1; n <= kMaxNumber; ++n) {
        auto* panel = new TNumberPanel(n, m_pane);
        panel->setGeometry(geometry::panelAt(n));
        connect(panel, &TNumberPanel::clicked, this, &TExclusionTable::ComSet_PnlBtnClick);
        m_panels.append(panel);
    }

    m_update =
        makeButton(this, QStringLiteral("btnUpdate"), QStringLiteral("予想に反映"), {}, kNavy);
    m_update->setGeometry(geometry::kUpdate);
    connect(m_update, &QPushButton::clicked, this, &TExclusionTable::btnUpdateClick);
    m_clear = makeButton(this, QStringLiteral("btnDeleteClear"), QStringLiteral("全てクリア"), {},
                         kBlack);
    m_clear->setGeometry(geometry::kClear);
    connect(m_clear, &QPushButton::clicked, this, &TExclusionTable::btnDeleteClearClick);
}

void TExclusionTable::setCaption(const QString& text, bool rangeView) {
    setTitle(text);
    setCaptionColour(rangeView ? kBlue : kFuchsia);
}

void TExclusionTable::replaceTabs(const QStringList& captions, const QFont& font) {
    // Replacing the tabs is not a user's tab change.
    const QSignalBlocker blocker(m_tabs);
    while (m_tabs->count() > 0)
        m_tabs->removeTab(0);
    m_tabs->setFont(font);
    for (const QString& caption : captions)
        m_tabs->addTab(caption);
    m_tabs->setCurrentIndex(0);
}

void TExclusionTable::initControls() {
    for (TNumberPanel* panel : std::as_const(m_panels)) {
        panel->setText(formatTwoDigits(panel->number()));
        panel->setLook(TNumberPanel::Look::Unmarked);
    }
    m_applied = {};
}

void TExclusionTable::prepareExclusionEditor() {
    m_applied = {};
    m_markedCount = 0;
    // Never more marks than a user could set: a longer stored text (edited
    // by hand) shows only the numbers the program keeps of it.
    const NumberSet storedSet = keptExclusions(m_settings.DeleteNum);
    for (TNumberPanel* panel : std::as_const(m_panels)) {
        panel->setEnabled(true);
        const bool stored = storedSet[panel->number() - 1];
        panel->setLook(stored ? TNumberPanel::Look::Excluded : TNumberPanel::Look::Unmarked);
        m_markedCount += stored ? 1 : 0;
    }
}

void TExclusionTable::showExclusionEditor() {
    show();
    replaceTabs({QStringLiteral("除外数字の設定")}, gothicPointFont(14, false));
    setCaption(QStringLiteral("基本数字から選択数字を除外します。"), false);
    m_update->show();
    m_clear->show();
}

void TExclusionTable::prepareRangeView() {
    for (TNumberPanel* panel : std::as_const(m_panels))
        panel->setEnabled(false);
}

void TExclusionTable::showRangeView() {
    show();
    QStringList captions;
    for (int j = 0; j < kPositions; ++j)
        captions.append(QString(QChar(0x3000)) + QChar(0x2460 + j)); // "　①".."　⑦"
    replaceTabs(captions, gothicPointFont(18, true));
    setCaption(QStringLiteral("抽選数字の絞り込み範囲（参照のみ）"), true);
    TabControl1Change();
    m_update->hide();
    m_clear->hide();
}

void TExclusionTable::TabControl1Change() {
    if (!m_rangeViewWanted())
        return;
    runHandler(this, [this] {
        const int position = m_tabs->currentIndex() + 1;
        const int threshold = parseInteger(m_thresholdText().trimmed());
        const NumberSet inRange = numbersAtOrAbove(m_counts, position, threshold);
        for (TNumberPanel* panel : std::as_const(m_panels))
            panel->setLook(inRange[panel->number() - 1] ? TNumberPanel::Look::InRange
                                                        : TNumberPanel::Look::Unmarked);
    });
}

void TExclusionTable::ComSet_PnlBtnClick(TNumberPanel* panel) {
    if (panel->mark() == 1) {
        panel->setLook(TNumberPanel::Look::Unmarked);
        --m_markedCount;
        return;
    }
    if (m_markedCount >= kMaxExcluded) {
        showGuideMessage(this,
                         QStringLiteral("これ以上の除外数字は設定できません。（最大２０個）"));
        return;
    }
    panel->setLook(TNumberPanel::Look::Excluded);
    ++m_markedCount;
}

void TExclusionTable::btnUpdateClick() {
    NumberSet marked{};
    for (const TNumberPanel* panel : std::as_const(m_panels))
        marked[panel->number() - 1] = panel->mark() == 1;
    m_applied = marked;
    m_settings.DeleteNum = exclusionText(marked);
    showGuideMessage(this, QStringLiteral("除外数字を全て反映しました。"));
}

void TExclusionTable::btnDeleteClearClick() {
    if (!askConfirmation(this, QStringLiteral("除外数字が全てリセットされます…。"
                                              "本当によろしいですか？")))
        return;
    m_applied = {};
    m_markedCount = 0;
    m_settings.DeleteNum.clear();
    for (TNumberPanel* panel : std::as_const(m_panels))
        panel->setLook(TNumberPanel::Look::Unmarked);
}
