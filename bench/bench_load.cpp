// Loading the two data files and ordering the history view at 99,999 draws.

#include "SampleData.h"
#include "common/ProgramFiles.h"
#include "data/DrawTable.h"
#include "data/HistoryOrder.h"
#include "data/PrizeTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The most draws a valid file holds: draw numbers end at 99,999.
constexpr int kBenchDraws = 99'999;

// Folder with both files of kBenchDraws draws, written on first use.
const QString& benchDataDir() {
    static QTemporaryDir dir;
    static const bool written = [] {
        const SampleFiles files = makeSampleFiles(kBenchDraws);
        QFile draws(dir.filePath(QStringLiteral("Loto7Number.csv")));
        QFile prizes(dir.filePath(QStringLiteral("Loto7Data.csv")));
        return draws.open(QIODevice::WriteOnly) && draws.write(files.drawResults) > 0 &&
               prizes.open(QIODevice::WriteOnly) && prizes.write(files.prizeData) > 0;
    }();
    static const QString path = written ? dir.path() : QString();
    return path;
}

QString benchFile(const char* name) {
    return benchDataDir() + QLatin1Char('/') + QLatin1String(name);
}

void BM_LoadDrawFile(benchmark::State& state) {
    const QString path = benchFile("Loto7Number.csv");
    for (auto _ : state) {
        DrawTable table;
        PositionCounts counts;
        appendDrawLines(ReadLines(path), table);
        counts.rebuild(table);
        benchmark::DoNotOptimize(counts.at(1, 1));
        if (table.count() != kBenchDraws)
            state.SkipWithError("draw file did not load");
    }
}
BENCHMARK(BM_LoadDrawFile)->Unit(benchmark::kMillisecond);

void BM_LoadPrizeFile(benchmark::State& state) {
    const QString path = benchFile("Loto7Data.csv");
    for (auto _ : state) {
        PrizeTable table;
        appendPrizeLines(ReadLines(path), table);
        if (table.count() != kBenchDraws)
            state.SkipWithError("prize file did not load");
    }
}
BENCHMARK(BM_LoadPrizeFile)->Unit(benchmark::kMillisecond);

// Argument: the sort key, as after header clicks (2 date, -2 date descending,
// 3 first main number, 1 draw number).
void BM_SortHistory(benchmark::State& state) {
    DrawTable table;
    appendDrawLines(ReadLines(benchFile("Loto7Number.csv")), table);
    const int key = static_cast<int>(state.range(0));
    for (auto _ : state) {
        QVector<int> order = historyOrder(table, key);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_SortHistory)->Arg(2)->Arg(-2)->Arg(3)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
