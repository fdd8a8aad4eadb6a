#include "entries/ui/MainPage.h"

#include "common/AppError.h"
#include "common/ComType.h"
#include "common/CommaText.h"
#include "common/Formats.h"
#include "common/ui/CountSpinEdit.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "entries/EntryFile.h"
#include "entries/ui/BallPictures.h"
#include "entries/ui/EntryGrid.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

namespace {

// Where each control sits, in pixels of its parent.
namespace geometry {
// The page: the draw number at the top, the board on the left, the selection
// and the pending lines on the right.
constexpr QRect kDrawNumberCaption{12, 6, 50, 24}, kDrawNumber{64, 4, 90, 27};
constexpr QRect kBoard{6, 36, 166, 414}, kSelection{180, 36, 446, 72}, kPending{180, 112, 446, 338};
// The board: the count and its button, then ten buttons down each column,
// neighbours sharing their border line.
constexpr QRect kCountCaption{16, 22, 70, 24}, kCount{88, 21, 61, 26}, kAutoCalc{16, 50, 133, 30};
constexpr QPoint kFirstBall{16, 84};
constexpr int kBallSide = 33, kBallPitch = 32, kBallsPerColumn = 10;
// The selection: the clear button, then the seven images in a row.
constexpr QRect kClear{10, 24, 56, 41}, kFirstImage{76, 24, 41, 41};
constexpr int kImagePitch = 52;
// The pending lines: a row of buttons and figures above the grid.
constexpr QRect kSelect{10, 24, 70, 32}, kCancel{84, 24, 70, 32}, kSave{158, 24, 70, 32},
    kLineCount{236, 24, 80, 32}, kPrice{320, 24, 116, 32};
constexpr QRect kPendingGrid{10, 62, 426, 266};

constexpr QRect ballAt(int number) {
    const int column = (number - 1) / kBallsPerColumn;
    const int row = (number - 1) % kBallsPerColumn;
    return {kFirstBall.x() + column * kBallPitch, kFirstBall.y() + row * kBallPitch, kBallSide,
            kBallSide};
}

constexpr QRect imageAt(int position) {
    return kFirstImage.translated((position - 1) * kImagePitch, 0);
}
} // namespace geometry

const char* const kTag = "tag";

// A selection image that keeps its colours while the tabs are disabled: a
// generation run shows every number it picks.
class BallImage : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        const QPixmap picture = pixmap();
        if (picture.isNull())
            return;
        QPainter painter(this);
        style()->drawItemPixmap(&painter, contentsRect(), alignment(), picture);
    }
};

QString linesText(int lines) {
    return QString::number(lines) + QStringLiteral("口");
}

} // namespace

TMainPage::TMainPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabSheet1"));

    auto* label = new QLabel(QStringLiteral("開催回"), this);
    label->setObjectName(QStringLiteral("Label4"));
    label->setGeometry(geometry::kDrawNumberCaption);
    label->setFont(gothicFont(14, true));
    setTextColour(label, kNavy);

    m_drawNumber = new QLineEdit(this);
    m_drawNumber->setObjectName(QStringLiteral("editNewNum"));
    m_drawNumber->setGeometry(geometry::kDrawNumber);
    m_drawNumber->setReadOnly(true);
    m_drawNumber->setFocusPolicy(Qt::ClickFocus); // skipped by the Tab key
    m_drawNumber->setAlignment(Qt::AlignCenter);
    m_drawNumber->setFont(gothicFont(16, true));
    QPalette pal = m_drawNumber->palette();
    pal.setColor(QPalette::Base, pal.color(QPalette::Button));
    pal.setColor(QPalette::Text, kNavy);
    m_drawNumber->setPalette(pal);

    buildBoard()->setGeometry(geometry::kBoard);
    buildSelection()->setGeometry(geometry::kSelection);
    buildPending()->setGeometry(geometry::kPending);
    initControls();
}

QGroupBox* TMainPage::buildBoard() {
    QGroupBox* group =
        captionedGroup(this, QStringLiteral("GroupBox1"), QStringLiteral("組合せ数字"), kBlue);
    for (int n = 1; n <= kMaxNumber; ++n) {
        auto* button = new QToolButton(group);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(n));
        button->setGeometry(geometry::ballAt(n));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setCursor(Qt::PointingHandCursor);
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setFocusPolicy(Qt::NoFocus);
        setTextColour(button, kBlue);
        connect(button, &QToolButton::clicked, this,
                [this, button] { ComSet_SpeedBtnClick(button); });
        m_buttons.append(button);
    }
    buildGenerationControls(group);
    return group;
}

