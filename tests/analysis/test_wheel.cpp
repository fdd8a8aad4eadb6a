#include "TestSupport.h"

#include "analysis/Backtest.h"
#include "analysis/LineFilter.h"
#include "analysis/WheelFigures.h"
#include "common/Formats.h"
#include "common/NumberList.h"
#include "entries/TicketLines.h"

#include <QRandomGenerator>

#include <cmath>
#include <functional>

namespace {

// Every set of `size` of the numbers, found by walking them (not by masks).
void forEachSubset(const QVector<int>& numbers, int size,
                   const std::function<void(const NumberSet&)>& fn, int from = 0,
                   NumberSet chosen = {}) {
    if (size == 0) {
        fn(chosen);
        return;
    }
    for (int i = from; i <= numbers.size() - size; ++i) {
        NumberSet next = chosen;
        next[static_cast<std::size_t>(numbers.at(i) - 1)] = true;
        forEachSubset(numbers, size - 1, fn, i + 1, next);
    }
}

int common(const WheelLine& line, const NumberSet& set) {
    return static_cast<int>(std::count_if(
        line.begin(), line.end(), [&set](int n) { return set[static_cast<std::size_t>(n - 1)]; }));
}

Wheel built(const QVector<int>& pool, int match, int ifCount) {
    const std::optional<Wheel> wheel = buildWheel(pool, {match, ifCount});
    if (!wheel)
        qFatal("stopped without a stop");
    return *wheel;
}

QVector<int> firstNumbers(int count, int step = 1) {
    QVector<int> numbers;
    for (int i = 0; i < count; ++i)
        numbers.append(1 + i * step);
    return numbers;
}

} // namespace

class TestWheel : public QObject {
    Q_OBJECT
private slots:
    void keepsItsPromiseWithNoLineToSpare_data() {
        QTest::addColumn<QVector<int>>("pool");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("ifCount");
        QTest::newRow("8, 4 if 4") << firstNumbers(8) << 4 << 4;
        QTest::newRow("9 spread, 4 if 6")
            << QVector<int>{37, 2, 30, 9, 16, 23, 5, 12, 19} << 4 << 6;
        // Greedy covers of these two hold a line the others make needless.
        QTest::newRow("9, 5 if 5") << firstNumbers(9, 3) << 5 << 5;
        QTest::newRow("10, 6 if 7") << firstNumbers(10, 2) << 6 << 7;
        QTest::newRow("12, 5 if 6") << firstNumbers(12, 3) << 5 << 6;
        QTest::newRow("13, 4 if 5") << firstNumbers(13) << 4 << 5;
    }

    void keepsItsPromiseWithNoLineToSpare() {
        QFETCH(QVector<int>, pool);
        QFETCH(int, match);
        QFETCH(int, ifCount);
        const Wheel wheel = built(pool, match, ifCount);
        std::sort(pool.begin(), pool.end());
        QCOMPARE(wheel.pool, pool);
        QVERIFY(std::is_sorted(wheel.lines.begin(), wheel.lines.end()));
        QVERIFY(std::adjacent_find(wheel.lines.begin(), wheel.lines.end()) == wheel.lines.end());
        for (const WheelLine& line : wheel.lines) {
            QVERIFY(std::adjacent_find(line.begin(), line.end(), std::greater_equal<>()) ==
                    line.end());
            for (const int n : line)
                QVERIFY(pool.contains(n));
        }
        // Each case: the lines keeping it; a line alone in keeping one is needed.
        QVector<bool> needed(wheel.lines.size());
        qint64 cases = 0;
        forEachSubset(pool, ifCount, [&](const NumberSet& drawn) {
            ++cases;
            QVector<int> keeping;
            for (int i = 0; i < wheel.lines.size(); ++i)
                if (common(wheel.lines.at(i), drawn) >= match)
                    keeping.append(i);
            QVERIFY(!keeping.isEmpty());
            if (keeping.size() == 1)
                needed[keeping.front()] = true;
        });
        QCOMPARE(wheel.casesChecked, cases);
        QVERIFY(!needed.contains(false));
    }

    void sizesWithinTheGreedysAndAboveTheBound_data() {
        QTest::addColumn<int>("poolSize");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("ifCount");
        QTest::addColumn<int>("most");
        QTest::addColumn<int>("bound");
        QTest::newRow("10, 4 if 4") << 10 << 4 << 4 << 12 << 9; // Schönheim
        QTest::newRow("12, 5 if 6") << 12 << 5 << 6 << 19 << 9;
        QTest::newRow("14, 5 if 6") << 14 << 5 << 6 << 46 << 20;
        QTest::newRow("14, 6 if 7") << 14 << 6 << 7 << 146 << 70;
    }

