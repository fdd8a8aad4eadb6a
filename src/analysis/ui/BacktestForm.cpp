#include "analysis/ui/BacktestForm.h"

#include "common/Formats.h"
#include "common/ui/BusyScope.h"
#include "common/ui/FileDialogs.h"
#include "common/ui/FormStyle.h"
#include "common/ui/MessageBox.h"
#include "common/ui/StringGrid.h"
#include "common/ui/UiColors.h"
#include "common/ui/UiFonts.h"
#include "common/ui/UiWidgets.h"
#include "common/ui/YenChart.h"
#include "predict/ExclusionText.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

// Sizes of the box's controls, in pixels. The box is laid out: the grid and
// the chart share what room it has.
namespace geometry {
constexpr int kSpinWidth = 74;
// The settings and the filter: wide enough for a mode's description in two
// lines and a filter check's text without wrapping, which keeps the box
// within 640 pixels of height after a check.
constexpr int kSideWidth = 390;
constexpr int kChartMinimumHeight = 180; // below it the axis labels crowd
constexpr int kGridRowHeight = 19;
constexpr int kGridMinimumHeight = 8 * kGridRowHeight + 8; // the title and seven rows
} // namespace geometry

constexpr int kMinBacktestDraws = 10;
constexpr int kMaxLinesPerDraw = 50;
constexpr int kMaxSeed = 999'999'999;
constexpr int kTotalColumns = 5; // lines, cost, won, balance, return

int s_progressDelay = 500;

constexpr FormStyle kStyle{};

QSpinBox* addSpin(const QString& name, int minimum, int maximum, int value) {
    auto* spin = kStyle.spin(name, minimum, maximum, geometry::kSpinWidth);
    spin->setValue(value);
    return spin;
}

QString yen(double amount) {
    return formatYen(static_cast<long double>(amount));
}

QString rateText(double rate) {
    return QString::number(rate, 'f', 1) + QStringLiteral(" %");
}

// An expected count of lines, with comma groups like the counts beside it:
// "1,260.96".
QString expectedLines(double count) {
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(count, 'f', 2);
}

// Why a run cannot start: too little history, or too many lines; empty when it can.
QString runRefusal(const BacktestRange& range, qsizetype historySize,
                   const BacktestOptions& options) {
    if (range.count == 0)
        return QStringLiteral("検証する回の前に%1回分の抽選結果が必要です。"
                              "抽選結果は%2回分しかありません。")
            .arg(kBacktestHistory)
            .arg(historySize);
    const qint64 lines = qint64{options.linesPerDraw} * range.count;
    if (lines > kBacktestMaxLines)
        return QStringLiteral("口数×回数は%1口までです（%2口×%3回＝%4口）。"
                              "口数か検証する回数を減らしてください。")
            .arg(groupDigits(kBacktestMaxLines))
            .arg(options.linesPerDraw)
            .arg(groupDigits(range.count), groupDigits(lines));
    return {};
}

// Where a run the generator's stuck rule ended stopped; empty otherwise.
QString stuckText(const BacktestResult& result) {
    if (result.end != BacktestResult::End::Stuck)
        return {};
    return QStringLiteral("第%1回の検証で止まりました。%2")
        .arg(result.stuckDraw)
        .arg(stuckRunText(result.stuckPosition, result.stuckThreshold));
}

// The note under the results: a stop, a stuck run, a later start.
QString runNote(const BacktestResult& result, const BacktestRange& range, const QString& stuck) {
    QString note =
        result.end == BacktestResult::End::Stopped ? QStringLiteral("検証を中止しました。") : stuck;
    if (range.startsLater() && !result.rows.isEmpty())
        note += QStringLiteral(" 各回の前に%1回分の抽選結果が要るため、第%2回から検証しました"
                               "（%3回）。")
                    .arg(kBacktestHistory)
                    .arg(result.rows.first().drawNumber)
                    .arg(range.count);
    return note.trimmed();
}

} // namespace

void TBacktestForm::setProgressDelay(int milliseconds) {
    s_progressDelay = milliseconds;
}

