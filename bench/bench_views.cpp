// The window with its data: start-up until the load ends (against a bare
// seven-tab window), sorting the history list, refreshing the lookup tab.

#include "SampleData.h"
#include "app/ui/Main.h"
#include "common/ProgramFiles.h"
#include "common/ui/StringGrid.h"
#include "data/ui/HistoryView.h"
#include "entries/ui/LookupPage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
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

// Wall-clock and CPU seconds of start-ups.
struct StartUpTime {
    double wall = 0;
    double cpu = 0;
};

double cpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

template <typename StartUp> void addTime(StartUpTime& total, StartUp startUp) {
    const auto begin = std::chrono::steady_clock::now();
    const double cpuBegin = cpuSeconds();
    startUp();
    total.cpu += cpuSeconds() - cpuBegin;
    total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
}

// A window is started by constructing it, showing it and running one pass of
// the event loop (the first paint); that is what a user waits for. Closing it
// down is not part of that: the benchmarks time it apart (teardown_ms).
template <typename Window, typename Build> std::unique_ptr<Window> startUp(Build build) {
    std::unique_ptr<Window> window = build();
    window->show();
    QCoreApplication::processEvents();
    return window;
}

// The baseline: a bare window with the seven tab captions, a menu bar with
// two menus and a status bar with a message, shown and painted.
std::unique_ptr<QMainWindow> startEmptyWindow() {
    static const QStringList captions = {
        QStringLiteral("ロト７予想メイン"),     QStringLiteral("予想オプション設定"),
        QStringLiteral("オンラインデータ照合"), QStringLiteral("データの傾向と分析"),
        QStringLiteral("申込数字照会・取消し"), QStringLiteral("抽選数字照会"),
        QStringLiteral("当選金額照会")};
    return startUp<QMainWindow>([] {
        auto window = std::make_unique<QMainWindow>();
        auto* tabs = new QTabWidget(window.get());
        for (const QString& caption : captions)
            tabs->addTab(new QWidget, caption);
        window->setCentralWidget(tabs);
        window->menuBar()
            ->addMenu(QStringLiteral("ファイル(&F)"))
            ->addAction(QStringLiteral("終了"));
        window->menuBar()
            ->addMenu(QStringLiteral("ヘルプ(&H)"))
            ->addAction(QStringLiteral("バージョン情報"));
        window->statusBar()->showMessage(QStringLiteral("案内"));
        window->setFixedSize(657, 548);
        return window;
    });
}

void BM_EmptyWindow(benchmark::State& state) {
    for (auto _ : state) {
        auto window = startEmptyWindow();
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_EmptyWindow)->Unit(benchmark::kMillisecond);

// Starts the window over the program folder in every iteration. After each
// start-up, outside the timing, the bare window starts once too: the counters
// x_empty (wall clock) and x_empty_cpu (CPU time, which other processes on the
// machine disturb less) give the window's mean start-up as a multiple of the
// bare window's, both measured side by side. teardown_ms is the window's mean
// wall-clock time to close down, also outside the timing.
void startWindow(benchmark::State& state, const QString& folder, int draws) {
    setProgramDir(folder);
    StartUpTime window;
    StartUpTime empty;
    StartUpTime teardown;
    for (auto _ : state) {
        std::unique_ptr<TMainForm> form;
        addTime(window,
                [&] { form = startUp<TMainForm>([] { return std::make_unique<TMainForm>(); }); });
        state.PauseTiming();
        if (form->drawTable().count() != draws)
            state.SkipWithError("the data did not load");
        addTime(teardown, [&] { form.reset(); });
        std::unique_ptr<QMainWindow> bare;
        addTime(empty, [&] { bare = startEmptyWindow(); });
        bare.reset();
        state.ResumeTiming();
    }
    if (empty.wall > 0 && empty.cpu > 0) {
        state.counters["x_empty"] = window.wall / empty.wall;
        state.counters["x_empty_cpu"] = window.cpu / empty.cpu;
    }
    state.counters["teardown_ms"] =
        benchmark::Counter(teardown.wall * 1e3, benchmark::Counter::kAvgIterations);
    setProgramDir(QString());
}

// 99,999: the most draws a valid file holds (draw numbers end there).
void BM_StartWindow(benchmark::State& state) {
    const int draws = static_cast<int>(state.range(0));
    startWindow(state, programFolder(draws), draws);
}
BENCHMARK(BM_StartWindow)->Arg(650)->Arg(99'999)->Unit(benchmark::kMillisecond);

// The real draw results and prize data, when their folder is there.
void BM_StartWindowRealData(benchmark::State& state) {
    const QString source = QStringLiteral(SEPTARION_REAL_DATA_DIR);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("download"));
    bool copied = true;
    for (const char* name : {"Loto7Number.csv", "Loto7Data.csv"})
        copied =
            copied && QFile::copy(source + u'/' + QLatin1String(name),
                                  dir.filePath(QStringLiteral("download/") + QLatin1String(name)));
    if (!copied) {
        state.SkipWithError(qPrintable(QStringLiteral("no real data in %1").arg(source)));
        return;
    }
    const auto draws = static_cast<int>(
        ReadLines(dir.filePath(QStringLiteral("download/Loto7Number.csv"))).size());
    startWindow(state, dir.path(), draws);
}
BENCHMARK(BM_StartWindowRealData)->Unit(benchmark::kMillisecond);

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
