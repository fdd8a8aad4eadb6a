#include "DataLines.h"
#include "TestSupport.h"

#include "analysis/Backtest.h"
#include "analysis/LineFilter.h"
#include "common/ProgramFiles.h"

#include <QDir>

Q_DECLARE_METATYPE(LineFilter)

namespace {

struct RealData {
    DrawTable draws;
    PrizeTable prizes;
};

const RealData& realData() {
    static const RealData data = [] {
        RealData d;
        const QDir dir(startingDataDir());
        appendDrawLines(ReadLines(dir.filePath(QStringLiteral("Loto7Number.csv"))), d.draws);
        appendPrizeLines(ReadLines(dir.filePath(QStringLiteral("Loto7Data.csv"))), d.prizes);
        return d;
    }();
    return data;
}

// Draws 1..30 all 01..07 (bonus 08 09), then draw 31: 08..14 (bonus 01 02).
QVector<DrawResult> craftedHistory() {
    QByteArray bytes;
    for (int n = 1; n <= 30; ++n)
        bytes += drawLine(n, "2020/01/03", {1, 2, 3, 4, 5, 6, 7}, {8, 9});
    bytes += drawLine(31, "2020/08/07", {8, 9, 10, 11, 12, 13, 14}, {1, 2});
    return drawsOldestFirst(drawTableOf(bytes));
}

qint64 choose(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    qint64 c = 1;
    for (int i = 1; i <= k; ++i)
        c = c * (n - k + i) / i;
    return c;
}

// Lines of seven with a sum in [low, high], by counting subsets by size and sum.
qint64 linesWithSum(int low, int high) {
    std::vector<std::array<qint64, 239>> ways(kPositions + 1);
    ways[0][0] = 1;
    for (int n = 1; n <= kMaxNumber; ++n)
        for (int k = kPositions; k >= 1; --k)
            for (int s = 238; s >= n; --s)
                ways[k][s] += ways[k - 1][s - n];
    qint64 sum = 0;
    for (int s = low; s <= high; ++s)
        sum += ways[kPositions][s];
    return sum;
}

// Lines with k of a group of `group` numbers, k in [low, high].
qint64 linesWithFromGroup(int group, int low, int high) {
    qint64 sum = 0;
    for (int k = low; k <= high; ++k)
        sum += choose(group, k) * choose(kMaxNumber - group, kPositions - k);
    return sum;
}

} // namespace

class TestBacktest : public QObject {
    Q_OBJECT
private slots:
    void walkForwardSeesOnlyEarlierDraws();
    void seededRunRepeats();
    void chanceOverTheRealDraws();
    void filterCountsAllLines_data();
    void filterCountsAllLines();
    void binomialRange();
    void verdictPlacesTheRate_data();
    void verdictPlacesTheRate();
    void settingsNameTheModeAndFilters();
};

void TestBacktest::walkForwardSeesOnlyEarlierDraws() {
    // With the counts of draws 1..30 only 01..07 reach the threshold at their
    // positions: every line is 01..07 and wins nothing on draw 31. Counting
    // draw 31 too would let 08..14 in, and lines would hit it.
    BacktestOptions options;
    options.mode = GenerationMode::PositionThreshold;
    options.linesPerDraw = 50;
    options.draws = 10;
    const BacktestResult crafted = runBacktest(craftedHistory(), {}, options);
    QCOMPARE(crafted.end, BacktestResult::End::Complete);
    QVERIFY(crafted.range.startsLater());
    QCOMPARE(crafted.rows.size(), 1);
    QCOMPARE(crafted.rows.first().drawNumber, 31);
    QCOMPARE(crafted.rows.first().tierLines, (std::array<int, kPrizeTiers>{}));
    // No prize record: counted at 0 yen and flagged.
    QVERIFY(crafted.rows.first().prizeMissing);
    QVERIFY(
        backtestCsv(crafted.rows).contains("31,2020/08/07,50,0,0,0,0,0,0,0,0.00,賞金データなし"));

    // Later draws change nothing of the rows before them.
    const RealData& real = realData();
    QVector<DrawResult> history = drawsOldestFirst(real.draws);
    const PrizeTable& prizes = real.prizes;
    const BacktestResult full = runBacktest(history, prizes, options);
    history.resize(history.size() - 5);
    options.draws = 5;
    const BacktestResult cut = runBacktest(history, prizes, options);
    QCOMPARE(backtestCsv(cut.rows), backtestCsv(full.rows.mid(0, 5)));

    // A threshold no number reaches: the stuck-run rule ends the run.
    options.threshold = 31;
    const BacktestResult stuck = runBacktest(craftedHistory(), {}, options);
    QCOMPARE(stuck.end, BacktestResult::End::Stuck);
    QCOMPARE(stuck.stuckDraw, 31);
    QCOMPARE(stuck.stuckPosition, 1);
    QVERIFY(stuck.rows.isEmpty());
}

