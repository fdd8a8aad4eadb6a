// The values of the trend charts: drawn counts over the newest draws and per
// basic number.
#include "TestSupport.h"

#include "analysis/ChartCounts.h"

#include <numeric>

class TestChartCounts : public QObject {
    Q_OBJECT
private slots:
    void countsOfEachKind() {
        // 25 draws, newest first: the newest ten hold 30 to 36, the older ones
        // 7 down to 1; the bonus numbers 37 and 29 are never main numbers.
        DrawTable table;
        for (int i = 0; i < 25; ++i) {
            DrawResult draw;
            draw.DrawNumber = 25 - i;
            draw.MainNumbers = i < 10 ? MainNumberArray{30, 31, 32, 33, 34, 35, 36}
                                      : MainNumberArray{7, 6, 5, 4, 3, 2, 1};
            draw.BonusNumbers = {37, 29};
            table.append(draw);
        }
        PositionCounts positions;
        positions.rebuild(table);
        const auto sum = [](const NumberCounts& c) {
            return std::accumulate(c.begin(), c.end(), 0);
        };

        const NumberCounts newest10 = chartValues(0, table, positions);
        QCOMPARE(sum(newest10), 70);
        QCOMPARE(newest10[30 - 1], 10);
        QCOMPARE(newest10[1 - 1], 0);
        QCOMPARE(newest10[37 - 1], 0);
        // The kind for 30 draws counts all 25, like the kind for all draws.
        const NumberCounts newest30 = chartValues(2, table, positions);
        QCOMPARE(sum(newest30), 7 * 25);
        QCOMPARE(newest30, chartValues(5, table, positions));
        QCOMPARE(newest30[29 - 1], 0);
        QCOMPARE(drawsCounted(4, 1000), 50);
        QCOMPARE(drawsCounted(5, 1000), 1000);

        for (int kind = kBarKindCount; kind < kChartKindCount; ++kind)
            QCOMPARE(sum(chartValues(kind, table, positions)), 25);
        QCOMPARE(chartValues(6, table, positions)[7 - 1], 15);   // basic number ①
        QCOMPARE(chartValues(12, table, positions)[36 - 1], 10); // basic number ⑦
        QCOMPARE(sum(chartValues(13, table, positions)), 0);
    }
};

SEPTARION_CORE_TEST_MAIN(TestChartCounts)
#include "test_chartcounts.moc"