TBacktestForm::TBacktestForm(const DrawTable& draws, const PrizeTable& prizes,
                             const TSettings& settings, QWidget* parent)
    : QDialog(parent), m_draws(draws), m_prizes(prizes),
      m_excluded(keptExclusions(settings.DeleteNum)),
      m_threshold(std::clamp(settings.RangeNum, 0, 100)) {
    kStyle.setUp(this, QStringLiteral("BacktestForm"), QStringLiteral("過去検証"));

    auto* side = new QVBoxLayout;
    side->addWidget(buildReplay());
    side->addWidget(buildFilter(), 1);
    auto* results = new QVBoxLayout;
    results->addLayout(buildTotals());
    results->addWidget(m_grid);
    results->addWidget(buildChart(), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(side);
    columns->addLayout(results, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(buildButtons());

    const GenerationMode stored = modeFromIndex(settings.OptionIndex);
    m_rule->setCurrentIndex(std::max(0, m_rule->findData(static_cast<int>(stored))));
    cmbBacktestRuleChange();
    showResult(QString());
}

QWidget* TBacktestForm::buildReplay() {
    auto* group = new QGroupBox(QStringLiteral("予想方法の検証"));
    group->setObjectName(QStringLiteral("groupBacktest"));
    group->setFixedWidth(geometry::kSideWidth);
    m_rule = kStyle.control(new QComboBox, QStringLiteral("cmbBacktestRule"));
    for (const GenerationMode mode :
         {GenerationMode::Random, GenerationMode::Exclusion, GenerationMode::PositionThreshold})
        m_rule->addItem(backtestModeName(mode), static_cast<int>(mode));
    m_lines = addSpin(QStringLiteral("editBacktestLines"), 1, kMaxLinesPerDraw, 10);
    m_drawCount = addSpin(QStringLiteral("editBacktestDraws"), kMinBacktestDraws,
                          std::max(kMinBacktestDraws, m_draws.count()), 100);
    m_seed = addSpin(QStringLiteral("editBacktestSeed"), 0, kMaxSeed, 1);
    m_ruleOptions =
        kStyle.caption(QString(), QStringLiteral("lblBacktestOptions"), kStyle.smallPixelSize);
    m_ruleOptions->setWordWrap(true);
    m_ruleOptions->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest description (twenty excluded numbers), so that
    // the controls below, 検証 too, stay where they are whatever the mode.
    m_ruleOptions->setFixedHeight(2 * m_ruleOptions->fontMetrics().lineSpacing() + 2);
    auto* run = kStyle.button(QStringLiteral("btnBacktestRun"), QStringLiteral("検証"));
    setTextColour(run, kNavy);

    auto* form = new QGridLayout(group);
    form->addWidget(kStyle.caption(QStringLiteral("予想方法")), 0, 0);
    form->addWidget(m_rule, 0, 1, 1, 2);
    form->addWidget(m_ruleOptions, 1, 0, 1, 3);
    form->addWidget(kStyle.caption(QStringLiteral("1回の口数")), 2, 0);
    form->addWidget(m_lines, 2, 1);
    form->addWidget(kStyle.caption(QStringLiteral("検証する回数")), 3, 0);
    form->addWidget(m_drawCount, 3, 1);
    form->addWidget(kStyle.caption(QStringLiteral("乱数の種")), 4, 0);
    form->addWidget(m_seed, 4, 1);
    form->addWidget(run, 4, 2, Qt::AlignRight);
    form->setColumnStretch(2, 1);
    connect(m_rule, &QComboBox::currentIndexChanged, this, [this] {
        cmbBacktestRuleChange();
        clearResult();
    });
    for (QSpinBox* spin : {m_lines, m_drawCount, m_seed})
        connect(spin, &QSpinBox::valueChanged, this, [this] { clearResult(); });
    connect(run, &QPushButton::clicked, this, [this] { btnBacktestRunClick(); });
    return group;
}

QWidget* TBacktestForm::buildFilter() {
    auto* group = new QGroupBox(QStringLiteral("フィルターの判定"));
    group->setObjectName(QStringLiteral("groupFilter"));
    group->setFixedWidth(geometry::kSideWidth);
    auto* form = new QGridLayout(group);
    form->setVerticalSpacing(3);
    const LineFilter defaults;
    int line = 0;
    for (const FilterFigure& figure : kFilterFigures) {
        const QString name = QString::fromLatin1(figure.name);
        const FigureRange& initial = defaults.*figure.range;
        RangeControls& c = m_ranges.at(line);
        c.on = kStyle.control(new QCheckBox(QString::fromUtf8(figure.caption)),
                              QStringLiteral("chkFilter") + name);
        c.min = addSpin(QStringLiteral("editFilter%1Min").arg(name), figure.minimum, figure.maximum,
                        initial.min);
        c.max = addSpin(QStringLiteral("editFilter%1Max").arg(name), figure.minimum, figure.maximum,
                        initial.max);
        form->addWidget(c.on, line, 0);
        if (figure.onlyMaximum) {
            // Only an upper bound: "at most".
            c.min->hide();
            form->addWidget(kStyle.caption(QStringLiteral("最大")), line, 1, Qt::AlignRight);
        } else {
            form->addWidget(c.min, line, 1);
        }
        form->addWidget(c.max, line, 2);
        ++line;
    }
    m_forbiddenOn = kStyle.control(new QCheckBox(QStringLiteral("含めない数字")),
                                   QStringLiteral("chkFilterForbidden"));
    m_forbidden = kStyle.control(new QLineEdit, QStringLiteral("editFilterForbidden"));
    m_forbidden->setPlaceholderText(QStringLiteral("例: 4 13 31"));
    form->addWidget(m_forbiddenOn, line, 0);
    form->addWidget(m_forbidden, line, 1);
    // Beside the last filter rather than in a row of its own: the check's
    // text below needs the height.
    auto* check = kStyle.button(QStringLiteral("btnFilterCheck"), QStringLiteral("フィルター判定"));
    setTextColour(check, kNavy);
    form->addWidget(check, line++, 2, Qt::AlignRight);
    m_filterResult =
        kStyle.caption(QString(), QStringLiteral("lblFilterResult"), kStyle.smallPixelSize);
    m_filterResult->setWordWrap(true);
    m_filterResult->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    form->addWidget(m_filterResult, line, 0, 1, 3);
    form->setRowStretch(line, 1);
    connect(check, &QPushButton::clicked, this, [this] { btnFilterCheckClick(); });
    connectFilterChanges();
    return group;
}

void TBacktestForm::connectFilterChanges() {
    // A judgement shown stands for the filter it judged only.
    const auto clearCheck = [this] {
        m_filterResult->clear();
        m_checkedFilter.reset();
    };
    for (const RangeControls& c : m_ranges) {
        connect(c.on, &QCheckBox::toggled, this, clearCheck);
        connect(c.min, &QSpinBox::valueChanged, this, clearCheck);
        connect(c.max, &QSpinBox::valueChanged, this, clearCheck);
    }
    connect(m_forbiddenOn, &QCheckBox::toggled, this, clearCheck);
    connect(m_forbidden, &QLineEdit::textChanged, this, clearCheck);
    // The draws judged are the replay's count.
    connect(m_drawCount, &QSpinBox::valueChanged, this, clearCheck);
}

QLayout* TBacktestForm::buildTotals() {
    auto* totals = new QGridLayout;
    const std::array<const char*, kTotalColumns> captions = {"口数", "購入額", "当選金額", "収支",
                                                             "回収率"};
    const std::array<const char*, kTotalColumns> names = {"Lines", "Cost", "Won", "Balance",
                                                          "Return"};
    for (int c = 0; c < kTotalColumns; ++c) {
        auto* caption = kStyle.caption(QString::fromUtf8(captions.at(c)));
        caption->setAlignment(Qt::AlignCenter);
        totals->addWidget(caption, 0, c + 1);
        for (const bool chance : {false, true}) {
            auto* value = kStyle.caption(
                QString(), QStringLiteral("lbl%1%2").arg(chance ? QStringLiteral("Chance")
                                                                : QStringLiteral("Backtest"),
                                                         QString::fromLatin1(names.at(c))));
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
            totals->addWidget(value, chance ? 2 : 1, c + 1);
            (chance ? m_chanceTotals : m_modeTotals).at(c) = value;
        }
    }
    totals->addWidget(kStyle.caption(QStringLiteral("検証")), 1, 0);
    totals->addWidget(kStyle.caption(QStringLiteral("偶然")), 2, 0);
    m_rangeText =
        kStyle.caption(QString(), QStringLiteral("lblChanceRange"), kStyle.smallPixelSize);
    m_rangeText->setWordWrap(true);
    totals->addWidget(m_rangeText, 3, 1, 1, kTotalColumns);
    m_verdict =
        kStyle.caption(QString(), QStringLiteral("lblBacktestVerdict"), kStyle.pixelSize, true);
    m_verdict->setWordWrap(true);
    totals->addWidget(m_verdict, 4, 0, 1, kTotalColumns + 1);
    m_note = kStyle.caption(QString(), QStringLiteral("lblBacktestNote"), kStyle.smallPixelSize);
    m_note->setWordWrap(true);
    setTextColour(m_note, kRed);
    totals->addWidget(m_note, 5, 0, 1, kTotalColumns + 1);

    m_grid = new StringGrid(5, StripedGrid::Highlight::WhenFocused, StripedGrid::Placement::Centred,
                            this);
    m_grid->setObjectName(QStringLiteral("gridBacktest"));
    m_grid->setTitles({QStringLiteral("等級"), QStringLiteral("当選口数"),
                       QStringLiteral("当選金額"), QStringLiteral("偶然の口数"),
                       QStringLiteral("偶然の金額")});
    m_grid->setFont(fixedGothicFont(kStyle.pixelSize));
    m_grid->horizontalHeader()->setFont(fixedGothicFont(kStyle.smallPixelSize));
    m_grid->setDataRowHeight(geometry::kGridRowHeight);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setMinimumHeight(geometry::kGridMinimumHeight);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return totals;
}

QWidget* TBacktestForm::buildChart() {
    const YenChart chart =
        makeYenChart(this, QStringLiteral("chartBacktest"),
                     {{QStringLiteral("購入額（累計）"), QPen(kChartRed, 2)},
                      {QStringLiteral("当選金額（累計）"), QPen(kChartBlue, 2)},
                      {QStringLiteral("偶然の期待値（累計）"), QPen(kTeal, 2, Qt::DashLine)}},
                     kStyle.smallPixelSize, kStyle.smallPixelSize);
    m_chart = chart.view;
    m_drawAxis = chart.drawAxis;
    m_yenAxis = chart.yenAxis;
    m_costSeries = chart.series.at(0);
    m_wonSeries = chart.series.at(1);
    m_chanceSeries = chart.series.at(2);
    m_chart->setMinimumHeight(geometry::kChartMinimumHeight);
    return m_chart;
}

QLayout* TBacktestForm::buildButtons() {
    auto* notice = kStyle.caption(QStringLiteral("過去の結果は、次回の当せん確率を変えません。"),
                                  QStringLiteral("lblBacktestNotice"), kStyle.pixelSize, true);
    setTextColour(notice, kNavy);
    auto* exportButton =
        kStyle.button(QStringLiteral("btnBacktestExport"), QStringLiteral("CSV出力"));
    auto* close = kStyle.button(QStringLiteral("btnBacktestClose"), QStringLiteral("閉じる"));
    auto* row = kStyle.buttonRow({notice}, {exportButton, close});
    connect(exportButton, &QPushButton::clicked, this, [this] { btnBacktestExportClick(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return row;
}

void TBacktestForm::cmbBacktestRuleChange() {
    const auto mode = static_cast<GenerationMode>(m_rule->currentData().toInt());
    QString text;
    if (mode == GenerationMode::Exclusion) {
        const QString numbers = exclusionText(m_excluded).trimmed();
        text = numbers.isEmpty()
                   ? QStringLiteral("除外数字が設定されていません（ランダムと同じです）。")
                   : QStringLiteral("除外数字（予想オプション設定）: %1").arg(numbers);
    } else if (mode == GenerationMode::PositionThreshold) {
        text = QStringLiteral("過去の抽選回数 %1回以上（予想オプション設定）。"
                              "各回の前の抽選結果だけで数えます。")
                   .arg(m_threshold);
    } else {
        text = QStringLiteral("除外も絞り込みもせず、数字を選びます。");
    }
    m_ruleOptions->setText(text);
}

BacktestOptions TBacktestForm::currentOptions() const {
    BacktestOptions options;
    options.mode = static_cast<GenerationMode>(m_rule->currentData().toInt());
    options.threshold = m_threshold;
    options.excluded = m_excluded;
    options.linesPerDraw = m_lines->value();
    options.draws = m_drawCount->value();
    options.seed = static_cast<quint32>(m_seed->value());
    return options;
}

void TBacktestForm::btnBacktestRunClick() {
    if (m_run.running())
        return;
    runHandler(this, [this] {
        const QVector<DrawResult> history = drawsOldestFirst(m_draws);
        const BacktestOptions options = currentOptions();
        const BacktestRange range = backtestRange(static_cast<int>(history.size()), options.draws);
        const QString refusal = runRefusal(range, history.size(), options);
        if (!refusal.isEmpty()) {
            showGuideMessage(this, refusal);
            return;
        }
        const LongRun::Scope running(m_run);
        DelayedProgress progress(m_run.stopAsked(), s_progressDelay);
        BacktestResult result = runBacktest(history, m_prizes, options, [&](int done, int total) {
            return progress.report(
                QStringLiteral("過去検証中です… %1 / %2回").arg(done).arg(total));
        });
        const QString stuck = stuckText(result);
        const QString note = runNote(result, range, stuck);
        m_result = std::move(result);
        m_resultOptions = options;
        showResult(note);
        if (!stuck.isEmpty())
            showGuideMessage(this, stuck);
    });
    if (m_run.stopAsked())
        reject(); // the box was closed during the run
}

void TBacktestForm::clearResult() {
    // Shown results stand for the settings that produced them only.
    if (m_run.running())
        return;
    m_result = BacktestResult();
    showResult(QString());
}

void TBacktestForm::showResult(const QString& note) {
    const QVector<BacktestRow>& rows = m_result.rows;
    const BacktestTotals totals = backtestTotals(rows);
    const bool shown = !rows.isEmpty();
    const ChanceSpread spread = shown ? chanceSpread(simulatedChanceReturns(rows)) : ChanceSpread();
    const auto fill = [shown](const std::array<QLabel*, kTotalColumns>& labels, qint64 lines,
                              double cost, double won, double rate) {
        const std::array<QString, kTotalColumns> texts = {groupDigits(lines) + QStringLiteral("口"),
                                                          yen(cost), yen(won), yen(won - cost),
                                                          rateText(rate)};
        for (int c = 0; c < kTotalColumns; ++c)
            labels.at(c)->setText(shown ? texts.at(c) : QString());
    };
    const auto cost = static_cast<double>(totals.cost);
    fill(m_modeTotals, totals.lines, cost, static_cast<double>(totals.won), totals.returnRate());
    fill(m_chanceTotals, totals.lines, cost, totals.expectedWon, totals.expectedReturnRate());
    m_rangeText->setText(
        shown ? QStringLiteral("偶然の回収率の95 %の範囲（ランダムな口で%1回試した結果）: "
                               "%2～%3")
                    .arg(groupDigits(kChanceRuns), rateText(spread.low), rateText(spread.high))
              : QString());
    m_verdict->setText(
        shown ? QStringLiteral("第%1回～第%2回: ")
                        .arg(rows.first().drawNumber)
                        .arg(rows.last().drawNumber) +
                    backtestVerdict(totals.returnRate(), totals.expectedReturnRate(), spread)
              : QString());
    QString fullNote = note;
    if (totals.prizeMissing > 0)
        fullNote +=
            QStringLiteral(" 賞金データのない%1回は0円で計算しました（CSVに印があります）。")
                .arg(totals.prizeMissing);
    m_note->setText(fullNote.trimmed());

    QVector<QStringList> cells;
    for (int t = 0; t < kPrizeTiers && shown; ++t)
        cells.append({QStringLiteral("%1等").arg(t + 1), groupDigits(totals.tierLines.at(t)),
                      yen(static_cast<double>(totals.tierWon.at(t))),
                      expectedLines(totals.expectedTierLines.at(t)),
                      yen(totals.expectedTierWon.at(t))});
    if (shown) {
        int winning = 0;
        double expectedWinning = 0;
        for (int t = 0; t < kPrizeTiers; ++t) {
            winning += totals.tierLines.at(t);
            expectedWinning += totals.expectedTierLines.at(t);
        }
        cells.append({QStringLiteral("計"), groupDigits(winning),
                      yen(static_cast<double>(totals.won)), expectedLines(expectedWinning),
                      yen(totals.expectedWon)});
    }
    m_grid->setRows(cells);
    showChart();
}

void TBacktestForm::showChart() {
    QList<QPointF> cost;
    QList<QPointF> won;
    QList<QPointF> chance;
    const QVector<RunningSum> sums = runningSums(m_result.rows, true);
    for (const RunningSum& sum : sums) {
        cost.append(QPointF(sum.drawNumber, static_cast<double>(sum.cost)));
        won.append(QPointF(sum.drawNumber, static_cast<double>(sum.won)));
        chance.append(QPointF(sum.drawNumber, sum.expectedWon));
    }
    m_costSeries->replace(cost);
    m_wonSeries->replace(won);
    m_chanceSeries->replace(chance);
    const QVector<BacktestRow>& rows = m_result.rows;
    const int first = rows.isEmpty() ? 0 : rows.first().drawNumber;
    const int last = rows.isEmpty() ? 1 : rows.last().drawNumber;
    m_drawAxis->setRange(first, std::max(last, first + 1));
    m_drawAxis->setTickCount(std::min(6, std::max(2, last - first + 1)));
    const RunningSum total = sums.isEmpty() ? RunningSum() : sums.last();
    setYenAxisRange(m_yenAxis,
                    std::max({total.cost, total.won, roundToInteger(total.expectedWon)}));
}

LineFilter TBacktestForm::currentFilter() const {
    LineFilter filter;
    for (size_t i = 0; i < kFilterFigures.size(); ++i) {
        const FilterFigure& figure = kFilterFigures.at(i);
        const RangeControls& c = m_ranges.at(i);
        filter.*figure.range =
            FigureRange{c.on->isChecked(), figure.onlyMaximum ? figure.minimum : c.min->value(),
                        c.max->value()};
    }
    filter.forbiddenOn = m_forbiddenOn->isChecked();
    if (filter.forbiddenOn)
        filter.forbidden = numbersOfText(m_forbidden->text());
    return filter;
}

void TBacktestForm::btnFilterCheckClick() {
    if (m_run.running())
        return;
    runHandler(this, [this] {
        const LineFilter filter = currentFilter();
        if (!filter.anyOn()) {
            showGuideMessage(this,
                             QStringLiteral("判定するフィルターにチェックを付けてください。"));
            return;
        }
        for (size_t i = 0; i < kFilterFigures.size(); ++i) {
            const RangeControls& controls = m_ranges.at(i);
            if (kFilterFigures.at(i).onlyMaximum || !controls.on->isChecked() ||
                controls.min->value() <= controls.max->value())
                continue;
            showGuideMessage(this, QStringLiteral("%1の下限が上限を超えています。")
                                       .arg(QString::fromUtf8(kFilterFigures.at(i).caption)));
            controls.min->setFocus();
            return;
        }
        if (filter.forbiddenOn && std::none_of(filter.forbidden.cbegin(), filter.forbidden.cend(),
                                               [](bool n) { return n; })) {
            showGuideMessage(this, QStringLiteral("含めない数字を入力してください。"));
            m_forbidden->setFocus();
            return;
        }
        const QVector<DrawResult> history = drawsOldestFirst(m_draws);
        if (history.size() < 2) {
            showGuideMessage(this, QStringLiteral("判定には2回分以上の抽選結果が必要です。"));
            return;
        }
        const BusyCursor cursor;
        m_filterResult->setText(
            filterCheckText(checkFilter(filter, history, m_drawCount->value())));
        m_checkedFilter = filter;
    });
}

void TBacktestForm::btnBacktestExportClick() {
    if (m_run.running())
        return;
    if (m_result.rows.isEmpty()) {
        showGuideMessage(this, QStringLiteral("先に「検証」を押してください。"));
        return;
    }
    const SaveFileRequest request = csvSaveRequest(QStringLiteral("dlgBacktestSave"),
                                                   QStringLiteral("過去検証をCSVファイルに保存"),
                                                   QStringLiteral("過去検証_第%1-%2回.csv")
                                                       .arg(m_result.rows.first().drawNumber)
                                                       .arg(m_result.rows.last().drawNumber));
    saveFileAsked(this, request, [this] {
        QVector<QStringList> settings = backtestSettings(m_resultOptions);
        if (m_checkedFilter)
            settings += filterSettings(*m_checkedFilter);
        return backtestCsv(m_result.rows, settings);
    });
}

void TBacktestForm::reject() {
    // During a run, the run stops at its next draw and then closes the box.
    if (!m_run.stopInsteadOfClosing())
        QDialog::reject();
}
