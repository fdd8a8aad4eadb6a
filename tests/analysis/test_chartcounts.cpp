// The values of the trend charts: drawn counts over the newest draws and per
// basic number.
#include "TestSupport.h"

#include "analysis/ChartCounts.h"

#include <numeric>

namespace {

int sum(const NumberCounts& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0);
}

// Draws numbered count..1, newest first; the newest ten hold 30 to 36 and
// older ones 1 to 7, so 37 and the numbers 8 to 29 are never main numbers.
// Bonus numbers are always 37 and 29.
DrawTable makeTable(int count) {
    DrawTable table;
    for (int i = 0; i < count; ++i) {
        DrawResult draw;
        draw.DrawNumber = count - i;
        draw.MainNumbers = i < 10 ? std::array<int, 7>{30, 31, 32, 33, 34, 35, 36}
                                  : std::array<int, 7>{7, 6, 5, 4, 3, 2, 1};
        draw.BonusNumbers = {37, 29};
        table.append(draw);
    }
    return table;
}

} // namespace

class TestChartCounts : public QObject {
    Q_OBJECT
private slots:
    void barKindsCountTheNewestDraws() {
        const DrawTable table = makeTable(25);
        PositionCounts positions;
        positions.rebuild(table);
        QCOMPARE(chartKindCaptions().size(), kChartKindCount);

        const NumberCounts newest10 = chartValues(0, table, positions);
        QCOMPARE(sum(newest10), 70);
        QCOMPARE(newest10[30 - 1], 10);
        QCOMPARE(newest10[1 - 1], 0);  // only drawn in older draws
        QCOMPARE(newest10[37 - 1], 0); // a bonus number only

        // 25 draws and the kind for 30: all 25 are counted, as for all draws.
        QCOMPARE(drawsCounted(2, 25), 25);
        const NumberCounts newest30 = chartValues(2, table, positions);
        QCOMPARE(sum(newest30), 7 * 25);
        QCOMPARE(newest30, chartValues(5, table, positions));
        QCOMPARE(newest30[1 - 1], 15);
        QCOMPARE(newest30[29 - 1], 0);

        const QList<int> expected = {10, 20, 25, 25, 25, 25};
        for (int kind = 0; kind < kBarKindCount; ++kind)
            QCOMPARE(drawsCounted(kind, 25), expected.at(kind));
        QCOMPARE(drawsCounted(4, 1000), 50);
        QCOMPARE(drawsCounted(5, 1000), 1000);
        QCOMPARE(drawsCounted(6, 1000), 0);
        QCOMPARE(sum(chartValues(0, DrawTable(), PositionCounts())), 0);
        QCOMPARE(sum(chartValues(13, table, positions)), 0);
    }

    void lineKindsShowOneBasicNumber() {
        const DrawTable table = makeTable(25);
        PositionCounts positions;
        positions.rebuild(table);
        for (int kind = kBarKindCount; kind < kChartKindCount; ++kind) {
            QVERIFY(!isBarKind(kind));
            QCOMPARE(sum(chartValues(kind, table, positions)), 25);
        }
        const NumberCounts first = chartValues(6, table, positions); // basic number ①
        QCOMPARE(first[30 - 1], 10);
        QCOMPARE(first[7 - 1], 15);
        QCOMPARE(first[1 - 1], 0);
        const NumberCounts seventh = chartValues(12, table, positions); // basic number ⑦
        QCOMPARE(seventh[36 - 1], 10);
        QCOMPARE(seventh[1 - 1], 15);
        QCOMPARE(seventh[37 - 1], 0);
    }
};

SEPTARION_CORE_TEST_MAIN(TestChartCounts)
#include "test_chartcounts.moc"
