#include "data/ui/ImportForm.h"

#include "common/AppError.h"
#include "common/Clock.h"
#include "common/DataFolder.h"
#include "common/ProgramFiles.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/FormStyle.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StripedGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "data/DrawTable.h"

#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// Sizes of the box and its controls, in pixels.
namespace geometry {
constexpr int kGridFontSize = 14;
constexpr int kRowHeight = 20;
constexpr int kNumberWidth = 52;
constexpr int kPrizeWidth = 120;
constexpr qreal kTabStop = 64; // pasted table cells stay close together
// 状態, 開催回, 抽選日, 本数字, ボーナス数字, 賞金データ, 上書き; 備考 takes the rest.
const QList<int> kColumnWidths{56, 64, 96, 200, 100, 80, 56, 300};
} // namespace geometry

constexpr qint64 kMaxFileBytes = qint64(20) * 1024 * 1024;
constexpr int kMainCount = 7;
constexpr int kCarryOverField = 12;

const QString kTick = QStringLiteral("☑");
const QString kNoTick = QStringLiteral("☐");

constexpr FormStyle kStyle{.buttonWidth = 110};

// A number of 1..37 or empty (0, shown blank), typed or stepped.
QSpinBox* numberBox(const QString& name) {
    auto* box = kStyle.control(new QSpinBox, name);
    box->setRange(0, kMaxNumber);
    box->setSpecialValueText(QStringLiteral(" "));
    box->setAlignment(Qt::AlignCenter);
    box->setFixedWidth(geometry::kNumberWidth);
    return box;
}

// A count or amount: digits and comma groups, half- or full-width.
QLineEdit* amountBox(const QString& name) {
    auto* edit = kStyle.control(new QLineEdit, name);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9０-９,，]{0,20}")), edit));
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(geometry::kPrizeWidth);
    return edit;
}

} // namespace

ImportModel::ImportModel(QObject* parent)
    : RowsModel(importHeaders(), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

QStringList ImportModel::rowTexts(const ImportRow& row) const {
    return importRowTexts(row);
}

QVariant ImportModel::displayText(const ImportRow& row, int column, const QString& text) const {
    if (column == kImportOverwriteColumn && row.state == ImportState::Conflict)
        return row.overwrite ? kTick : kNoTick;
    return text;
}

Qt::Alignment ImportModel::alignment(int column) const {
    return column == kImportColumns - 1 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
}

QVariant ImportModel::foreground(const ImportRow& row) const {
    return row.state == ImportState::Refused ? QVariant(kRed) : QVariant();
}

QVariant ImportModel::background(const ImportRow& row) const {
    return row.state == ImportState::Conflict ? QVariant(kNearDeadline) : QVariant();
}

QVariant ImportModel::otherData(const ImportRow& row, const QModelIndex& index, int role) const {
    Q_UNUSED(index)
    return role == Qt::ToolTipRole ? QVariant(importRowDetails(row)) : QVariant();
}

TImportForm::TImportForm(const DrawTable& draws, ImportRecord& lastImport,
                         std::function<bool()> reload, QWidget* parent)
    : QDialog(parent), m_draws(draws), m_lastImport(lastImport), m_reload(std::move(reload)) {
    kStyle.setUp(this, QStringLiteral("ImportForm"), QStringLiteral("当せん結果の取り込み"));
    setMinimumSize(kMinimumSize);

    auto* inputs = new QHBoxLayout;
    inputs->addWidget(buildTextInput(), 1);
    inputs->addWidget(buildHandInput(), 0);

    m_summary = kStyle.control(new QLabel(importSummary({})), QStringLiteral("lblImportSummary"));
    m_model = new ImportModel(this);
    const QFont gridFont = gothicFont(geometry::kGridFontSize);
    m_grid = formGrid(this, QStringLiteral("gridImport"), m_model, StripedGrid::Placement::Centred,
                      {gridFont, gridFont, geometry::kRowHeight, geometry::kColumnWidths});
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->installEventFilter(this);
    connect(m_grid, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() == kImportOverwriteColumn)
            gridImportToggle(index.row());
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs, 0);
    layout->addWidget(m_summary, 0);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buildButtons(), 0);
    suggestNextDraw();
    updateButtons();
}

