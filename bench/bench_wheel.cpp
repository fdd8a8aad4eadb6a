// Wheels: building the lines and checking the promise against every case, and
// the cover table of the built wheel, for the largest pools a player is likely
// to use and the heaviest promise there is (20 numbers, "4 if 7").
#include "analysis/WheelFigures.h"

#include <benchmark/benchmark.h>

namespace {

QVector<int> poolOf(int size) {
    QVector<int> pool;
    for (int i = 0; i < size; ++i)
        pool.append(2 + i); // not the first numbers, nor the positions
    return pool;
}

Wheel benchWheel(const benchmark::State& state) {
    const WheelPromise promise{static_cast<int>(state.range(1)), static_cast<int>(state.range(2))};
    return buildWheel(poolOf(static_cast<int>(state.range(0))), promise).value();
}

void wheelCounters(benchmark::State& state, const Wheel& wheel) {
    state.counters["lines"] = static_cast<double>(wheel.lines.size());
    state.counters["lower_bound"] =
        wheelLowerBound(static_cast<int>(wheel.pool.size()), wheel.promise);
    state.counters["cases"] = static_cast<double>(wheel.casesChecked);
}

void wheelArgs(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"pool", "match", "if"})
        ->Args({16, 6, 7})
        ->Args({20, 4, 5})
        ->Args({20, 4, 7})
        ->Unit(benchmark::kMillisecond);
}

void BM_WheelBuildAndCheck(benchmark::State& state) {
    Wheel wheel;
    for (auto _ : state) {
        wheel = benchWheel(state);
        benchmark::DoNotOptimize(wheel.lines.data());
    }
    wheelCounters(state, wheel);
}
BENCHMARK(BM_WheelBuildAndCheck)->Apply(wheelArgs);

void BM_WheelCoverTable(benchmark::State& state) {
    const Wheel wheel = benchWheel(state);
    for (auto _ : state) {
        const QVector<WheelCoverRow> table = wheelCoverTable(wheel).value();
        benchmark::DoNotOptimize(wheelVersus(wheel, table).wheelChance);
    }
    wheelCounters(state, wheel);
}
BENCHMARK(BM_WheelCoverTable)->Apply(wheelArgs);

} // namespace
