#include "analysis/ui/MatchingPage.h"

#include "analysis/Matching.h"
#include "common/Clock.h"
#include "common/CommaText.h"
#include "common/ProgramFiles.h"
#include "common/ui/BusyScope.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "entries/EntryFile.h"
#include "entries/ui/EntryGrid.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
// In the draw-number group: the button and the guide beside the number, the grid below.
constexpr QRect kExec{164, 14, 110, 34}, kGuide{284, 14, 324, 34};
constexpr QRect kGrid{14, 58, 594, 380};
} // namespace geometry

const QString kNoData = QStringLiteral("保存データがありません…。");
const QString kReady = QStringLiteral("抽選結果と申込数字を照合します。");
const QString kRunning = QStringLiteral("抽選結果と照合中です…。");
const QString kDone = QStringLiteral("抽選結果を確認してください。");
const QString kNoMatch = QStringLiteral("抽選結果と照合できません…。");
const QString kNoMatchBox =
    QStringLiteral("抽選結果と照合できません…。最新の抽選データをダウンロードしてください。");

constexpr int kColumns = 9;
constexpr int kResultColumn = 8;
constexpr int kStepPause = 200; // ms between two results, to pace the display
} // namespace

TMatchingPage::TMatchingPage(const DrawTable& draws, QWidget* parent)
    : QWidget(parent), m_draws(draws) {
    setObjectName(QStringLiteral("TabSheet5"));
    const DrawNumberRow row =
        makeDrawNumberRow(this, QStringLiteral("groupHitSel"), QStringLiteral("Label3"),
                          QStringLiteral("editSelectNum"));
    QGroupBox* group = row.group;
    m_drawNumber = row.edit;
    m_drawNumber->setDrawNumberText(QStringLiteral("700"));
    connect(m_drawNumber, &TSpinEdit::editTextChanged, this, &TMatchingPage::editSelectNumChange);

    m_exec =
        makeButton(group, QStringLiteral("btnExec"), QStringLiteral("照合開始"), QString(), kNavy);
    m_exec->setGeometry(geometry::kExec);
    connect(m_exec, &QPushButton::clicked, this, &TMatchingPage::btnExecClick);

    m_guide = makePanel(group, QStringLiteral("pnlHitGuide"), Qt::AlignCenter, 14);
    m_guide->setGeometry(geometry::kGuide);

    // Centred both ways: the fallback Gothic fonts have a line box taller than
    // the 22-pixel row, so text set at the top would lose its lower part.
    m_grid = new StringGrid(kColumns, StringGrid::Highlight::Always, StringGrid::Placement::Centred,
                            group);
    m_grid->setObjectName(QStringLiteral("gridHitSel"));
    m_grid->setFont(fixedGothicFont(19));
    m_grid->horizontalHeader()->setFont(gothicFont(14));
    // The large font would raise the rows above the height they are given.
    m_grid->verticalHeader()->setMinimumSectionSize(22);
    m_grid->setDataRowHeight(22);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_grid->setGeometry(geometry::kGrid);
    initControls();
    // No lines until the first load of the draw table sets the draw number.
    m_guide->setText(kNoData);
    m_exec->setEnabled(false);
}

void TMatchingPage::presetDrawNumberText(const QString& text) {
    const QSignalBlocker quiet(m_drawNumber);
    m_drawNumber->setDrawNumberText(text);
}

void TMatchingPage::initControls() {
    QStringList titles = entryGridTitles();
    titles.append(QStringLiteral("照合結果"));
    m_grid->setTitles(titles);
    m_grid->setColumnWidths({75, 32, 32, 32, 32, 32, 32, 29, 276});
}

void TMatchingPage::setDrawNumberText(const QString& text) {
    const QString before = drawNumberText();
    m_drawNumber->setDrawNumberText(text);
    if (drawNumberText() == before) // no change signal: load all the same
        editSelectNumChange();
}

void TMatchingPage::editSelectNumChange() {
    runHandler(this, [this] { loadLines(); });
}

void TMatchingPage::loadLines() {
    m_grid->resetToPlaceholder();
    const QString path = entryFilePath(drawNumberText()); // empty for a text that is no number
    const QStringList lines = path.isEmpty() ? QStringList() : ReadLines(path);
    if (lines.isEmpty()) {
        m_guide->setText(kNoData);
        m_exec->setEnabled(false);
        return;
    }
    // Every line of the file is listed, whatever draw number it names; a
    // ninth field is not a result, so the result column starts empty.
    QVector<QStringList> rows;
    rows.reserve(lines.size());
    for (const QString& line : lines)
        rows.append(gridRowFromFields(splitCommaText(line), kEntryFields));
    m_grid->setRows(std::move(rows));
    m_guide->setText(kReady);
    m_exec->setEnabled(true);
}

void TMatchingPage::btnExecClick() {
    int matched = 0;
    {
        const BusyScope busy; // tabs and menu (download) locked, busy cursor
        if (!busy.entered())
            return;
        m_guide->setText(kRunning);
        m_guide->repaint();
        if (!showResults(matched))
            return; // the window is closing: it closes once the scope has ended
    }
    if (matched == 0) {
        showGuideMessage(this, kNoMatchBox);
        m_guide->setText(kNoMatch);
    } else {
        m_guide->setText(kDone);
    }
}

bool TMatchingPage::showResults(int& matched) {
    const QVector<MatchStep> steps = matchingSteps(m_grid->dataRows(), m_draws);
    matched = static_cast<int>(steps.size());
    for (const MatchStep& step : steps) {
        setResult(step.row, step.result);
        Clock::pause(kStepPause);
        if (BusyState::stopRequested())
            return false;
        m_grid->setCurrentDataRow(step.row); // scrolls the row into view
        m_grid->viewport()->update();
    }
    return true;
}

void TMatchingPage::setResult(int row, const QString& text) {
    QStringList cells = m_grid->rowCells(row);
    cells[kResultColumn] = text;
    m_grid->gridModel()->setRowCells(row, cells);
}