QWidget* TImportForm::buildTextInput() {
    auto* group = kStyle.control(new QGroupBox(QStringLiteral("貼り付け・ファイル")),
                                 QStringLiteral("groupImportText"));
    m_text = kStyle.control(new QPlainTextEdit, QStringLiteral("memoImportText"));
    m_text->setPlaceholderText(QStringLiteral(
        "当せん結果のページや結果ファイルの内容を貼り付けて「読み取り」を押します。"));
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setTabStopDistance(geometry::kTabStop);
    auto* read = kStyle.button(QStringLiteral("btnImportRead"), QStringLiteral("読み取り"));
    auto* file = kStyle.button(QStringLiteral("btnImportFile"), QStringLiteral("ファイルを開く…"));
    connect(read, &QPushButton::clicked, this, [this] { btnImportReadClick(); });
    connect(file, &QPushButton::clicked, this, [this] { btnImportFileClick(); });
    QHBoxLayout* buttons = kStyle.row({read, file});
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
    return group;
}

QWidget* TImportForm::buildHandInput() {
    auto* group = kStyle.control(new QGroupBox(QStringLiteral("1回分を入力")),
                                 QStringLiteral("groupImportHand"));
    m_drawNumber = kStyle.control(new QSpinBox, QStringLiteral("editImportDraw"));
    m_drawNumber->setRange(1, kMaxDrawNumber);
    m_date = kStyle.control(new QDateEdit, QStringLiteral("dateImportDraw"));
    m_date->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    m_date->setCalendarPopup(true);
    auto* head = new QHBoxLayout;
    head->addWidget(kStyle.caption(QStringLiteral("開催回")));
    head->addWidget(m_drawNumber);
    head->addSpacing(12);
    head->addWidget(kStyle.caption(QStringLiteral("抽選日")));
    head->addWidget(m_date);
    head->addStretch(1);

    auto* numbers = new QGridLayout;
    numbers->addWidget(kStyle.caption(QStringLiteral("本数字")), 0, 0);
    numbers->addWidget(kStyle.caption(QStringLiteral("ボーナス数字")), 1, 0);
    for (int i = 0; i < kPositions + kBonusCount; ++i) {
        const bool main = i < kMainCount;
        m_numbers.at(i) = numberBox(main ? QStringLiteral("editImportMain%1").arg(i + 1)
                                         : QStringLiteral("editImportBonus%1").arg(i - 6));
        numbers->addWidget(m_numbers.at(i), main ? 0 : 1, main ? i + 1 : i - 6);
    }
    numbers->setColumnStretch(kMainCount + 1, 1);

    auto* add = kStyle.button(QStringLiteral("btnImportAdd"), QStringLiteral("プレビューに追加"));
    connect(add, &QPushButton::clicked, this, [this] { btnImportAddClick(); });
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(head);
    layout->addLayout(numbers);
    layout->addWidget(buildPrizeInput());
    layout->addWidget(add, 0, Qt::AlignRight);
    return group;
}

