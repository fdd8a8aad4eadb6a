#include "ledger/ui/LedgerForm.h"

#include "common/Clock.h"
#include "common/DataFolder.h"
#include "common/Formats.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/FormStyle.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StripedGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "common/ui/YenChart.h"
#include "ledger/ClaimedFile.h"
#include "ledger/LedgerReminder.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Sizes of the box's controls, in pixels. The box is laid out: the grid and
// the chart share what room it has.
namespace geometry {
constexpr int kYearWidth = 100;
constexpr int kChartMinimumHeight = 250; // below it the axis labels are elided
// Per LedgerColumn: draw, date, lines, cost, six tiers, won, net, deadline,
// cashed.
const QVector<int> kColumnWidths{70, 110, 60, 110, 44, 44, 44, 44, 44, 44, 140, 140, 150, 100};
} // namespace geometry

constexpr int kMaxSkippedFilesNamed = 5;

// The dates are centred, the counts and amounts right-aligned.
bool centred(LedgerColumn column) {
    return column == LedgerColumn::Date || column == LedgerColumn::Deadline ||
           column == LedgerColumn::Claimed;
}

bool claimColumn(const QModelIndex& index) {
    return index.column() == static_cast<int>(LedgerColumn::Claimed);
}

constexpr FormStyle kStyle{.pixelSize = 15};

// A label whose text is set later, right-aligned like the figure it shows.
QLabel* figure(const QString& name) {
    QLabel* label = kStyle.caption(QString(), name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

LedgerModel::LedgerModel(QObject* parent)
    : RowsModel(ledgerHeaders(), Qt::AlignHCenter | Qt::AlignVCenter, parent) {}

QStringList LedgerModel::rowTexts(const LedgerRow& row) const {
    return ledgerRowTexts(row, m_today);
}

Qt::Alignment LedgerModel::alignment(int column) const {
    return centred(static_cast<LedgerColumn>(column)) ? Qt::AlignHCenter : Qt::AlignRight;
}

QVariant LedgerModel::foreground(const LedgerRow& row) const {
    return row.expired(m_today) ? QVariant(kExpired) : QVariant();
}

QVariant LedgerModel::background(const LedgerRow& row) const {
    return row.deadlineNear(m_today) ? QVariant(kNearDeadline) : QVariant();
}

QVariant LedgerModel::otherData(const LedgerRow& row, const QModelIndex& index, int role) const {
    if (role != Qt::CheckStateRole || !claimColumn(index) || !row.deadline().isValid())
        return {};
    return row.claimed() ? Qt::Checked : Qt::Unchecked;
}

Qt::ItemFlags LedgerModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = RowsModel::flags(index);
    if (index.isValid() && claimColumn(index) && index.row() < rows().size() &&
        rows().at(index.row()).deadline().isValid())
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool LedgerModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !(flags(index) & Qt::ItemIsUserCheckable))
        return false;
    emit claimToggled(index.row(), value.toInt() == Qt::Checked);
    return false;
}

void LedgerModel::setClaimed(int row, const QDate& on) {
    LedgerRow changed = rows().at(row);
    changed.claimedOn = on;
    replaceRow(row, changed);
}

void LedgerModel::setRows(const QVector<LedgerRow>& rows, const QDate& today) {
    m_today = today;
    RowsModel::setRows(rows);
}

