// Matching saved lines against a large draw table, and the all-draws chart.

#include "BenchData.h"
#include "DataLines.h"
#include "analysis/ChartCounts.h"
#include "analysis/Matching.h"
#include "analysis/ui/TrendChartView.h"
#include "common/Formats.h"
#include "data/DrawTable.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

constexpr int kBenchLines = 10'000;

// Saved lines of draws spread over the whole table, each sharing some numbers
// with its draw, as the grid holds them.
QVector<QStringList> benchRows(const DrawTable& table) {
    QVector<QStringList> rows;
    rows.reserve(kBenchLines);
    for (int i = 0; i < kBenchLines; ++i) {
        const DrawResult& draw = table.at((i * 9973) % table.count());
        QStringList cells{QString::number(draw.DrawNumber)};
        for (int p = 0; p < kPositions; ++p)
            cells.append(formatTwoDigits(p < i % 8 ? draw.MainNumbers[p] : (i + p * 5) % 37 + 1));
        cells.append(QString());
        rows.append(cells);
    }
    return rows;
}

void BM_MatchLines(benchmark::State& state) {
    const DrawTable& table = benchDrawTable();
    const QVector<QStringList> rows = benchRows(table);
    for (auto _ : state) {
        const QVector<MatchStep> steps = matchingSteps(rows, table);
        if (steps.size() != kBenchLines)
            state.SkipWithError("not every line found its draw");
        benchmark::DoNotOptimize(steps.data());
    }
}
BENCHMARK(BM_MatchLines)->Unit(benchmark::kMillisecond);

// The all-draws chart's counts over the bench draws; the counts per position
// are kept between calls, as the chart tab keeps them. The first call reads
// the draws: a benchmark makes it before its timed loop.
NumberCounts allDrawsChartValues() {
    static const PositionCounts positions = positionCountsOf(benchDrawTable());
    return chartValues(kBarKindCount - 1, benchDrawTable(), positions);
}

void BM_ChartCountsAllDraws(benchmark::State& state) {
    allDrawsChartValues();
    for (auto _ : state) {
        const NumberCounts counts = allDrawsChartValues();
        benchmark::DoNotOptimize(counts.data());
    }
}
BENCHMARK(BM_ChartCountsAllDraws)->Unit(benchmark::kMillisecond);

// Counting, filling the bar chart and painting it once, as the button does.
void BM_DrawAllDrawsChart(benchmark::State& state) {
    allDrawsChartValues();
    TTrendChartView view(TTrendChartView::Shape::Bar, QStringLiteral("PointSeries1"),
                         QStringLiteral("集計グラフ"));
    view.resize(622, 418);
    view.show();
    QCoreApplication::processEvents();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.setValues(allDrawsChartValues());
        QPainter painter(&image);
        view.render(&painter);
    }
}
BENCHMARK(BM_DrawAllDrawsChart)->Unit(benchmark::kMillisecond);

} // namespace
