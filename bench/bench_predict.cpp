// Generation by the logic alone (no board, no pause): 100,000 lines in each
// generating mode, and the check for a step without candidates.
#include "DataLines.h"
#include "SampleData.h"
#include "predict/GenerationRule.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kLines = 100000;

const PositionCounts& sampleCounts() {
    static const PositionCounts counts =
        positionCountsOf(drawTableOf(makeSampleFiles(650).drawResults));
    return counts;
}

void generateLines(benchmark::State& state, GenerationMode mode, int threshold) {
    NumberSet excluded{};
    for (int n = 1; n <= 20; ++n) // the editor's most
        excluded[(n * 5) % kMaxNumber] = true;
    const GenerationRule rule(mode, threshold, sampleCounts(), excluded);
    LotoRandom random(12345);
    qint64 stuck = 0;
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < kLines; ++i) {
            const auto line = generateLine(random, rule);
            sum += line ? (*line)[0] : 0;
            stuck += line ? 0 : 1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["stuck_lines"] = static_cast<double>(stuck);
    // One item per accepted number.
    state.SetItemsProcessed(state.iterations() * kLines * kPositions);
}

void BM_GenerateRandom(benchmark::State& state) {
    generateLines(state, GenerationMode::Random, 0);
}
BENCHMARK(BM_GenerateRandom)->Unit(benchmark::kMillisecond);

void BM_GenerateExclusion(benchmark::State& state) {
    generateLines(state, GenerationMode::Exclusion, 0);
}
BENCHMARK(BM_GenerateExclusion)->Unit(benchmark::kMillisecond);

// Threshold 15 of 650 draws leaves only a few numbers at the outer positions:
// many draws are rejected there.
void BM_GeneratePositionThreshold(benchmark::State& state) {
    generateLines(state, GenerationMode::PositionThreshold, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_GeneratePositionThreshold)->Arg(1)->Arg(15)->Unit(benchmark::kMillisecond);

// The check made before each draw, at the last step of a line where only
// numbers already taken reach the threshold: the worst case, all 37 looked at.
void BM_NoCandidateCheck(benchmark::State& state) {
    const GenerationRule rule(GenerationMode::PositionThreshold, 1000, sampleCounts(), {});
    NumberSet line{};
    for (int n = 1; n <= 6; ++n)
        line[n - 1] = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(line);
        benchmark::DoNotOptimize(rule.hasCandidate(6, line));
    }
}
BENCHMARK(BM_NoCandidateCheck);

} // namespace
