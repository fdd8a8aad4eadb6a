#include "TestSupport.h"

#include "analysis/Backtest.h"
#include "analysis/LineFilter.h"
#include "analysis/StatsPages.h"
#include "common/ProgramFiles.h"

#include <QDir>
#include <QRandomGenerator>

#include <cmath>

namespace {

const DrawTable& realDraws() {
    static const DrawTable table = [] {
        DrawTable t;
        appendDrawLines(ReadLines(QDir(startingDataDir()).filePath(u"Loto7Number.csv"_qs)), t);
        return t;
    }();
    return table;
}

// Draws newest first, each seven main numbers then two bonus numbers; the
// newest is draw 100 + its count.
DrawTable tableOf(const QList<QList<int>>& draws) {
    DrawTable table;
    for (qsizetype i = 0; i < draws.size(); ++i) {
        DrawResult draw;
        draw.DrawNumber = static_cast<int>(100 + draws.size() - i);
        for (int k = 0; k < kPositions + kBonusCount; ++k)
            (k < kPositions ? draw.MainNumbers[k] : draw.BonusNumbers[k - kPositions]) =
                static_cast<quint8>(draws[i][k]);
        table.append(draw);
    }
    return table;
}

// 1 and 2 in the newest draw, 1 again at index 5, 2 at 3, 10 in every other
// draw, 8 never a main number.
DrawTable craftedTable() {
    const QList<int> tens{10, 11, 12, 13, 14, 15, 16, 17, 18};
    return tableOf({{1, 2, 3, 4, 5, 6, 7, 8, 9},
                    {10, 11, 12, 13, 14, 15, 16, 1, 2},
                    tens,
                    {2, 20, 21, 22, 23, 24, 25, 30, 31},
                    tens,
                    {1, 30, 31, 32, 33, 34, 35, 36, 37},
                    tens,
                    tens,
                    tens,
                    tens,
                    tens,
                    tens});
}

// The draws of a line as '#' (a main number) and '.', oldest first.
QString presence(const DrawTable& table, int draws, int number) {
    QString flags;
    for (int i = draws - 1; i >= 0; --i) {
        const auto& mains = table.at(i).MainNumbers;
        flags += std::find(mains.begin(), mains.end(), number) != mains.end() ? u'#' : u'.';
    }
    return flags;
}

} // namespace

class TestStats : public QObject {
    Q_OBJECT
private slots:
    void numbersOfCraftedDraws_data();
    void numbersOfCraftedDraws();
    void gapTableAndSharedNumbers();
    void numbersOfRealDraws();
    void uniformity();
    void binomialFigures();
    void chiSquareTail_data();
    void chiSquareTail();
    void shapeSharesMatchAllLines();
    void shapeCountsOfRealDraws();
    void pairsOfRealDraws();
};

void TestStats::numbersOfCraftedDraws_data() {
    QTest::addColumn<int>("draws");
    QTest::addColumn<int>("number");
    QTest::addColumn<QList<int>>("expected"); // main, bonus, gap, longest gap
    QTest::newRow("newest and index 5") << 12 << 1 << QList<int>{2, 1, 0, 6};
    QTest::newRow("newest and index 3") << 12 << 2 << QList<int>{2, 1, 0, 8};
    QTest::newRow("bonus only") << 12 << 8 << QList<int>{0, 1, 12, 12};
    QTest::newRow("all but three") << 12 << 10 << QList<int>{9, 0, 1, 1};
    QTest::newRow("once") << 12 << 20 << QList<int>{1, 0, 3, 8};
    QTest::newRow("bonus in the older draws") << 12 << 17 << QList<int>{0, 8, 12, 12};
    QTest::newRow("ten: oldest run cut") << 10 << 1 << QList<int>{2, 1, 0, 4};
    QTest::newRow("ten: index 3") << 10 << 2 << QList<int>{2, 1, 0, 6};
    QTest::newRow("ten: bonus") << 10 << 17 << QList<int>{0, 6, 10, 10};
    QTest::newRow("three reads ten") << 3 << 10 << QList<int>{7, 0, 1, 1};
    QTest::newRow("more than held") << 99'999 << 10 << QList<int>{9, 0, 1, 1};
}