QWidget* TImportForm::buildPrizeInput() {
    auto* group = kStyle.control(new QGroupBox(QStringLiteral("賞金データ（任意）")),
                                 QStringLiteral("groupImportPrize"));
    auto* grid = new QGridLayout(group);
    // Tiers 1 to 3 on the left, 4 to 6 on the right, each with count and amount.
    for (int half = 0; half < 2; ++half) {
        grid->addWidget(kStyle.caption(QStringLiteral("口数")), 0, half * 3 + 1, Qt::AlignCenter);
        grid->addWidget(kStyle.caption(QStringLiteral("当せん金額（円）")), 0, half * 3 + 2,
                        Qt::AlignCenter);
    }
    for (int tier = 1; tier <= kPrizeTiers; ++tier) {
        const int row = (tier - 1) % 3 + 1;
        const int column = (tier - 1) / 3 * 3;
        grid->addWidget(kStyle.caption(QStringLiteral("%1等").arg(tier)), row, column);
        const size_t count = 2 * static_cast<size_t>(tier - 1);
        m_prize.at(count) = amountBox(QStringLiteral("editImportCount%1").arg(tier));
        m_prize.at(count + 1) = amountBox(QStringLiteral("editImportAmount%1").arg(tier));
        grid->addWidget(m_prize.at(count), row, column + 1);
        grid->addWidget(m_prize.at(count + 1), row, column + 2);
    }
    m_prize.at(kCarryOverField) = amountBox(QStringLiteral("editImportCarryOver"));
    grid->addWidget(kStyle.caption(QStringLiteral("キャリーオーバー（円）")), 4, 0, 1, 2);
    grid->addWidget(m_prize.at(kCarryOverField), 4, 2);
    return group;
}