    void sizesWithinTheGreedysAndAboveTheBound() {
        QFETCH(int, poolSize);
        QFETCH(int, match);
        QFETCH(int, ifCount);
        QFETCH(int, most);
        QFETCH(int, bound);
        const Wheel wheel = built(firstNumbers(poolSize, 2), match, ifCount);
        QVERIFY2(wheel.lines.size() <= most, qPrintable(QString::number(wheel.lines.size())));
        QCOMPARE(wheelLowerBound(poolSize, {match, ifCount}), bound);
        QVERIFY(wheel.lines.size() >= bound);
        QCOMPARE(built(firstNumbers(poolSize, 2), match, ifCount).lines, wheel.lines);
    }

    void coverTableMatchesEveryDraw() {
        // Each draw of 7 out of the pool and seven stand-ins for the numbers
        // outside it, weighted by how many real draws a stand-in draw is.
        const QVector<int> pool = firstNumbers(9, 4);
        const Wheel wheel = built(pool, 4, 5);
        const std::optional<QVector<WheelCoverRow>> table = wheelCoverTable(wheel);
        QVERIFY(table && table->size() == kPositions + 1);
        QVector<int> universe = pool;
        for (int n = 2; universe.size() < pool.size() + kPositions; n += 4)
            universe.append(n);
        std::array<std::array<qint64, 5>, kPositions + 1> counted{}; // [k]: draws, then >= 4..7
        double chanceOfFour = 0;
        forEachSubset(universe, kPositions, [&](const NumberSet& draw) {
            int inPool = 0;
            for (const int n : pool)
                inPool += draw[static_cast<std::size_t>(n - 1)] ? 1 : 0;
            int best = 0;
            for (const WheelLine& line : wheel.lines)
                best = std::max(best, common(line, draw));
            auto& row = counted.at(static_cast<std::size_t>(inPool));
            ++row[0];
            for (int match = 4; match <= kPositions; ++match)
                row.at(static_cast<std::size_t>(match - 3)) += best >= match ? 1 : 0;
            if (best >= 4)
                chanceOfFour += static_cast<double>(binomial(kMaxNumber - 9, kPositions - inPool)) /
                                binomial(kPositions, kPositions - inPool) / kAllLines;
        });
        for (int k = 0; k <= kPositions; ++k) {
            const WheelCoverRow& row = table->at(k);
            const qint64 standIns = binomial(kPositions, kPositions - k);
            QCOMPARE(row.cases * standIns, counted.at(k)[0]);
            for (std::size_t tier = 0; tier < 4; ++tier)
                QCOMPARE(row.atLeast.at(tier) * standIns, counted.at(k).at(tier + 1));
            QCOMPARE(row.chance * kAllLines,
                     double(binomial(9, k) * binomial(kMaxNumber - 9, kPositions - k)));
        }
        QCOMPARE(wheelCoverRowTexts(table->at(5)).mid(4), (QStringList{"—", "—"}));
        QCOMPARE(wheelCoverRowTexts(table->at(5))[2], QStringLiteral("100\u00a0%"));
        const WheelVersus versus = wheelVersus(wheel, *table);
        QVERIFY(std::abs(versus.wheelChance - chanceOfFour) < 1e-12);
    }

    void randomLinesFiguresFollowTheFormula() {
        QCOMPARE(kLinesMatchingFour,
                 kTierLines[0] + kTierLines[1] + kTierLines[2] + kTierLines[3] + kTierLines[4]);
        const Wheel wheel = built(firstNumbers(13), 4, 5);
        const WheelVersus versus = wheelVersus(wheel, *wheelCoverTable(wheel));
        const double p4 = 151446.0 / 10295472.0;
        const auto n = static_cast<int>(wheel.lines.size());
        QCOMPARE(versus.randomChance, 1 - std::pow(1 - p4, n));
        QCOMPARE(versus.expectedLines, n * p4);
        QCOMPARE(wheelSummaryText(wheel),
                 QStringLiteral("%1口（%2）：本数字がプールに5個以上あれば、少なくとも1口が4個一致"
                                " — 全1,287通りで確認済み")
                     .arg(n)
                     .arg(formatYen(n * 300)));
        QVERIFY(wheelVersusText(versus).endsWith(
            QStringLiteral("プールに本数字が入ったときに当せんを集めます。")));
    }

    void linesReadBackFromTheCsvAsTickets() {
        const Wheel wheel = built(QVector<int>{3, 7, 11, 19, 22, 28, 31, 35, 37}, 4, 4);
        const QByteArray csv = wheelCsv(wheel);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(csv.count("\r\n"), wheel.lines.size());
        QCOMPARE(csv.count('\n'), wheel.lines.size());
        const QVector<TicketLine> read = readTicketLines(QString::fromUtf8(csv.mid(3)));
        QCOMPARE(read.size(), wheel.lines.size());
        for (int i = 0; i < read.size(); ++i) {
            QVERIFY(read.at(i).accepted());
            QCOMPARE(read.at(i).numbers,
                     QVector<int>(wheel.lines.at(i).begin(), wheel.lines.at(i).end()));
        }
        QCOMPARE(wheelLineRows(wheel).front().front(), QStringLiteral("03"));
    }