void TMainPage::buildGenerationControls(QGroupBox* board) {
    auto* label = new QLabel(QStringLiteral("連続口数"), board);
    label->setObjectName(QStringLiteral("Label2"));
    label->setGeometry(geometry::kCountCaption);
    m_autoSelectMax = new TCountSpinEdit(1, 100, TCountSpinEdit::Keys::Digits, board);
    m_autoSelectMax->setObjectName(QStringLiteral("editAutoSelectMax"));
    m_autoSelectMax->setGeometry(geometry::kCount);
    m_autoCalc = makeButton(
        board, QStringLiteral("btnAutoCalc"), QStringLiteral(" Septarion"),
        QStringLiteral("予想オプション設定により、当選数字を絞り込み、より確率の高い当選数字を"
                       "弾き出します。"),
        kNavy);
    m_autoCalc->setGeometry(geometry::kAutoCalc);
    connect(m_autoCalc, &QPushButton::clicked, this, &TMainPage::autoCalcClicked);
}

QGroupBox* TMainPage::buildSelection() {
    QGroupBox* group =
        captionedGroup(this, QStringLiteral("GroupBox2"), QStringLiteral("選択数字"), kNavy);
    auto* clear = makeButton(group, QStringLiteral("btnRiset"), QStringLiteral("ｸﾘｱ"),
                             QStringLiteral("現在、選択されている数字をリセットします。"), kBlack);
    clear->setGeometry(geometry::kClear);
    connect(clear, &QPushButton::clicked, this, &TMainPage::btnRisetClick);
    for (int i = 1; i <= kPositions; ++i) {
        auto* image = new BallImage(group);
        image->setObjectName(QStringLiteral("Image%1").arg(i));
        image->setGeometry(geometry::imageAt(i));
        image->setAlignment(Qt::AlignCenter);
        image->setProperty(kTag, 0);
        m_images.append(image);
    }
    return group;
}

QGroupBox* TMainPage::buildPending() {
    QGroupBox* group =
        captionedGroup(this, QStringLiteral("GroupBox3"), QStringLiteral("申込み数字"), kFuchsia);
    auto* select = makeButton(group, QStringLiteral("btnSelect"), QStringLiteral("決定"),
                              QStringLiteral("現在、選択されている数字を決定します。"), kBlue);
    auto* cancel = makeButton(group, QStringLiteral("btnCancel"), QStringLiteral("取消"),
                              QStringLiteral("申込み数字をキャンセルします。"), kRed);
    auto* save = makeButton(group, QStringLiteral("btnSave"), QStringLiteral("保存"),
                            QStringLiteral("申込み数字を利用端末に保存します。"), kNavy);
    select->setGeometry(geometry::kSelect);
    cancel->setGeometry(geometry::kCancel);
    save->setGeometry(geometry::kSave);
    connect(select, &QPushButton::clicked, this, &TMainPage::btnSelectClick);
    connect(cancel, &QPushButton::clicked, this, &TMainPage::btnCancelClick);
    connect(save, &QPushButton::clicked, this, &TMainPage::btnSaveClick);

    m_countPanel =
        makePanel(group, QStringLiteral("pnlSelectMax"), Qt::AlignRight | Qt::AlignVCenter, 16);
    m_countPanel->setGeometry(geometry::kLineCount);
    m_pricePanel =
        makePanel(group, QStringLiteral("pnlSelectMoney"), Qt::AlignRight | Qt::AlignVCenter, 16);
    m_pricePanel->setGeometry(geometry::kPrice);

    m_grid = makeEntryGrid(group, QStringLiteral("gridSelectItem"), StringGrid::Highlight::Always,
                           StringGrid::Placement::Centred);
    m_grid->setGeometry(geometry::kPendingGrid);
    // The pending lines' column titles are written in the application's
    // font, smaller than those of the other line grids; the header keeps its
    // own font for its height.
    m_grid->horizontalHeader()->viewport()->setFont(applicationFont());
    return group;
}

void TMainPage::initControls() {
    clearPending();
    m_grid->setTitles(entryGridTitles());
    m_grid->setColumnHidden(0, true);
    for (int column = 1; column <= kPositions; ++column)
        m_grid->setColumnWidth(column, 55);
    for (int n = 1; n <= kMaxNumber; ++n) {
        QToolButton* button = m_buttons.at(n - 1);
        button->setText(QString());
        QIcon icon(ballPicture(n));
        icon.addPixmap(ballPicture(n), QIcon::Disabled); // in colour during a generation run
        button->setIcon(icon);
        button->setProperty(kTag, n);
    }
    btnRisetClick();
}

void TMainPage::clearPending() {
    m_grid->resetToPlaceholder();
    m_countPanel->setText(linesText(0));
    m_pricePanel->setText(formatYen(0));
}

void TMainPage::setNextDrawNumber(const QString& text) {
    m_drawNumber->setText(text);
}

QString TMainPage::drawNumberText() const {
    return m_drawNumber->text();
}

QList<int> TMainPage::selectedNumbers() const {
    QList<int> numbers;
    for (const QLabel* image : m_images)
        numbers.append(image->property(kTag).toInt());
    return numbers;
}