void TestBacktest::seededRunRepeats() {
    const QVector<DrawResult> history = drawsOldestFirst(realData().draws);
    const PrizeTable& prizes = realData().prizes;
    BacktestOptions options;
    options.mode = GenerationMode::Exclusion;
    options.excluded[0] = options.excluded[36] = true;
    const QByteArray first = backtestCsv(runBacktest(history, prizes, options).rows);
    QCOMPARE(backtestCsv(runBacktest(history, prizes, options).rows), first);
    options.seed = 2;
    QVERIFY(backtestCsv(runBacktest(history, prizes, options).rows) != first);
    // Stopped after the first draw: nothing half-done is kept.
    const BacktestResult stopped =
        runBacktest(history, prizes, options, [](int, int) { return false; });
    QCOMPARE(stopped.end, BacktestResult::End::Stopped);
    QVERIFY(stopped.rows.isEmpty());
}

void TestBacktest::chanceOverTheRealDraws() {
    // The prize file read here on its own: amounts in columns 2, 4, .., 12.
    double all = 0;
    double fromDraw31 = 0;
    const QStringList lines =
        ReadLines(QDir(startingDataDir()).filePath(QStringLiteral("Loto7Data.csv")));
    for (const QString& line : lines) {
        const QStringList fields = line.split(u',');
        double value = 0;
        for (int t = 0; t < kPrizeTiers; ++t)
            value += fields.at(2 + 2 * t).toDouble() * static_cast<double>(kTierLines.at(t)) /
                     10'295'472.0;
        all += value;
        if (fields.at(0).toInt() > kBacktestHistory)
            fromDraw31 += value;
    }
    QVERIFY(qAbs(all / lines.size() - 115.8) < 0.05);

    BacktestOptions options;
    options.linesPerDraw = 1;
    options.draws = kStartingDraws;
    const QVector<BacktestRow> rows =
        runBacktest(drawsOldestFirst(realData().draws), realData().prizes, options).rows;
    QCOMPARE(rows.size(), kStartingDraws - kBacktestHistory);
    const BacktestTotals totals = backtestTotals(rows);
    QVERIFY(qAbs(totals.expectedWon - fromDraw31) < 1e-6);

    // The rare jackpots lift the expectation above most simulated runs.
    const QVector<double> returns = simulatedChanceReturns(rows);
    QCOMPARE(returns.size(), kChanceRuns);
    QVERIFY(chanceSpread(returns).high < totals.expectedReturnRate());
    // Without them, the mean of the runs meets the expectation tier by tier.
    QVector<BacktestRow> common(100);
    for (BacktestRow& row : common) {
        row.lines = 100;
        row.amounts = {0, 0, 0, 9000, 1000, 100};
        row.expectedWon = 100 * chanceValue({0, {}, row.amounts, 0});
    }
    double mean = 0;
    for (const double r : simulatedChanceReturns(common))
        mean += r / kChanceRuns;
    const double expected = backtestTotals(common).expectedReturnRate();
    QVERIFY2(qAbs(mean / expected - 1) < 0.02,
             qPrintable(QStringLiteral("%1 %2").arg(mean).arg(expected)));
    QCOMPARE(simulatedChanceReturns(rows), returns); // fixed seed
}