void TestStats::numbersOfCraftedDraws() {
    QFETCH(int, draws);
    QFETCH(int, number);
    QFETCH(QList<int>, expected);
    const DrawTable table = craftedTable();
    const NumbersPage page = numbersPage(table, draws);
    const NumberStats& row = page.rows.at(number - 1);
    QCOMPARE(row.number, number);
    QCOMPARE((QList<int>{row.mainCount, row.bonusCount, row.gap, row.longestGap}), expected);
    QCOMPARE(row.absentThroughout, row.mainCount == 0);
    QCOMPARE(row.gapChance, std::pow(30.0 / 37.0, row.gap));
    const GapTable gaps = gapTable(table, draws);
    QCOMPARE(gaps.gaps.at(number - 1), row.gap);
    QCOMPARE(numberRowTexts(page, row).at(int(NumbersColumn::Gap)),
             row.mainCount == 0 ? QStringLiteral("%1以上").arg(row.gap) : QString::number(row.gap));
}

void TestStats::gapTableAndSharedNumbers() {
    const DrawTable table = craftedTable();
    const GapTable gaps = gapTable(table, 12);
    QCOMPARE(gaps.rows.size(), 12);
    QCOMPARE(gaps.rows.first().drawNumber, 112);
    QCOMPARE(gapRowTexts(gaps.rows.at(1)).mid(0, 3), (QStringList{"111", "○", "○"}));
    QCOMPARE(gapRowTexts(gaps.rows.at(3)).mid(0, 4), (QStringList{"109", "", "●", ""}));
    QCOMPARE(gapLastRowTexts(gaps).mid(0, 4), (QStringList{"空白", "0", "0", "0"}));
    // No gap of 12 draws is rare, and none can reach the rare length.
    QCOMPARE(gaps.rareCount(), 0);
    QVERIFY(gapNoteText(gaps).contains(u"届きません"));
    QCOMPARE(statsRangeText(gaps.range), u"第101回～第112回の12回"_qs);
    QCOMPARE(statsPages(DrawTable(), 10).shapes.at(int(Shape::Shared)).draws, 0);
    QCOMPARE(statsUnavailableText(tableOf({{1, 2, 3, 4, 5, 6, 7, 8, 9}})),
             u"統計には10回以上の抽選結果が必要です（読み込まれているのは1回）。"_qs);

    // The oldest draw of all has no previous draw; the oldest of ten has.
    const auto sharedCounts = [&](int draws) {
        QList<int> counts;
        for (const ShapeRow& row : shapePage(table, draws, Shape::Shared).rows)
            counts.append(row.count);
        return counts;
    };
    QCOMPARE(sharedCounts(12), (QList<int>{5, 0, 0, 0, 0, 0, 0, 6}));
    QCOMPARE(sharedCounts(10), (QList<int>{5, 0, 0, 0, 0, 0, 0, 5}));
}

