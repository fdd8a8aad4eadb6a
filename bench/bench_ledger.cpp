// The winnings-and-spending ledger: a thousand entry files of a hundred lines
// read and checked against the largest draw table, and the box filled.
#include "BenchData.h"
#include "SampleData.h"
#include "common/DataFolder.h"
#include "common/Formats.h"
#include "common/ProgramFiles.h"
#include "ledger/Ledger.h"
#include "ledger/ui/LedgerForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBenchFiles = 1'000;
constexpr int kBenchLinesPerFile = 100;

struct LedgerBenchData {
    DrawTable draws;
    PrizeTable prizes;
    QTemporaryDir program;
};

// The tables of 99,999 draws and, in a temporary program folder, one entry
// file for each of 1,000 draws spread over them; every line shares some
// numbers with its draw, so all tiers occur.
const LedgerBenchData& benchData() {
    static const auto* data = [] {
        auto* built = new LedgerBenchData;
        const SampleFiles files = makeSampleFiles(kBenchDraws);
        appendDrawLines(QString::fromLatin1(files.drawResults)
                            .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
                        built->draws);
        appendPrizeLines(
            QString::fromLatin1(files.prizeData).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
            built->prizes);
        QDir(built->program.path()).mkdir(QStringLiteral("client"));
        for (int f = 0; f < kBenchFiles; ++f) {
            const DrawResult& draw = built->draws.at((f * 97) % built->draws.count());
            QByteArray content;
            for (int i = 0; i < kBenchLinesPerFile; ++i) {
                QStringList cells{QString::number(draw.DrawNumber)};
                for (int p = 0; p < kPositions; ++p)
                    cells.append(
                        formatTwoDigits(p < i % 8 ? draw.MainNumbers.at(p) : (i + p * 5) % 37 + 1));
                content += cells.join(u',').toLatin1() + "\r\n";
            }
            QFile file(
                built->program.filePath(QStringLiteral("client/%1.csv").arg(draw.DrawNumber)));
            if (file.open(QIODevice::WriteOnly))
                file.write(content);
        }
        return built;
    }();
    return *data;
}

void BM_LedgerThousandFiles(benchmark::State& state) {
    const LedgerBenchData& data = benchData();
    const QString client = data.program.filePath(QStringLiteral("client"));
    for (auto _ : state) {
        const Ledger ledger = buildLedger(readLedgerFiles(client), data.draws, data.prizes);
        const LedgerTotals totals = ledgerTotals(ledger.rows);
        if (totals.lines != kBenchFiles * kBenchLinesPerFile)
            state.SkipWithError("not every line was counted");
        benchmark::DoNotOptimize(totals.won);
    }
}
BENCHMARK(BM_LedgerThousandFiles)->Unit(benchmark::kMillisecond);

// Reading and checking included: what the command does before the box shows.
void BM_LedgerFormFilledAndShown(benchmark::State& state) {
    const LedgerBenchData& data = benchData();
    setProgramDir(data.program.path());
    for (auto _ : state) {
        TLedgerForm form(data.draws, data.prizes);
        form.reload();
        form.show();
        QCoreApplication::processEvents();
        if (form.shownRows().size() != kBenchFiles)
            state.SkipWithError("not every draw has its row");
    }
    setProgramDir(QString());
}
BENCHMARK(BM_LedgerFormFilledAndShown)->Unit(benchmark::kMillisecond);

} // namespace
