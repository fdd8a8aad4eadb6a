// Entry-file work of the lookup tab and of saving: reading, selecting and
// splitting a large file, and appending many pending lines.
#include "common/CommaText.h"
#include "common/Formats.h"
#include "common/ProgramFiles.h"
#include "entries/EntryFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QStringList benchTicket(int k) {
    QStringList row{QStringLiteral("123")};
    for (int p = 0; p < 7; ++p)
        row.append(formatTwoDigits((k + p * 5) % 37 + 1));
    return row;
}

// A program folder with a client folder, pointed at for the benchmark's run.
class BenchProgramDir {
public:
    BenchProgramDir() {
        setProgramDir(m_dir.path());
        QDir(m_dir.path()).mkdir(QStringLiteral("client"));
    }
    ~BenchProgramDir() { setProgramDir(QString()); }
    BenchProgramDir(const BenchProgramDir&) = delete;
    BenchProgramDir& operator=(const BenchProgramDir&) = delete;

private:
    QTemporaryDir m_dir;
};

void BM_LookupTenThousandLines(benchmark::State& state) {
    const BenchProgramDir dir;
    const QString path = entryFilePath(QStringLiteral("123"));
    QByteArray content;
    for (int k = 0; k < 10000; ++k) {
        QStringList row = benchTicket(k);
        if (k % 10 == 0)
            row[0] = QStringLiteral("124"); // lines of another draw are skipped
        content += entryLine(row).toUtf8() + "\r\n";
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        state.SkipWithError("cannot write the entry file");
        return;
    }
    file.close();

    for (auto _ : state) {
        const QStringList listed = listedEntryLines(ReadLines(path), QStringLiteral("123"));
        qsizetype cells = 0;
        for (const QString& line : listed)
            cells += gridRowFromFields(splitCommaText(line), kEntryFields).size();
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_LookupTenThousandLines)->Unit(benchmark::kMillisecond);

void BM_AppendThousandRows(benchmark::State& state) {
    const BenchProgramDir dir;
    const QString path = entryFilePath(QStringLiteral("123"));
    QVector<QStringList> rows;
    for (int k = 0; k < 1000; ++k)
        rows.append(benchTicket(k));

    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
        appendEntryLines(path, rows);
    }
}
BENCHMARK(BM_AppendThousandRows)->Unit(benchmark::kMillisecond);

} // namespace
