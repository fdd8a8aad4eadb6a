#include "analysis/ui/WheelForm.h"

#include "common/AppError.h"
#include "common/Formats.h"
#include "common/ui/BusyScope.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/FormStyle.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StripedGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <numeric>
#include <utility>

namespace {

// Sizes of the box's controls, in pixels. The box is laid out: the lines'
// grid takes the height it has room for.
namespace geometry {
constexpr int kSpinWidth = 56;
constexpr int kRowHeight = 20;
const QList<int> kLineColumns{44, 38, 38, 38, 38, 38, 38, 38}; // No. and the seven numbers
const QList<int> kCoverColumns{128, 76, 96, 96, 96, 80};       // as wheelCoverHeaders
constexpr int kScrollBar = 20;                                 // and the frame
constexpr int kCoverRows = kPositions + 1;
constexpr int kTitleExtra =
    8; // the title row's extra height and the frame                     // 0..7 drawn in the pool
} // namespace geometry

// Progress is shown at most this often: the events are looked at then, not
// between every greedy step.
constexpr int kProgressInterval = 100;

int s_progressDelay = 500;

constexpr FormStyle kStyle{};

// The look of the form's grids: fixed-pitch digits at the form's sizes.
FormGridLook gridLook(const QList<int>& columnWidths) {
    return {fixedGothicFont(kStyle.pixelSize), fixedGothicFont(kStyle.smallPixelSize),
            geometry::kRowHeight, columnWidths};
}

QGroupBox* namedGroup(const QString& title, const QString& name) {
    auto* group = new QGroupBox(title);
    group->setObjectName(name);
    return group;
}

int sum(const QList<int>& widths) {
    return std::accumulate(widths.cbegin(), widths.cend(), 0);
}

// Progress of one run in the please-wait box, once the run has lasted the
// delay; each step asks to go on unless the box or the form was closed.
class RunProgress {
public:
    explicit RunProgress(const bool& stopAsked)
        : m_progress(stopAsked, s_progressDelay, kProgressInterval) {}

    WheelProgress step(const QString& what) {
        return [this, what](int done, int total) {
            const qint64 percent = total > 0 ? qint64{done} * 100 / total : 0;
            return m_progress.report(QStringLiteral("%1… %2 %").arg(what).arg(percent));
        };
    }

private:
    DelayedProgress m_progress;
};

} // namespace

WheelLinesModel::WheelLinesModel(QObject* parent)
    : RowsModel({QStringLiteral("No."), QStringLiteral("①"), QStringLiteral("②"),
                 QStringLiteral("③"), QStringLiteral("④"), QStringLiteral("⑤"), QStringLiteral("⑥"),
                 QStringLiteral("⑦")},
                Qt::AlignCenter, parent) {}

void WheelLinesModel::setLines(const QVector<WheelLine>& lines) {
    QVector<NumberedWheelLine> rows;
    rows.reserve(lines.size());
    for (const WheelLine& line : lines)
        rows.append({static_cast<int>(rows.size()) + 1, line});
    setRows(rows);
}

QStringList WheelLinesModel::rowTexts(const NumberedWheelLine& row) const {
    QStringList texts{QString::number(row.number)};
    for (const int n : row.line)
        texts << formatTwoDigits(n);
    return texts;
}

WheelCoverModel::WheelCoverModel(QObject* parent)
    : RowsModel(wheelCoverHeaders(), Qt::AlignCenter, parent) {}

QStringList WheelCoverModel::rowTexts(const WheelCoverRow& row) const {
    return wheelCoverRowTexts(row);
}

Qt::Alignment WheelCoverModel::alignment(int column) const {
    return column == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter;
}

void TWheelForm::setProgressDelay(int milliseconds) {
    s_progressDelay = milliseconds;
}

