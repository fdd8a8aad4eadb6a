#include "entries/ui/LookupPage.h"

#include "common/CommaText.h"
#include "common/ProgramFiles.h"
#include "common/ui/DrawNumberEdit.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiWidgets.h"
#include "entries/EntryFile.h"
#include "entries/ui/EntryGrid.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace {
// Where each control sits, in pixels of its parent.
namespace geometry {
// In the draw-number group: the guide and the buttons beside the number, the grid below.
constexpr QRect kGuide{162, 14, 250, 34}, kOneDelete{420, 14, 92, 34}, kAllDelete{516, 14, 92, 34};
constexpr QRect kGrid{14, 58, 594, 380};
} // namespace geometry

const QString kNoData = QStringLiteral("保存データがありません…。");
const QString kCanCancel = QStringLiteral("取消し処理がおこなえます。");

} // namespace

TLookupPage::TLookupPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet4"));
    const DrawNumberRow row =
        makeDrawNumberRow(this, QStringLiteral("GroupBox6"), QStringLiteral("Label8"),
                          QStringLiteral("editLoto6Num"));
    QGroupBox* group = row.group;
    m_drawNumber = row.edit;
    connect(m_drawNumber, &TSpinEdit::editTextChanged, this, &TLookupPage::editLoto6NumChange);

    m_guide = makePanel(group, QStringLiteral("pnlSeaGuide"), Qt::AlignCenter, 14);
    m_guide->setGeometry(geometry::kGuide);

    m_oneDelete = makeButton(group, QStringLiteral("btnOneDelete"), QStringLiteral("１行取消"),
                             QStringLiteral("申込み数字を１行除外（削除）します。"), kRed);
    m_oneDelete->setGeometry(geometry::kOneDelete);
    connect(m_oneDelete, &QPushButton::clicked, this, &TLookupPage::btnOneDeleteClick);
    m_allDelete = makeButton(group, QStringLiteral("btnAllDelete"), QStringLiteral("全て取消"),
                             QStringLiteral("申込み数字を全て除外（削除）します。"), kRed);
    m_allDelete->setGeometry(geometry::kAllDelete);
    connect(m_allDelete, &QPushButton::clicked, this, &TLookupPage::btnAllDeleteClick);

    m_grid = makeEntryGrid(group, QStringLiteral("gridLoto6"), StringGrid::Highlight::WhenFocused,
                           StringGrid::Placement::CentredTop);
    m_grid->setGeometry(geometry::kGrid);
    initControls();
}

void TLookupPage::presetDrawNumberText(const QString& text) {
    const QSignalBlocker quiet(m_drawNumber);
    m_drawNumber->setDrawNumberText(text);
}

void TLookupPage::initControls() {
    m_grid->setTitles(entryGridTitles());
    m_grid->setColumnWidths({117, 65, 65, 65, 65, 65, 65, 65});
    m_oneDelete->setEnabled(false);
    m_allDelete->setEnabled(false);
}

void TLookupPage::editLoto6NumChange() {
    runHandler(this, [this] { refresh(); });
}

void TLookupPage::refresh() {
    m_oneDelete->setEnabled(false);
    m_allDelete->setEnabled(false);
    m_grid->resetToPlaceholder();
    const QString drawText = drawNumberText();
    m_listedText = drawText;
    const QString path = entryFilePath(drawText); // empty for a text that is not a draw number
    const QStringList lines = path.isEmpty() ? QStringList() : ReadLines(path);
    if (lines.isEmpty()) {
        m_guide->setText(kNoData);
        return;
    }
    m_guide->setText(kCanCancel);
    QVector<QStringList> rows;
    for (const QString& line : listedEntryLines(lines, drawText))
        rows.append(gridRowFromFields(splitCommaText(line), kEntryFields));
    if (rows.isEmpty())
        return; // the file holds lines, none of this draw number: nothing to cancel
    m_grid->setRows(std::move(rows));
    m_oneDelete->setEnabled(true);
    m_allDelete->setEnabled(true);
}

void TLookupPage::btnOneDeleteClick() {
    const QString drawText = m_listedText;
    if (!askConfirmation(this,
                         QStringLiteral("『第%1回』の１行選択されている申込数字が削除されます。"
                                        "元に戻すことは出来ませんが…本当によろしいですか？")
                             .arg(drawText)))
        return;
    runHandler(this, [this, &drawText] {
        const int row = m_grid->currentDataRow();
        const bool listedLine = !m_grid->cell(row, 0).isEmpty();
        m_grid->removeRowAt(row);
        m_grid->setCurrentDataRow(qMin(row, m_grid->dataRowCount() - 1));
        const QString path = entryFilePath(drawText);
        if (listedLine && !path.isEmpty())
            cancelListedLine(path, drawText, row);
    });
    m_grid->setFocus();
}

void TLookupPage::btnAllDeleteClick() {
    const QString drawText = m_listedText;
    const QString path = entryFilePath(drawText);
    if (!askConfirmation(this, QStringLiteral("『第%1回』全ての申込数字が削除されます。"
                                              "元に戻すことは出来ませんが…本当によろしいですか？")
                                   .arg(drawText)))
        return;
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    if (runHandler(this, [&] { cancelAllListedLines(path, drawText); }))
        editLoto6NumChange();
}