QLayout* TImportForm::buildButtons() {
    m_run = kStyle.button(QStringLiteral("btnImportRun"), QStringLiteral("取り込む"));
    m_undo = kStyle.button(QStringLiteral("btnImportUndo"), QStringLiteral("元に戻す"));
    auto* close = kStyle.button(QStringLiteral("btnImportClose"), QStringLiteral("閉じる"));
    m_remove = kStyle.button(QStringLiteral("btnImportRemove"), QStringLiteral("選択行を除く"));
    connect(m_remove, &QPushButton::clicked, this, [this] { btnImportRemoveClick(); });
    connect(m_run, &QPushButton::clicked, this, [this] { btnImportRunClick(); });
    connect(m_undo, &QPushButton::clicked, this, [this] { btnImportUndoClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return kStyle.buttonRow({m_remove}, {m_run, m_undo, close});
}

void TImportForm::suggestNextDraw() {
    for (QSpinBox* box : m_numbers)
        box->setValue(0);
    for (QLineEdit* field : m_prize)
        field->clear();
    if (m_draws.isEmpty()) {
        m_drawNumber->setValue(1);
        m_date->setDate(Clock::currentUtc().toLocalTime().date());
        return;
    }
    const DrawResult& newest = m_draws.at(0);
    m_drawNumber->setValue(std::min(newest.DrawNumber + 1, kMaxDrawNumber));
    m_date->setDate(newest.drawDate().addDays(7));
}

QString TImportForm::downloadDir() const {
    return dataPath(kDownloadFolder);
}

void TImportForm::btnImportReadClick() {
    runHandler(this, [this] {
        const QString text = m_text->toPlainText();
        if (text.trimmed().isEmpty())
            throw TAppError(QStringLiteral("テキストがありません。当せん結果を貼り付けてから"
                                           "「読み取り」を押してください。"));
        takeTextDraws(readResultsText(text));
    });
}

void TImportForm::btnImportFileClick() {
    const QString path =
        askOpenFileName(this, {QStringLiteral("dlgImportOpen"),
                               QStringLiteral("当せん結果のファイルを開く"),
                               {QStringLiteral("CSV・テキストファイル (*.csv *.txt)"),
                                QStringLiteral("すべてのファイル (*)")}});
    if (path.isEmpty())
        return;
    runHandler(this, [&] {
        const auto tooLarge = [&path] {
            return TAppError(QStringLiteral("ファイルが大きすぎます（20MBまで）: %1")
                                 .arg(QDir::toNativeSeparators(path)));
        };
        if (QFileInfo(path).size() > kMaxFileBytes)
            throw tooLarge();
        const std::optional<QByteArray> bytes = readFileIfExists(path);
        if (!bytes)
            throw fileOpenError(path, QStringLiteral("ファイルが見つかりません"));
        if (bytes->size() > kMaxFileBytes)
            throw tooLarge();
        takeTextDraws(readResultsText(decodeResultsText(*bytes)));
    });
}

void TImportForm::btnImportAddClick() {
    QVector<int> numbers;
    for (const QSpinBox* box : m_numbers) {
        if (box->value() == 0) {
            showGuideMessage(
                this, QStringLiteral("本数字7個とボーナス数字2個をすべて入力してください。"));
            return;
        }
        numbers.append(box->value());
    }
    QStringList prize;
    for (const QLineEdit* field : m_prize)
        prize.append(field->text().trimmed());
    const auto filled = std::count_if(prize.begin(), prize.end(),
                                      [](const QString& text) { return !text.isEmpty(); });
    if (filled != 0 && filled != prize.size()) {
        showGuideMessage(this, QStringLiteral("賞金データは全項目を入力するか、"
                                              "すべて空欄にしてください。"));
        return;
    }
    runHandler(this, [&] {
        m_preview.addTypedDraw(
            readTypedDraw(m_drawNumber->value(), m_date->date(), numbers, prize));
        recheck();
    });
}

void TImportForm::btnImportRemoveClick() {
    QList<int> rows;
    for (const QModelIndex& index : m_grid->selectionModel()->selectedRows())
        rows.append(index.row());
    if (rows.isEmpty() && m_grid->currentIndex().isValid())
        rows.append(m_grid->currentDataRow());
    if (rows.isEmpty())
        return;
    runHandler(this, [&] {
        m_preview.removeRows(rows);
        recheck();
    });
}

bool TImportForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        btnImportRemoveClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TImportForm::takeTextDraws(const QVector<ReadDraw>& draws) {
    if (draws.isEmpty())
        throw TAppError(noResultsMessage());
    m_preview.setTextDraws(draws);
    recheck();
}

void TImportForm::recheck() {
    m_held = HeldResults::read(downloadDir());
    m_preview.check(m_held);
    m_model->setRows(m_preview.rows());
    m_grid->setCurrentDataRow(0);
    m_summary->setText(importSummary(m_preview.rows()));
    updateButtons();
}

void TImportForm::gridImportToggle(int row) {
    if (!m_preview.toggleOverwrite(row))
        return;
    m_model->setRows(m_preview.rows());
    m_grid->setCurrentDataRow(row);
    m_run->setEnabled(anyRowTaken(m_preview.rows()));
}

void TImportForm::updateButtons() {
    m_run->setEnabled(anyRowTaken(m_preview.rows()));
    m_remove->setEnabled(!m_preview.rows().isEmpty());
    m_undo->setEnabled(canUndoImport(downloadDir(), m_lastImport));
}

bool TImportForm::reloadWindow() {
    if (m_reload && !m_reload()) {
        reject(); // the window is closing
        return false;
    }
    return true;
}

void TImportForm::btnImportRunClick() {
    const bool done = runHandler(this, [this] {
        recheck(); // against the files as they are now
        const QVector<ImportRow>& rows = m_preview.rows();
        if (!anyRowTaken(rows))
            return;
        const auto taken = std::count_if(rows.begin(), rows.end(),
                                         [](const ImportRow& row) { return row.taken(); });
        // A write that fails may have replaced one backup of the earlier
        // pair already: that pair is no longer one to go back to.
        m_lastImport = {};
        m_lastImport = writeImport(downloadDir(), m_held, mergeImport(m_held, rows));
        m_preview.clearOverwrite();
        if (!reloadWindow())
            return;
        suggestNextDraw();
        recheck();
        showGuideMessage(this, QStringLiteral("%1件の当せん結果を取り込みました。").arg(taken));
    });
    if (!done)
        updateButtons(); // the files may have changed, the undo is gone
}

void TImportForm::btnImportUndoClick() {
    if (!canUndoImport(downloadDir(), m_lastImport)) {
        updateButtons();
        return;
    }
    if (!askConfirmation(this, QStringLiteral("直前の取り込みを元に戻し、取り込む前の"
                                              "データファイルに戻します。よろしいですか？")))
        return;
    runHandler(this, [this] {
        undoImport(downloadDir());
        m_lastImport = {};
        if (!reloadWindow())
            return;
        suggestNextDraw();
        recheck();
        showGuideMessage(this, QStringLiteral("取り込みを元に戻しました。"));
    });
}