    void refusesPoolsAndPromises_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("match");
        QTest::addColumn<int>("ifCount");
        QTest::addColumn<QString>("refusal"); // the pool's, else the build's
        const auto row = [](const char* name, const QString& text, const QString& refusal,
                            int match = 4, int ifCount = 5) {
            QTest::newRow(name) << text << match << ifCount << refusal;
        };
        const QString eight = QStringLiteral("1 2 3 4 5 6 7 ");
        row("full width and 、", QStringLiteral("１，２　3、04,5 6 7 8"), {});
        row("too few", eight,
            QStringLiteral("プールの数字が足りません（7個）。8～20個にしてください。"));
        row("empty", "  ",
            QStringLiteral("プールの数字が足りません（0個）。8～20個にしてください。"));
        row("too many", eight + "8 9 10 11 12 13 14 15 16 17 18 19 20 21",
            QStringLiteral("プールの数字が多すぎます（21個）。8～20個にしてください。"));
        row("repeated", eight + "07", QStringLiteral("07が重複しています。"));
        row("zero", eight + QStringLiteral("０"), QStringLiteral("「0」は1～37の範囲外です。"));
        row("38", eight + "38", QStringLiteral("「38」は1～37の範囲外です。"));
        row("not a number", eight + "8 9x", QStringLiteral("「9x」は数字ではありません。"));
        row("decimal", eight + "8.5", QStringLiteral("「8.5」は数字ではありません。"));
        const QString promise = QStringLiteral(
            "約束は4～6個の一致で、プールに入る本数字はその数から7個までにしてください。");
        row("3 matches", eight + "8", promise, 3, 5);
        row("if under match", eight + "8", promise, 5, 4);
        row("if over 7", eight + "8", promise, 4, 8);
        row("over 1,000 lines", eight + "8 9 10 11 12 13 14 15 16 17",
            QStringLiteral(
                "1,000口を超えるため作成しません（1,250口を選んだ時点で、まだ%1通りの場合に"
                "約束を守れません）。プールの数字を減らすか、約束を緩めてください。"),
            6, 6);
    }

    void refusesPoolsAndPromises() {
        QFETCH(QString, text);
        QFETCH(int, match);
        QFETCH(int, ifCount);
        QFETCH(QString, refusal);
        const WheelPool pool = readWheelPool(text);
        if (!pool.accepted() || refusal.isEmpty()) {
            QCOMPARE(pool.refusal, refusal);
            QCOMPARE(pool.numbers, refusal.isEmpty() ? firstNumbers(8) : QVector<int>());
            return;
        }
        const QString error = errorOf([&] { buildWheel(pool.numbers, {match, ifCount}); });
        // "%1" stands for a count the search reaches.
        const QStringList around = refusal.split(QStringLiteral("%1"));
        QVERIFY2(error.startsWith(around.front()) && error.endsWith(around.back()),
                 qPrintable(error));
    }

    void readsMutatedPoolsAsTheFilterFieldDoes() {
        QRandomGenerator random(33);
        const QString base = QStringLiteral("01 5,9、13 17　２１ 25 29 33 37");
        for (int i = 0; i < 3000; ++i) {
            const QString text = mutatedLine(base, QStringLiteral("0123456789１, 、　x"), random);
            const WheelPool pool = readWheelPool(text);
            const QString other = errorOf([&] { numbersOfText(text); });
            const qsizetype parts = numberListParts(text).size();
            const bool inRange = other == QStringLiteral("(no error)");
            qsizetype distinct = 0;
            if (inRange) {
                const NumberSet set = numbersOfText(text);
                distinct = std::count(set.begin(), set.end(), true);
            }
            const bool fits = inRange && distinct == parts && parts >= 8 && parts <= 20;
            QVERIFY2(pool.accepted() == fits, qPrintable(text));
            QVERIFY2(pool.accepted() == !pool.numbers.isEmpty(), qPrintable(text));
            QVERIFY(std::is_sorted(pool.numbers.begin(), pool.numbers.end()));
        }
    }

    void reportsProgressAndStops() {
        QVector<int> done;
        int total = 0;
        const auto wheel = buildWheel(firstNumbers(12), {5, 6}, [&](int step, int of) {
            done.append(step);
            total = of;
            return true;
        });
        QVERIFY(wheel && !done.isEmpty());
        QVERIFY(std::is_sorted(done.begin(), done.end()));
        QCOMPARE(done.back(), total);
        int calls = 0;
        QVERIFY(!buildWheel(firstNumbers(12), {5, 6}, [&](int, int) { return ++calls < 3; }));
        QCOMPARE(calls, 3);
    }
};

SEPTARION_CORE_TEST_MAIN(TestWheel)
#include "test_wheel.moc"