void TMainPage::pressNumber(int number) {
    QToolButton* button = numberButton(number);
    button->setChecked(true);
    ComSet_SpeedBtnClick(button);
}

bool TMainPage::isNumberSelected(int number) const {
    return numberButton(number)->isChecked();
}

QString TMainPage::autoSelectMaxText() const {
    return m_autoSelectMax->text();
}

void TMainPage::setAutoSelectMaxText(const QString& text) {
    m_autoSelectMax->setText(text);
}

void TMainPage::setAutoCalcEnabled(bool enabled) {
    m_autoCalc->setEnabled(enabled);
    m_autoSelectMax->setEnabled(enabled);
}

void TMainPage::ComSet_SpeedBtnClick(QToolButton* button) {
    if (button->isChecked()) {
        if (m_selectionCount >= kPositions) {
            showGuideMessage(this,
                             QStringLiteral("既に７個の数字を選択しています。これでよろしければ"
                                            "「決定」ボタンをクリックしてください。\r\n\r\n"
                                            "また、変更する場合は、選択されている数字を解除"
                                            "するか、「クリア」ボタンをクリックしてください。"));
            button->setChecked(false);
            return;
        }
        ++m_selectionCount;
    } else {
        --m_selectionCount;
    }
    rebuildImages();
}

void TMainPage::rebuildImages() {
    int next = 0;
    for (QLabel* image : m_images) {
        image->clear();
        image->setProperty(kTag, 0);
    }
    for (int n = 1; n <= kMaxNumber && next < m_images.size(); ++n) {
        if (!m_buttons.at(n - 1)->isChecked())
            continue;
        m_images.at(next)->setPixmap(ballPicture(n));
        m_images.at(next)->setProperty(kTag, n);
        ++next;
    }
}

void TMainPage::btnRisetClick() {
    m_selectionCount = 0;
    for (QLabel* image : m_images) {
        image->clear();
        image->setProperty(kTag, 0);
    }
    for (QToolButton* button : m_buttons)
        button->setChecked(false);
}

void TMainPage::showPendingCount(int lines) {
    m_countPanel->setText(linesText(lines));
    m_pricePanel->setText(formatYen(static_cast<long double>(lines) * kLinePrice));
}

void TMainPage::btnSelectClick() {
    const QList<int> numbers = selectedNumbers();
    if (numbers.contains(0)) {
        showGuideMessage(this, QStringLiteral("７個の数字を全て選択してから、"
                                              "「決定」ボタンをクリックしてください。"));
        return;
    }
    appendPendingRow(numbers);
    showPendingCount(m_grid->currentDataRow() + 1);
    btnRisetClick();
}

void TMainPage::appendPendingRow(const QList<int>& numbers) {
    if (m_grid->hasData())
        m_grid->appendRow();
    QStringList fields{QString::number(m_drawNumber->text().toInt())};
    for (int n : numbers)
        fields.append(formatTwoDigits(n));
    const int last = m_grid->dataRowCount() - 1;
    m_grid->gridModel()->setRowCells(last,
                                     gridRowFromFields(splitCommaText(joinCommaText(fields)), 8));
    m_grid->setCurrentDataRow(last);
}

void TMainPage::appendPendingLines(const QVector<std::array<int, kPositions>>& lines) {
    for (const auto& line : lines)
        appendPendingRow(QList<int>(line.cbegin(), line.cend()));
    if (!lines.isEmpty())
        showPendingCount(m_grid->dataRowCount());
}

void TMainPage::btnCancelClick() {
    if (!m_grid->hasData()) {
        showGuideMessage(this, QStringLiteral("取消する対象のデータがありません。"));
        return;
    }
    if (m_grid->dataRowCount() == 1) {
        m_grid->resetToPlaceholder();
        showPendingCount(0);
    } else {
        const int row = m_grid->currentDataRow();
        m_grid->removeRowAt(row);
        m_grid->setCurrentDataRow(qMin(row, m_grid->dataRowCount() - 1));
        showPendingCount(m_grid->dataRowCount());
    }
    m_grid->setFocus();
}

void TMainPage::btnSaveClick() {
    runHandler(this, [this] {
        const QString drawText = m_drawNumber->text();
        const QString path = entryFilePath(drawText);
        if (!m_grid->hasData()) {
            showGuideMessage(this, QStringLiteral("保存する対象のデータがありません。"));
            return;
        }
        if (path.isEmpty())
            throw TAppError(
                QStringLiteral("開催回 '%1' は保存先の名前に使えません。").arg(drawText));
        appendEntryLines(path, m_grid->dataRows());
        showGuideMessage(this, QStringLiteral("正常にファイルの保存が完了しました。"
                                              "「申込数字照会・取消し」機能で参照してください。"));
    });
}
