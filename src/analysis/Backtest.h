#pragma once

#include "analysis/LineFilter.h"
#include "common/Spending.h"
#include "data/DrawTable.h"
#include "data/PrizeTable.h"
#include "predict/GenerationRule.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <functional>

// Replaying a generation mode over past draws: for each target draw, oldest
// first, the mode sees only the draws before it, generates its lines with the
// program's generator and is paid what that draw paid. Beside it, what the
// same number of random lines gives on the same draws, exactly and as the
// spread of simulated runs.

// A target draw needs this many earlier draws for the mode to learn from.
inline constexpr int kBacktestHistory = 30;
// Lines x draws of one run at most.
inline constexpr int kBacktestMaxLines = 100'000;
inline constexpr int kChanceRuns = 1'000;
inline constexpr quint64 kChanceSeed = 20'130'405;

struct BacktestOptions {
    GenerationMode mode = GenerationMode::Random;
    int threshold = 1;    // the position-threshold mode's
    NumberSet excluded{}; // the exclusion mode's
    int linesPerDraw = 10;
    int draws = 100; // the newest draws to replay
    quint32 seed = 1;
};

// The draws a run replays, by index into the draws oldest first.
struct BacktestRange {
    int first = 0; // index of the oldest target
    int count = 0;
    int requested = 0;
    bool startsLater() const { return count < requested; }
};

// One target draw.
struct BacktestRow {
    int drawNumber = 0;
    QDate date;
    int lines = 0;
    std::array<int, kPrizeTiers> tierLines{};
    std::array<qint64, kPrizeTiers> amounts{}; // the draw's, per tier; 0 without a record
    qint64 won = 0;
    // What as many random lines win on average, from the draw's amounts.
    double expectedWon = 0;
    bool prizeMissing = false; // no prize record: counted at 0 yen
    qint64 cost() const { return qint64{lines} * kLinePrice; }
};

struct BacktestResult {
    enum class End { Complete, Stuck, Stopped };
    End end = End::Complete;
    QVector<BacktestRow> rows; // oldest first
    BacktestRange range;
    // Where the stuck-run rule ended the run.
    int stuckDraw = 0;
    int stuckPosition = 0;
    int stuckThreshold = 0;
};

// Totals of the rows, for the mode and for chance.
struct BacktestTotals : Spending {
    double expectedWon = 0;
    std::array<int, kPrizeTiers> tierLines{};
    std::array<qint64, kPrizeTiers> tierWon{};
    std::array<double, kPrizeTiers> expectedTierLines{};
    std::array<double, kPrizeTiers> expectedTierWon{};
    int prizeMissing = 0; // draws without a prize record
    double expectedReturnRate() const { return percentOfCost(expectedWon); }
};

// Return % of simulated runs of random lines: the central 95 % of them.
struct ChanceSpread {
    double low = 0;
    double high = 0;
};

// The draws of the table oldest first: by draw number, each number once (the
// first in table order, as everywhere a draw is looked up).
QVector<DrawResult> drawsOldestFirst(const DrawTable& draws);

// The targets for the newest `requested` draws, none earlier than the first
// with kBacktestHistory draws before it.
BacktestRange backtestRange(int drawCount, int requested);

// The seed of one target draw's lines: the run's seed and the draw number.
quint32 drawSeed(quint32 seed, int drawNumber);

// The lines the mode generates for the draw at `target` seeing only
// history[0 .. target-1]; `counts` must hold exactly those draws. Fewer than
// asked when the stuck-run rule ends them; then `stuckAt` holds the position.
QVector<std::array<int, kPositions>> backtestLines(const BacktestOptions& options,
                                                   const PositionCounts& counts, int drawNumber,
                                                   int* stuckAt);

// The chance of each tier for one random line.
double tierChance(int tier);
// The mean yen a random line wins on a draw with these amounts.
double chanceValue(const PrizeRecord& prize);

// The run. `progress(done, total)` is called after each target draw and
// returns false to stop the run, which then keeps no rows.
BacktestResult runBacktest(const QVector<DrawResult>& history, const PrizeTable& prizes,
                           const BacktestOptions& options,
                           const std::function<bool(int, int)>& progress = {});

BacktestTotals backtestTotals(const QVector<BacktestRow>& rows);

// Return % of `runs` runs of as many random lines on the same draws, each line
// winning each tier with its exact chance, from a fixed seed; sorted.
QVector<double> simulatedChanceReturns(const QVector<BacktestRow>& rows, int runs = kChanceRuns,
                                       quint64 seed = kChanceSeed);
ChanceSpread chanceSpread(const QVector<double>& sortedReturns);

// Which figure lies in which range: "回収率 15.6 % は、ランダムな口の95 %が
// 収まる範囲（10.6～27.3 %）の内です。" (or above it, or below it), then what the
// expected rate is, which the rare first and second prizes lift above most
// random runs.
QString backtestVerdict(double rate, double expectedRate, const ChanceSpread& spread);

// "ランダム", "除外数字", "抽選回数の範囲指定".
QString backtestModeName(GenerationMode mode);

// What produced a run, one setting a row: the mode with its exclusion set or
// threshold, the lines per draw, the draws asked for and the seed.
QVector<QStringList> backtestSettings(const BacktestOptions& options);
// The filters that are on, one a row: "フィルター", the figure, its range.
QVector<QStringList> filterSettings(const LineFilter& filter);

// The settings rows first, an empty row, then one row per draw: UTF-8 with a
// byte-order mark, CR LF.
QByteArray backtestCsv(const QVector<BacktestRow>& rows, const QVector<QStringList>& settings = {});