TLedgerForm::TLedgerForm(const DrawTable& draws, const PrizeTable& prizes, QWidget* parent)
    : QDialog(parent), m_draws(draws), m_prizes(prizes) {
    setObjectName(QStringLiteral("LedgerForm"));
    setWindowTitle(QStringLiteral("当選・収支の集計"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buildTotals());
    m_note = kStyle.caption(QString(), QStringLiteral("lblLedgerNote"));
    layout->addWidget(m_note);
    layout->addWidget(buildGrid(), 1);
    layout->addWidget(buildChart(), 1);
    layout->addLayout(buildButtons());
    connect(m_year, &QComboBox::currentIndexChanged, this, [this] { cmbLedgerYearChange(); });
    setLedger({}, Clock::currentUtc().toLocalTime().date());
    resize(kPreferredSize);
}

// The period above the totals, so that the box fits a narrow screen.
QLayout* TLedgerForm::buildTotals() {
    auto* period = new QHBoxLayout;
    period->addWidget(
        kStyle.caption(QStringLiteral("集計期間"), QStringLiteral("lblLedgerPeriod")));
    m_year = kStyle.control(new QComboBox, QStringLiteral("cmbLedgerYear"));
    m_year->setMinimumWidth(geometry::kYearWidth);
    period->addWidget(m_year);
    period->addSpacing(24);
    // What is still to cash, whatever the period: beside it to save a row.
    m_unclaimed = kStyle.caption(QString(), QStringLiteral("lblLedgerUnclaimed"));
    period->addWidget(m_unclaimed);
    period->addStretch(1);
    auto* row = new QHBoxLayout;
    // Totals: caption and value side by side, each value as wide as its entry says.
    struct Total {
        const char* caption;
        const char* name;
        int valueWidth;
        QLabel** value;
    };
    const std::array<Total, 5> totals = {{{"口数", "lblLedgerLines", 76, &m_lines},
                                          {"購入額", "lblLedgerCost", 106, &m_cost},
                                          {"当選金額", "lblLedgerWon", 150, &m_won},
                                          {"収支", "lblLedgerNet", 140, &m_net},
                                          {"回収率", "lblLedgerRate", 76, &m_rate}}};
    for (const Total& total : totals) {
        row->addWidget(kStyle.caption(QString::fromUtf8(total.caption)));
        *total.value = figure(QString::fromLatin1(total.name));
        (*total.value)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        (*total.value)->setMinimumWidth(total.valueWidth);
        row->addWidget(*total.value);
        row->addSpacing(8);
    }
    row->addStretch(1);
    auto* rows = new QVBoxLayout;
    rows->addLayout(period);
    rows->addLayout(row);
    return rows;
}

QWidget* TLedgerForm::buildGrid() {
    m_model = new LedgerModel(this);
    m_grid = formGrid(this, QStringLiteral("gridLedger"), m_model, StripedGrid::Placement::RightTop,
                      {fixedGothicFont(15), fixedGothicFont(13), 20, geometry::kColumnWidths});
    connect(m_model, &LedgerModel::claimToggled, this,
            [this](int row, bool claimed) { gridLedgerClaimToggle(row, claimed); });
    m_grid->installEventFilter(this);
    return m_grid;
}

bool TLedgerForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_grid && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space &&
        m_grid->currentIndex().isValid()) {
        const QModelIndex tick =
            m_model->index(m_grid->currentIndex().row(), static_cast<int>(LedgerColumn::Claimed));
        // A held key toggles once: each toggle writes the file.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat() &&
            m_model->flags(tick).testFlag(Qt::ItemIsUserCheckable))
            m_model->setData(tick,
                             tick.data(Qt::CheckStateRole).toInt() == Qt::Checked ? Qt::Unchecked
                                                                                  : Qt::Checked,
                             Qt::CheckStateRole);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

QWidget* TLedgerForm::buildChart() {
    const YenChart chart = makeYenChart(this, QStringLiteral("chartLedger"),
                                        {{QStringLiteral("購入額（累計）"), QPen(kChartRed, 2)},
                                         {QStringLiteral("当選金額（累計）"), QPen(kChartBlue, 2)}},
                                        13, 12);
    m_chart = chart.view;
    m_drawAxis = chart.drawAxis;
    m_yenAxis = chart.yenAxis;
    m_costSeries = chart.series.at(0);
    m_wonSeries = chart.series.at(1);
    m_drawAxis->setTitleText(QStringLiteral("開催回"));
    m_drawAxis->setTitleFont(gothicFont(12));
    m_chart->setMinimumHeight(geometry::kChartMinimumHeight);
    return m_chart;
}