void TestStats::numbersOfRealDraws() {
    const DrawTable& table = realDraws();
    for (const int draws : {kStartingDraws, 100}) {
        const NumbersPage page = numbersPage(table, draws);
        for (int n = 1; n <= kMaxNumber; ++n) {
            const QString flags = presence(table, draws, n);
            const QStringList runs = flags.split(u'#');
            int longest = 0;
            for (const QString& run : runs)
                longest = std::max(longest, int(run.size()));
            int bonus = 0;
            for (int i = 0; i < draws; ++i)
                bonus += int(std::count(table.at(i).BonusNumbers.begin(),
                                        table.at(i).BonusNumbers.end(), n));
            const NumberStats& row = page.rows.at(n - 1);
            QCOMPARE(row.mainCount, int(flags.count(u'#')));
            QCOMPARE(row.bonusCount, bonus);
            QCOMPARE(row.gap, int(runs.last().size()));
            QCOMPARE(row.longestGap, longest);
            QCOMPARE(gapTable(table, draws).rare.at(n - 1), row.gap >= 15);
        }
    }
    QCOMPARE(statsRangeText(statsRange(table, 99'999)), u"第1回～第689回の689回"_qs);
    QCOMPARE(QString::number(gapTable(table, 689).expectedRare, 'f', 1), u"1.6"_qs);
}

void TestStats::uniformity() {
    // Ten draws of 1..7: seven numbers at 10, thirty at 0.
    std::array<int, kMaxNumber> counts{};
    std::fill_n(counts.begin(), kPositions, 10);
    const double e = 10 * 7.0 / 37;
    const double squares = 7 * (10 - e) * (10 - e) + 30 * e * e;
    const UniformityTest skewed = uniformityTest(counts, 10);
    QCOMPARE(skewed.q, 36 * squares / (37 * 10 * (7.0 / 37) * (30.0 / 37)));
    QCOMPARE(uniformityText(skewed),
             QStringLiteral("37個の数字の出現回数には、偶然では説明しにくい偏りがあります"
                            "（Q = %1、自由度 36、p < 0.001）。")
                 .arg(skewed.q, 0, 'f', 1));
    QCOMPARE(uniformityText({31.2, 36, 0.70}),
             u"37個の数字の出現回数の偏りは偶然の範囲内です（Q = 31.2、自由度 36、p = 0.70）。"_qs);
    QCOMPARE(pValueText(0.0496), u"p = 0.0496"_qs);

    // Uniform random draws: Q averages its 36 degrees of freedom (the plain
    // sum over E would average 30).
    QRandomGenerator random(20'130'405);
    double total = 0;
    constexpr int kTables = 400;
    for (int t = 0; t < kTables; ++t) {
        QList<QList<int>> draws;
        for (int d = 0; d < 50; ++d) {
            QList<int> numbers;
            while (numbers.size() < kPositions + kBonusCount) {
                const int n = random.bounded(1, kMaxNumber + 1);
                if (!numbers.contains(n))
                    numbers.append(n);
            }
            draws.append(numbers);
        }
        total += numbersPage(tableOf(draws), 50).uniformity.q;
    }
    QVERIFY2(std::abs(total / kTables - 36) < 2, qPrintable(QString::number(total / kTables)));
}

void TestStats::binomialFigures() {
    // Binomial(10, 1/2): P(X <= 1) = 11/1024 < 2.5 % <= P(X <= 2).
    const CountInterval ten = binomialInterval(10, 0.5);
    QCOMPARE((QList<int>{ten.low, ten.high}), (QList<int>{2, 8}));
    QCOMPARE(binomialOutsideChance(10, 0.5, ten), 22.0 / 1024);
    // At the most draws a table holds: the normal approximation's range.
    const double mean = 99'999 * 7.0 / 37;
    const double sd = std::sqrt(mean * 30.0 / 37);
    const CountInterval most = binomialInterval(99'999, 7.0 / 37);
    QVERIFY(std::abs(most.low - (mean - 1.96 * sd)) < 2);
    QVERIFY(std::abs(most.high - (mean + 1.96 * sd)) < 2);
    const double outside = binomialOutsideChance(99'999, 7.0 / 37, most);
    QVERIFY2(outside > 0.04 && outside <= 0.05, qPrintable(QString::number(outside)));
}

void TestStats::chiSquareTail_data() {
    QTest::addColumn<int>("degrees");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("expected");
    for (const double x : {0.5, 3.0, 40.0}) { // below and above a + 1
        QTest::addRow("2 df, %g", x) << 2 << x << std::exp(-x / 2);
        QTest::addRow("1 df, %g", x) << 1 << x << std::erfc(std::sqrt(x / 2));
    }
    // Q(18, x/2) to 18 digits by multi-precision arithmetic.
    QTest::newRow("36 df, near 5 %") << 36 << 50.998 << 0.0500044423996732426;
    QTest::newRow("36 df, near 0.1 %") << 36 << 67.985 << 0.00100004395329779009;
    QTest::newRow("36 df, far tail") << 36 << 200.0 << 1.25708441058397585e-24;
}

void TestStats::chiSquareTail() {
    QFETCH(int, degrees);
    QFETCH(double, x);
    QFETCH(double, expected);
    const double p = chiSquareUpperTail(x, degrees);
    QVERIFY2(std::abs(p - expected) <= 1e-9 * expected,
             qPrintable(QStringLiteral("%1 against %2").arg(p).arg(expected)));
}

void TestStats::shapeSharesMatchAllLines() {
    NumberSet previous{};
    for (int s = 0; s < kShapeCount; ++s) {
        qint64 total = 0;
        for (const ShapeValue& value : shapeValues(static_cast<Shape>(s)))
            total += value.lines;
        QCOMPARE(total, kAllLines);
    }
    QCOMPARE(shapeValues(Shape::Sum).first().low, 20);
    QCOMPARE(shapeValues(Shape::Sum).last().high, 239);
    // The longest run against the filters' walk over every line.
    qint64 atMost = 0;
    for (const ShapeValue& value : shapeValues(Shape::LongestRun)) {
        LineFilter filter;
        filter.longestRun = {true, 1, value.high};
        const qint64 walked = countPassingLines(filter, previous);
        QCOMPARE(value.lines, walked - atMost);
        atMost = walked;
    }
}

void TestStats::shapeCountsOfRealDraws() {
    // Each draw's figures as the filters compute them, against its previous draw.
    const DrawTable& table = realDraws();
    for (int s = 0; s < kShapeCount; ++s) {
        const Shape shape = static_cast<Shape>(s);
        const ShapePage page = shapePage(table, kStartingDraws, shape);
        QMap<QString, int> counts;
        for (int i = 0; i < page.draws; ++i) {
            std::array<int, kPositions> line{};
            std::copy(table.at(i).MainNumbers.begin(), table.at(i).MainNumbers.end(), line.begin());
            const NumberSet previous =
                i + 1 < table.count() ? mainNumberSet(table.at(i + 1)) : NumberSet{};
            const LineFigures f = lineFigures(line, previous, {});
            const int value = std::array{f.sum, f.odd, f.low, f.longestRun, f.shared}.at(s);
            ++counts[shape == Shape::Sum
                         ? u"%1～%2"_qs.arg(value / 10 * 10).arg(value / 10 * 10 + 9)
                         : QString::number(value)];
        }
        QCOMPARE(page.draws, shape == Shape::Shared ? kStartingDraws - 1 : kStartingDraws);
        for (const ShapeRow& row : page.rows)
            QCOMPARE(row.count, counts.value(row.label));
        QVERIFY(page.test.degrees >= 2);
        QVERIFY(shapeTestText(page).startsWith(shapeName(shape) + u"の分布は"_qs));
    }
}

void TestStats::pairsOfRealDraws() {
    const DrawTable& table = realDraws();
    const PairsPage page = pairsPage(table, kStartingDraws);
    const CountInterval range = binomialInterval(kStartingDraws, 42.0 / 1332);
    QStringList flags{QString()};
    for (int n = 1; n <= kMaxNumber; ++n)
        flags.append(presence(table, kStartingDraws, n));
    int outside = 0;
    for (int a = 1; a <= kMaxNumber; ++a)
        for (int b = a + 1; b <= kMaxNumber; ++b) {
            int both = 0;
            for (int i = 0; i < kStartingDraws; ++i)
                both += flags[a][i] == u'#' && flags[b][i] == u'#' ? 1 : 0;
            QCOMPARE(page.count(a, b), both);
            QCOMPARE(page.count(b, a), both);
            outside += both < range.low || both > range.high ? 1 : 0;
        }
    QCOMPARE(page.outside, outside);
    QVERIFY(
        pairsText(page).startsWith(u"666組のうち95 %範囲の外は%1組（偶然なら約"_qs.arg(outside)));
    // The top ten: most frequent first, ties by the smaller numbers, none left out.
    QCOMPARE(page.top.size(), kTopPairs);
    for (int k = 1; k < kTopPairs; ++k) {
        const PairStats& x = page.top.at(k - 1);
        const PairStats& y = page.top.at(k);
        QVERIFY(x.count > y.count || (x.count == y.count &&
                                      std::pair(x.first, x.second) < std::pair(y.first, y.second)));
    }
    int above = 0;
    for (int a = 1; a <= kMaxNumber; ++a)
        for (int b = a + 1; b <= kMaxNumber; ++b)
            above += page.count(a, b) > page.top.last().count ? 1 : 0;
    QVERIFY(above < kTopPairs);
}

SEPTARION_CORE_TEST_MAIN(TestStats)
#include "test_stats.moc"
