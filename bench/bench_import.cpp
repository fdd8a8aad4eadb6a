// Taking results in at the largest size: a 99,999-draw file of another tool
// (the all-draws CSV) read, checked and merged against 99,999 held draws, and
// the preview filled.
#include "BenchData.h"
#include "SampleData.h"
#include "common/Clock.h"
#include "common/DataFolder.h"
#include "common/ui/StripedGrid.h"
#include "data/ResultsImport.h"
#include "data/ui/ImportForm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct ImportBenchData {
    QTemporaryDir program;
    QString download;
    QString text; // the all-draws CSV, other draws than those held
};

// The all-draws CSV of the sample files: counts of the six tiers, then amounts.
QString allDrawsCsv(const SampleFiles& files) {
    const QList<QByteArray> draws = files.drawResults.split('\n');
    const QList<QByteArray> prizes = files.prizeData.split('\n');
    QStringList out{QStringLiteral("開催回,日付,第1数字,…,キャリーオーバー")};
    out.reserve(draws.size() + 1);
    for (qsizetype i = 0; i < draws.size() && !draws.at(i).trimmed().isEmpty(); ++i) {
        QStringList fields = QString::fromLatin1(draws.at(i).trimmed()).split(u',');
        const QStringList p = QString::fromLatin1(prizes.at(i).trimmed()).split(u',');
        for (int k = 1; k <= 12; ++k)
            fields << p.at(k <= 6 ? 2 * k - 1 : 2 * (k - 6));
        fields << p.at(13);
        out.append(fields.join(u','));
    }
    return out.join(u'\n');
}

const ImportBenchData& benchData() {
    static const auto* data = [] {
        auto* built = new ImportBenchData;
        built->download = QDir(built->program.path()).filePath(QStringLiteral("download"));
        QDir().mkpath(built->download);
        const SampleFiles held = makeSampleFiles(kBenchDraws);
        for (const auto& [name, bytes] : {std::pair{kDrawFileName, &held.drawResults},
                                          std::pair{kPrizeFileName, &held.prizeData}}) {
            QFile file(QDir(built->download).filePath(name));
            if (file.open(QIODevice::WriteOnly))
                file.write(*bytes);
        }
        built->text = allDrawsCsv(makeSampleFiles(kBenchDraws, 2));
        return built;
    }();
    return *data;
}

// The sample's draws run weekly far beyond today: read as if all had been drawn.
QVector<ReadDraw> readAllDraws(const QString& text) {
    Clock::setFixedTime(QDateTime(QDate(9000, 1, 1), QTime(0, 0), Qt::UTC));
    QVector<ReadDraw> draws = readResultsText(text);
    Clock::setFixedTime({});
    return draws;
}

QVector<ImportRow> checkedRows() {
    const ImportBenchData& data = benchData();
    QVector<ImportRow> rows =
        checkImport(readAllDraws(data.text), HeldResults::read(data.download));
    for (ImportRow& row : rows)
        row.overwrite = true;
    return rows;
}

void BM_ImportReadAllDrawsCsv(benchmark::State& state) {
    const QByteArray bytes = benchData().text.toUtf8();
    for (auto _ : state) {
        const QVector<ReadDraw> draws = readAllDraws(decodeResultsText(bytes));
        if (draws.size() != kBenchDraws)
            state.SkipWithError("not every draw was read");
    }
}
BENCHMARK(BM_ImportReadAllDrawsCsv)->Unit(benchmark::kMillisecond);

// Every draw is held with other numbers: each row a conflict, all ticked.
void BM_ImportCheckAndMerge(benchmark::State& state) {
    const ImportBenchData& data = benchData();
    const QVector<ReadDraw> draws = readAllDraws(data.text);
    for (auto _ : state) {
        const HeldResults held = HeldResults::read(data.download);
        QVector<ImportRow> rows = checkImport(draws, held);
        for (ImportRow& row : rows)
            row.overwrite = true;
        const MergedFiles merged = mergeImport(held, rows);
        benchmark::DoNotOptimize(merged.draws.size());
    }
}
BENCHMARK(BM_ImportCheckAndMerge)->Unit(benchmark::kMillisecond);

void BM_ImportPreviewFilled(benchmark::State& state) {
    const QVector<ImportRow> rows = checkedRows();
    StripedGrid grid(StripedGrid::Highlight::WhenFocused, StripedGrid::Placement::Centred);
    ImportModel model;
    grid.setModel(&model);
    grid.resize(1000, 400);
    grid.show();
    for (auto _ : state) {
        model.setRows(rows);
        grid.setCurrentDataRow(0);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(grid.grab().width());
    }
}
BENCHMARK(BM_ImportPreviewFilled)->Unit(benchmark::kMillisecond);

} // namespace