QLayout* TLedgerForm::buildButtons() {
    auto* remind = kStyle.control(new QCheckBox(QStringLiteral("起動時に知らせる"), this),
                                  QStringLiteral("chkLedgerRemind"));
    remind->setToolTip(QStringLiteral("支払期限の近い未換金の当せんを、起動時に知らせます。"));
    remind->setChecked(LedgerReminder::enabled());
    connect(remind, &QCheckBox::toggled, this,
            [this](bool checked) { chkLedgerRemindClick(checked); });
    auto* exportButton =
        kStyle.button(QStringLiteral("btnLedgerExport"), QStringLiteral("CSV出力"));
    auto* close = kStyle.button(QStringLiteral("btnLedgerClose"), QStringLiteral("閉じる"));
    connect(exportButton, &QPushButton::clicked, this, [this] { btnLedgerExportClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return kStyle.buttonRow({remind}, {exportButton, close});
}

void TLedgerForm::reload() {
    const QDate today = Clock::currentUtc().toLocalTime().date();
    Ledger ledger = buildLedger(readLedgerFiles(clientDir()), m_draws, m_prizes);
    markClaimed(ledger.rows, ClaimedFile::read().claimed());
    setLedger(ledger, today);
}

void TLedgerForm::setLedger(const Ledger& ledger, const QDate& today) {
    m_ledger = ledger;
    m_today = today;
    {
        const QSignalBlocker blocker(m_year);
        m_year->clear();
        m_year->addItem(QStringLiteral("全期間"), 0);
        for (const int year : ledgerYears(m_ledger, today))
            m_year->addItem(QString::number(year), year);
        m_year->setCurrentIndex(0);
    }
    cmbLedgerYearChange();
}

void TLedgerForm::cmbLedgerYearChange() {
    m_shown = ledgerRowsOfYear(m_ledger, m_year->currentData().toInt(), m_today);
    m_model->setRows(m_shown, m_today);
    m_grid->setCurrentDataRow(0);
    showTotals();
    showChart();
}

void TLedgerForm::showTotals() {
    const LedgerTotals totals = ledgerTotals(m_shown);
    m_lines->setText(groupDigits(totals.lines) + QStringLiteral("口"));
    m_cost->setText(formatYen(static_cast<long double>(totals.cost)));
    m_won->setText(formatYen(static_cast<long double>(totals.won)));
    m_net->setText(formatYen(static_cast<long double>(totals.balance())));
    QPalette palette = m_net->palette();
    palette.setColor(QPalette::WindowText, totals.balance() < 0 ? kRed : kBlack);
    m_net->setPalette(palette);
    m_rate->setText(QString::number(totals.returnRate(), 'f', 1) + u'%');

    QStringList notes;
    if (totals.amountUnknown)
        notes << QStringLiteral("当選金額が不明な当選があります（—）。合計には含まれません。");
    if (const int skipped = m_ledger.skippedLines(); skipped > 0) {
        QStringList files;
        for (const LedgerSkip& skip : m_ledger.skipped)
            if (files.size() < kMaxSkippedFilesNamed)
                files << QStringLiteral("%1 (%2行)").arg(skip.fileName).arg(skip.lines);
        QString named = files.join(QStringLiteral(", "));
        if (m_ledger.skipped.size() > kMaxSkippedFilesNamed)
            named += QStringLiteral(" ほか%1ファイル")
                         .arg(m_ledger.skipped.size() - kMaxSkippedFilesNamed);
        notes << QStringLiteral("読み取れない%1行を除外しました: %2").arg(skipped).arg(named);
    }
    m_note->setText(notes.join(u' '));
    m_unclaimed->setText(ledgerUnclaimedText(ledgerUnclaimed(m_ledger.rows, m_today)));
}

void TLedgerForm::showChart() {
    const QVector<RunningSum> sums = runningSums(m_shown, false); // rows newest first
    QList<QPointF> cost;
    QList<QPointF> won;
    for (const RunningSum& sum : sums) {
        cost.append(QPointF(sum.drawNumber, static_cast<qreal>(sum.cost)));
        won.append(QPointF(sum.drawNumber, static_cast<qreal>(sum.won)));
    }
    m_costSeries->replace(cost);
    m_wonSeries->replace(won);

    const int first = m_shown.isEmpty() ? 0 : m_shown.last().drawNumber;
    const int last = m_shown.isEmpty() ? 1 : m_shown.first().drawNumber;
    m_drawAxis->setRange(first, std::max(last, first + 1));
    m_drawAxis->setTickCount(std::min(11, std::max(2, last - first + 1)));

    const RunningSum total = sums.isEmpty() ? RunningSum() : sums.last();
    setYenAxisRange(m_yenAxis, std::max(total.cost, total.won));
}

void TLedgerForm::btnLedgerExportClick() {
    const QString period = m_year->currentData().toInt() == 0 ? QString() : m_year->currentText();
    const SaveFileRequest request = csvSaveRequest(QStringLiteral("dlgLedgerSave"),
                                                   QStringLiteral("当選・収支をCSVファイルに保存"),
                                                   QStringLiteral("当選収支%1.csv").arg(period));
    saveFileAsked(this, request, [this] { return ledgerCsv(m_shown, m_today); });
}

void TLedgerForm::gridLedgerClaimToggle(int row, bool claimed) {
    if (row < 0 || row >= m_shown.size())
        return;
    const int drawNumber = m_shown.at(row).drawNumber;
    const QDate on = claimed ? Clock::currentUtc().toLocalTime().date() : QDate();
    const bool stored = runHandler(this, [&] {
        // Read again: the lines of the file are kept as they are now.
        ClaimedFile file = ClaimedFile::read();
        if (claimed)
            file.tick(drawNumber, on);
        else
            file.untick(drawNumber);
        file.write();
    });
    if (!stored)
        return;
    m_shown[row].claimedOn = on;
    for (LedgerRow& each : m_ledger.rows)
        if (each.drawNumber == drawNumber)
            each.claimedOn = on;
    m_model->setClaimed(row, on);
    showTotals();
}

void TLedgerForm::chkLedgerRemindClick(bool checked) {
    LedgerReminder::setEnabled(checked);
}
