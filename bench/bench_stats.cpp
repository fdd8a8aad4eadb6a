// The statistics over the most draws a table holds: every page at once, as
// the form computes them when the number of draws changes, and each page
// alone; and the statistics box filled and shown over the real draws.

#include "BenchData.h"
#include "analysis/StatsPages.h"
#include "analysis/ui/StatsForm.h"
#include "common/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>

#include <benchmark/benchmark.h>

namespace {

void BM_StatsAllPages(benchmark::State& state) {
    const DrawTable& table = benchDrawTable();
    for (auto _ : state) {
        const StatsPages pages = statsPages(table, kBenchDraws);
        if (pages.range.draws != kBenchDraws)
            state.SkipWithError("not every draw was counted");
        benchmark::DoNotOptimize(pages.pairs.outside);
    }
}
BENCHMARK(BM_StatsAllPages)->Unit(benchmark::kMillisecond);

void BM_StatsNumbers(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(numbersPage(benchDrawTable(), kBenchDraws).uniformity.p);
}
BENCHMARK(BM_StatsNumbers)->Unit(benchmark::kMillisecond);

void BM_StatsPairs(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(pairsPage(benchDrawTable(), kBenchDraws).outside);
}
BENCHMARK(BM_StatsPairs)->Unit(benchmark::kMillisecond);

// One shape at a time, as the shape box switches.
void BM_StatsShape(benchmark::State& state) {
    const auto shape = static_cast<Shape>(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(shapePage(benchDrawTable(), kBenchDraws, shape).test.p);
}
BENCHMARK(BM_StatsShape)
    ->ArgName("shape")
    ->DenseRange(0, kShapeCount - 1)
    ->Unit(benchmark::kMillisecond);

void BM_StatsGaps(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(gapTable(benchDrawTable(), kBenchDraws).rareCount());
}
BENCHMARK(BM_StatsGaps)->Unit(benchmark::kMillisecond);

// What the command does before the box waits for input: every page computed
// and the box laid out and painted.
void BM_StatsFormFilledAndShown(benchmark::State& state) {
    static const DrawTable real = [] {
        DrawTable built;
        const QDir dir(QStringLiteral(SEPTARION_REAL_DATA_DIR));
        appendDrawLines(ReadLines(dir.filePath(QStringLiteral("Loto7Number.csv"))), built);
        return built;
    }();
    for (auto _ : state) {
        TStatsForm form(real);
        form.show();
        QCoreApplication::processEvents();
        if (form.pages().range.draws != real.count())
            state.SkipWithError("not every draw was counted");
    }
}
BENCHMARK(BM_StatsFormFilledAndShown)->Unit(benchmark::kMillisecond);

} // namespace
