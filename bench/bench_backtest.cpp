// The back-test over the real draws: 100 draws of 50 lines in each generating
// mode, 1,000 simulated runs of random lines, and counting all lines through
// a filter.
#include "analysis/Backtest.h"
#include "analysis/LineFilter.h"
#include "common/ProgramFiles.h"

#include <QDir>

#include <benchmark/benchmark.h>

namespace {

struct RealTables {
    QVector<DrawResult> history;
    PrizeTable prizes;
};

const RealTables& realTables() {
    static const RealTables tables = [] {
        const QDir dir(QStringLiteral(SEPTARION_REAL_DATA_DIR));
        DrawTable draws;
        PrizeTable prizes;
        appendDrawLines(ReadLines(dir.filePath(QStringLiteral("Loto7Number.csv"))), draws);
        appendPrizeLines(ReadLines(dir.filePath(QStringLiteral("Loto7Data.csv"))), prizes);
        return RealTables{drawsOldestFirst(draws), prizes};
    }();
    return tables;
}

BacktestOptions hundredByFifty(GenerationMode mode) {
    BacktestOptions options;
    options.mode = mode;
    for (int n = 1; n <= 20; ++n) // the editor's most
        options.excluded[(n * 5) % kMaxNumber] = true;
    options.linesPerDraw = 50;
    options.draws = 100;
    return options;
}

void BM_BacktestReplay(benchmark::State& state) {
    const RealTables& tables = realTables();
    const BacktestOptions options = hundredByFifty(static_cast<GenerationMode>(state.range(0)));
    for (auto _ : state) {
        const BacktestResult result = runBacktest(tables.history, tables.prizes, options);
        if (result.rows.size() != options.draws)
            state.SkipWithError("the run did not replay every draw");
        benchmark::DoNotOptimize(backtestTotals(result.rows).won);
    }
}
BENCHMARK(BM_BacktestReplay)
    ->ArgName("mode")
    ->Arg(static_cast<int>(GenerationMode::Random))
    ->Arg(static_cast<int>(GenerationMode::Exclusion))
    ->Arg(static_cast<int>(GenerationMode::PositionThreshold))
    ->Unit(benchmark::kMillisecond);

// 1,000 runs of as many random lines as the replay: 5,000, and the most a run
// may have, 100,000.
void BM_BacktestChanceRuns(benchmark::State& state) {
    BacktestOptions options = hundredByFifty(GenerationMode::Random);
    options.draws = static_cast<int>(state.range(0)) / options.linesPerDraw;
    QVector<BacktestRow> rows = runBacktest(realTables().history, realTables().prizes,
                                            hundredByFifty(GenerationMode::Random))
                                    .rows;
    while (rows.size() < options.draws) // the real draws again, as more draws
        rows += rows.mid(0, options.draws - rows.size());
    for (auto _ : state) {
        const ChanceSpread spread = chanceSpread(simulatedChanceReturns(rows));
        benchmark::DoNotOptimize(spread.high);
    }
}
BENCHMARK(BM_BacktestChanceRuns)
    ->ArgName("lines")
    ->Arg(5'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

// One figure that prunes nothing, and every figure at once.
void BM_BacktestFilterAllLines(benchmark::State& state) {
    LineFilter filter;
    filter.odd = {true, 0, 7};
    if (state.range(0) != 0) {
        filter.sum = {true, 100, 166};
        filter.odd = {true, 2, 5};
        filter.low = {true, 2, 5};
        filter.longestRun = {true, 1, 2};
        filter.shared = {true, 0, 2};
        filter.forbiddenOn = true;
        filter.forbidden[12] = true;
    }
    const NumberSet previous = mainNumberSet(realTables().history.last());
    for (auto _ : state)
        benchmark::DoNotOptimize(countPassingLines(filter, previous));
}
BENCHMARK(BM_BacktestFilterAllLines)
    ->ArgName("all_figures")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
