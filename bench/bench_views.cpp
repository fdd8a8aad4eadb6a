// The window with its data: start-up until the load ends, sorting the history
// list, refreshing the lookup tab.

#include "SampleData.h"
#include "app/ui/Main.h"
#include "common/ComFunction.h"
#include "common/ui/StringGrid.h"
#include "data/ui/HistoryView.h"
#include "entries/ui/LookupPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <map>
#include <memory>

namespace {

// A program folder holding sample data files of this many draws.
const QString& programFolder(int draws) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    auto& dir = folders[draws];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        QDir(dir->path()).mkpath(QStringLiteral("download"));
        const SampleFiles files = makeSampleFiles(draws);
        QFile numbers(dir->filePath(QStringLiteral("download/Loto7Number.csv")));
        QFile prizes(dir->filePath(QStringLiteral("download/Loto7Data.csv")));
        if (numbers.open(QIODevice::WriteOnly))
            numbers.write(files.drawResults);
        if (prizes.open(QIODevice::WriteOnly))
            prizes.write(files.prizeData);
    }
    static QString path;
    path = dir->path();
    return path;
}

void BM_StartWindow(benchmark::State& state) {
    setProgramDir(programFolder(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        TMainForm form;
        form.show(); // the start-up runs the whole load
        if (form.drawTable().count() != state.range(0))
            state.SkipWithError("the data did not load");
    }
    setProgramDir(QString());
}
// 99,999: the most draws a valid file holds (draw numbers end there).
BENCHMARK(BM_StartWindow)->Arg(650)->Arg(99'999)->Unit(benchmark::kMillisecond);

void BM_SortHistoryView(benchmark::State& state) {
    setProgramDir(programFolder(99'999));
    TMainForm form;
    form.show();
    auto* page = form.findChild<THistoryPage*>(QStringLiteral("TabSheet6"));
    for (auto _ : state) {
        page->viewHistoryColumnClick(static_cast<int>(state.range(0)));
        QCoreApplication::processEvents(); // let the view lay out the new order
    }
    setProgramDir(QString());
}
BENCHMARK(BM_SortHistoryView)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_RefreshLookupTab(benchmark::State& state) {
    QTemporaryDir dir;
    setProgramDir(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("client"));
    QFile file(dir.filePath(QStringLiteral("client/700.csv")));
    if (file.open(QIODevice::WriteOnly)) {
        for (int i = 0; i < 10'000; ++i)
            file.write("700,03,08,15,21,22,30,37\r\n");
        file.close();
    }
    TLookupPage page;
    page.setDrawNumberText(QStringLiteral("700"));
    for (auto _ : state) {
        page.editLoto6NumChange();
        if (page.grid()->dataRowCount() != 10'000)
            state.SkipWithError("the lines were not listed");
    }
    setProgramDir(QString());
}
BENCHMARK(BM_RefreshLookupTab)->Unit(benchmark::kMillisecond);

} // namespace
