// Loading the two data files (99,999 draws and the real data) and ordering
// the history view at 99,999 draws.

#include "BenchData.h"
#include "PeakMemory.h"
#include "SampleData.h"
#include "common/ProgramFiles.h"
#include "data/DataFileReader.h"
#include "data/DrawTable.h"
#include "data/HistoryOrder.h"
#include "data/PrizeTable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

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

// The folder of the real data files, or an empty string.
QString realDataDir() {
    const QDir dir(QStringLiteral(SEPTARION_REAL_DATA_DIR));
    return dir.exists(QStringLiteral("Loto7Number.csv")) ? dir.path() : QString();
}

// The two files read as the loader reads them: in blocks, plain lines decoded
// from their bytes.
void loadByBlocks(const QString& dir, DrawTable& draws, PrizeTable& prizes) {
    {
        DataFileReader reader(dir + QStringLiteral("/Loto7Number.csv"));
        readDrawLines(reader, draws);
    }
    DataFileReader reader(dir + QStringLiteral("/Loto7Data.csv"));
    readPrizeLines(reader, prizes);
}

// The same through the whole-file line list and the text parsers, for comparison.
void loadByLines(const QString& dir, DrawTable& draws, PrizeTable& prizes) {
    appendDrawLines(ReadLines(dir + QStringLiteral("/Loto7Number.csv")), draws);
    appendPrizeLines(ReadLines(dir + QStringLiteral("/Loto7Data.csv")), prizes);
}

// Both files and the position counts. Argument 0: the 99,999 generated
// draws; 1: the real data. Counters: the draws, and the most memory held
// during the load (the tables included) per draw.
template <auto Load> void loadDataFiles(benchmark::State& state) {
    const QString dir = state.range(0) == 0 ? benchDataDir() : realDataDir();
    if (dir.isEmpty()) {
        state.SkipWithError("no data files");
        return;
    }
    int drawCount = 0;
    long long peakBytes = 0;
    for (auto _ : state) {
        peak_memory::reset();
        const long long before = peak_memory::current();
        DrawTable draws;
        PrizeTable prizes;
        Load(dir, draws, prizes);
        PositionCounts counts;
        counts.rebuild(draws);
        benchmark::DoNotOptimize(counts.at(1, 1));
        peakBytes = peak_memory::peak() - before;
        drawCount = draws.count();
        if (drawCount == 0 || prizes.count() != drawCount)
            state.SkipWithError("data files did not load");
    }
    state.counters["draws"] = drawCount;
    if (peak_memory::available() && drawCount > 0)
        state.counters["peak_bytes_per_draw"] = static_cast<double>(peakBytes) / drawCount;
}

void BM_LoadDataFiles(benchmark::State& state) {
    loadDataFiles<loadByBlocks>(state);
}
BENCHMARK(BM_LoadDataFiles)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_LoadDataFilesByLines(benchmark::State& state) {
    loadDataFiles<loadByLines>(state);
}
BENCHMARK(BM_LoadDataFilesByLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

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