TWheelForm::TWheelForm(LinesToMain toMain, QWidget* parent)
    : QDialog(parent), m_toMain(std::move(toMain)) {
    kStyle.setUp(this, QStringLiteral("WheelForm"), QStringLiteral("ホイール作成"));

    auto* promise = namedGroup(QStringLiteral("プールと約束"), QStringLiteral("groupWheelPromise"));
    promise->setLayout(buildPromise());
    m_summary =
        kStyle.caption(QString(), QStringLiteral("lblWheelSummary"), kStyle.pixelSize, true);
    m_summary->setWordWrap(true);
    setTextColour(m_summary, kNavy);
    auto* results = new QHBoxLayout;
    results->addWidget(buildLines());
    results->addWidget(buildCover(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(promise);
    layout->addWidget(m_summary);
    layout->addLayout(results, 1);
    layout->addLayout(buildButtons());
    showWheel(QString());
}

QLayout* TWheelForm::buildPromise() {
    m_pool = kStyle.control(new QLineEdit, QStringLiteral("editWheelPool"));
    m_pool->setPlaceholderText(QStringLiteral("例: 3 7 11 15 19 22 26 30 33 36"));
    m_ifCount = kStyle.spin(QStringLiteral("editWheelIf"), kWheelMinMatch, kPositions,
                            geometry::kSpinWidth);
    m_ifCount->setValue(5);
    m_match = kStyle.spin(QStringLiteral("editWheelMatch"), kWheelMinMatch, kWheelMaxMatch,
                          geometry::kSpinWidth);
    m_match->setValue(kWheelMinMatch);
    // A promise never asks more matches than drawn numbers in the pool.
    connect(m_match, &QSpinBox::valueChanged, m_ifCount, &QSpinBox::setMinimum);
    auto* make = kStyle.button(QStringLiteral("btnWheelMake"), QStringLiteral("作成"));
    setTextColour(make, kNavy);
    connect(make, &QPushButton::clicked, this, [this] { btnWheelMakeClick(); });

    QHBoxLayout* sentence =
        kStyle.buttonRow({kStyle.caption(QStringLiteral("本数字がプールに")), m_ifCount,
                          kStyle.caption(QStringLiteral("個以上あれば、少なくとも1口が")), m_match,
                          kStyle.caption(QStringLiteral("個一致"))},
                         {make});
    auto* note = kStyle.caption(QStringLiteral("3個一致の約束はありません。本数字3個の一致は、"
                                               "ボーナス数字も一致しないと当せんしないためです。"),
                                QStringLiteral("lblWheelNote"), kStyle.smallPixelSize);
    note->setWordWrap(true);

    auto* grid = new QGridLayout;
    grid->addWidget(kStyle.caption(QStringLiteral("プールの数字")), 0, 0);
    grid->addWidget(m_pool, 0, 1);
    grid->addWidget(kStyle.caption(QStringLiteral("8～20個。スペースかカンマで区切ります。"),
                                   QString(), kStyle.smallPixelSize),
                    1, 1);
    grid->addWidget(kStyle.caption(QStringLiteral("約束")), 2, 0);
    grid->addLayout(sentence, 2, 1);
    grid->addWidget(note, 3, 1);
    grid->setColumnStretch(1, 1);
    return grid;
}

QWidget* TWheelForm::buildLines() {
    auto* group = namedGroup(QStringLiteral("作成した口"), QStringLiteral("groupWheelLines"));
    m_linesModel = new WheelLinesModel(this);
    m_linesGrid = formGrid(this, QStringLiteral("gridWheelLines"), m_linesModel,
                           StripedGrid::Placement::Centred, gridLook(geometry::kLineColumns));
    m_linesGrid->setFixedWidth(sum(geometry::kLineColumns) + geometry::kScrollBar);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(m_linesGrid);
    return group;
}

QWidget* TWheelForm::buildCover() {
    auto* group = namedGroup(QStringLiteral("当たりと穴"), QStringLiteral("groupWheelCover"));
    m_coverModel = new WheelCoverModel(this);
    m_coverGrid = formGrid(this, QStringLiteral("gridWheelCover"), m_coverModel,
                           StripedGrid::Placement::Centred, gridLook(geometry::kCoverColumns));
    m_coverGrid->setMinimumWidth(sum(geometry::kCoverColumns) + geometry::kScrollBar);
    m_coverGrid->setFixedHeight((geometry::kCoverRows + 1) * geometry::kRowHeight +
                                geometry::kTitleExtra);
    m_coverGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* explain = kStyle.caption(
        QStringLiteral("プールに入った本数字の個数ごとに、その確率と、最もよく一致する口が"
                       "4個・5個・6個・7個一致する場合の割合（全通りを数えた値）。"),
        QString(), kStyle.smallPixelSize);
    explain->setWordWrap(true);
    m_versus = kStyle.caption(QString(), QStringLiteral("lblWheelVersus"));
    m_versus->setWordWrap(true);
    m_versus->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(explain);
    layout->addWidget(m_coverGrid);
    layout->addWidget(m_versus, 1);
    return group;
}

QLayout* TWheelForm::buildButtons() {
    auto* toMain = kStyle.button(QStringLiteral("btnWheelToMain"), QStringLiteral("予想メインへ"));
    auto* exportButton = kStyle.button(QStringLiteral("btnWheelExport"), QStringLiteral("CSV出力"));
    auto* close = kStyle.button(QStringLiteral("btnWheelClose"), QStringLiteral("閉じる"));
    connect(toMain, &QPushButton::clicked, this, [this] { btnWheelToMainClick(); });
    connect(exportButton, &QPushButton::clicked, this, [this] { btnWheelExportClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return kStyle.buttonRow({}, {toMain, exportButton, close});
}

std::optional<std::pair<Wheel, QVector<WheelCoverRow>>>
TWheelForm::makeWheel(const QVector<int>& pool) {
    const LongRun::Scope running(m_run);
    RunProgress progress(m_run.stopAsked());
    const WheelPromise promise{m_match->value(), m_ifCount->value()};
    std::optional<Wheel> wheel =
        buildWheel(pool, promise, progress.step(QStringLiteral("ホイールを作成中です")));
    if (!wheel)
        return std::nullopt;
    std::optional<QVector<WheelCoverRow>> cover =
        wheelCoverTable(*wheel, progress.step(QStringLiteral("当たりと穴を数えています")));
    if (!cover)
        return std::nullopt;
    return std::pair{std::move(*wheel), std::move(*cover)};
}

void TWheelForm::btnWheelMakeClick() {
    if (m_run.running())
        return;
    const WheelPool pool = readWheelPool(m_pool->text());
    // What was shown belongs to another pool or promise: nothing stays.
    m_wheel.reset();
    m_cover.clear();
    if (!pool.accepted()) {
        showWheel(QString());
        showGuideMessage(this, pool.refusal);
        m_pool->setFocus();
        return;
    }
    QString refusal;
    try {
        if (auto made = makeWheel(pool.numbers)) {
            m_wheel = std::move(made->first);
            m_cover = std::move(made->second);
        }
    } catch (const TAppError& error) {
        refusal = error.text();
    }
    showWheel(m_wheel ? wheelSummaryText(*m_wheel)
                      : (refusal.isEmpty() ? QStringLiteral("作成を中止しました。") : QString()));
    if (!refusal.isEmpty())
        showGuideMessage(this, refusal);
    if (m_run.stopAsked())
        reject(); // the box was closed during the run
}

void TWheelForm::showWheel(const QString& summary) {
    m_summary->setText(summary);
    m_linesModel->setLines(m_wheel ? m_wheel->lines : QVector<WheelLine>());
    m_coverModel->setRows(m_cover);
    m_versus->setText(m_wheel ? wheelVersusText(wheelVersus(*m_wheel, m_cover)) : QString());
}

void TWheelForm::btnWheelToMainClick() {
    if (m_run.running())
        return;
    if (!m_wheel) {
        showGuideMessage(this, QStringLiteral("先に「作成」を押してください。"));
        return;
    }
    m_toMain(m_wheel->lines);
    showGuideMessage(this, QStringLiteral("%1口を予想メインの申込み数字に追加しました。"
                                          "予想メインの「保存」で保存してください。")
                               .arg(groupDigits(static_cast<qint64>(m_wheel->lines.size()))));
}

void TWheelForm::btnWheelExportClick() {
    if (m_run.running())
        return;
    if (!m_wheel) {
        showGuideMessage(this, QStringLiteral("先に「作成」を押してください。"));
        return;
    }
    const SaveFileRequest request = csvSaveRequest(
        QStringLiteral("dlgWheelSave"), QStringLiteral("ホイールの口をCSVファイルに保存"),
        QStringLiteral("ホイール_%1口.csv").arg(m_wheel->lines.size()));
    saveFileAsked(this, request, [this] { return wheelCsv(*m_wheel); });
}

void TWheelForm::reject() {
    // During a run, the run stops at its next report and then closes the box.
    if (!m_run.stopInsteadOfClosing())
        QDialog::reject();
}