void TestBacktest::filterCountsAllLines_data() {
    QTest::addColumn<LineFilter>("filter");
    QTest::addColumn<qint64>("expected");
    NumberSet firstSeven{};
    std::fill_n(firstSeven.begin(), kPositions, true);
    LineFilter f;
    f.sum = {true, 100, 120};
    QTest::newRow("sum") << f << linesWithSum(100, 120);
    f = {};
    f.odd = {true, 3, 4};
    QTest::newRow("odd") << f << linesWithFromGroup(19, 3, 4);
    f = {};
    f.low = {true, 0, 2};
    QTest::newRow("1-18") << f << linesWithFromGroup(kLowTop, 0, 2);
    f = {};
    f.longestRun = {true, 1, 1}; // no two consecutive numbers
    QTest::newRow("no run") << f << choose(kMaxNumber - kPositions + 1, kPositions);
    f = {};
    f.shared = {true, 1, 2};
    QTest::newRow("shared") << f << linesWithFromGroup(kPositions, 1, 2);
    f = {};
    f.forbiddenOn = true;
    f.forbidden = firstSeven;
    f.forbidden[20] = true;
    QTest::newRow("forbidden") << f << choose(kMaxNumber - 8, kPositions);
}

void TestBacktest::filterCountsAllLines() {
    QFETCH(LineFilter, filter);
    QFETCH(qint64, expected);
    NumberSet previous{};
    std::fill_n(previous.begin(), kPositions, true);
    QCOMPARE(countPassingLines(filter, previous), expected);
}

void TestBacktest::binomialRange() {
    const CountInterval half = binomialInterval(100, 0.5);
    QCOMPARE(half.low, 40);
    QCOMPARE(half.high, 60);
    // Every real result passes a filter every line passes: within chance.
    LineFilter all;
    all.shared = {true, 0, 7};
    const FilterCheck check = checkFilter(all, drawsOldestFirst(realData().draws), 100);
    QCOMPARE(check.passingLines, kAllLines);
    QCOMPARE(check.passingDraws, 100);
    QCOMPARE(check.firstDraw, 590);
    QCOMPARE(check.verdict, FilterCheck::Verdict::Inside);
    QCOMPARE(errorOf([] { numbersOfText(QStringLiteral("3 38")); }),
             QStringLiteral("「38」は1～37の数字ではありません。"));
    // Typed as full-width text: digits and the ideographic space.
    const NumberSet typed = numbersOfText(QStringLiteral("３　１５、22"));
    QCOMPARE(std::count(typed.begin(), typed.end(), true), 3);
    QVERIFY(typed[2] && typed[14] && typed[21]);
}

void TestBacktest::verdictPlacesTheRate_data() {
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("where");
    QTest::newRow("inside: on the high end as shown") << 27.349 << QStringLiteral("の内です。");
    QTest::newRow("above") << 27.36 << QStringLiteral("を上回っています。");
    QTest::newRow("below") << 10.54 << QStringLiteral("を下回っています。");
}

void TestBacktest::verdictPlacesTheRate() {
    QFETCH(double, rate);
    QFETCH(QString, where);
    QCOMPARE(backtestVerdict(rate, 35.4, {10.6, 27.3}),
             QStringLiteral("回収率 %1 % は、ランダムな口の95 %が収まる範囲（10.6～27.3 %）%2"
                            "偶然の期待値 35.4 % は、まれな1等・2等を含めた平均です。")
                 .arg(QString::number(rate, 'f', 1), where));
}

void TestBacktest::settingsNameTheModeAndFilters() {
    // The plain rows and the CSV around them: test_backtestform.
    BacktestOptions options;
    options.mode = GenerationMode::Exclusion;
    options.excluded[0] = options.excluded[36] = true;
    QCOMPARE(backtestSettings(options).at(1), (QStringList{"除外数字", "01 37"}));
    options.mode = GenerationMode::PositionThreshold;
    options.threshold = 12;
    QCOMPARE(backtestSettings(options).at(1), (QStringList{"過去の抽選回数", "12回以上"}));
    LineFilter filter;
    filter.longestRun = {true, 1, 2};
    filter.forbiddenOn = true;
    filter.forbidden[3] = true;
    QCOMPARE(filterSettings(filter),
             (QVector<QStringList>{{"フィルター", "連続数字の最長", "最大2"},
                                   {"フィルター", "含めない数字", "04"}}));
}

SEPTARION_CORE_TEST_MAIN(TestBacktest)
#include "test_backtest.moc"
