#include "analysis/Stats.h"

#include "common/Formats.h"

#include <algorithm>
#include <cmath>

namespace {

// Kept on one line with its number.
const QString kPercentSign = QStringLiteral("\u00a0%");

template <std::size_t N> NumberBits bitsOf(const std::array<quint8, N>& numbers) {
    NumberBits bits = 0;
    for (const int n : numbers)
        if (n >= 1 && n <= kMaxNumber)
            bits |= NumberBits{1} << (n - 1);
    return bits;
}

// Counts and gaps in one walk from the newest draw back.
void countNumbers(const DrawTable& table, int draws, NumbersPage& page) {
    std::array<int, kMaxNumber> lastSeen{};
    lastSeen.fill(-1);
    for (int i = 0; i < draws; ++i) {
        const DrawResult& draw = table.at(i);
        forEachNumber(mainBits(draw), [&](int n) {
            NumberStats& row = page.rows.at(n - 1);
            ++row.mainCount;
            const int before = lastSeen.at(n - 1);
            row.longestGap = std::max(row.longestGap, i - before - 1);
            if (before < 0)
                row.gap = i;
            lastSeen.at(n - 1) = i;
        });
        forEachNumber(bonusBits(draw), [&](int n) { ++page.rows.at(n - 1).bonusCount; });
    }
    for (int n = 1; n <= kMaxNumber; ++n) {
        NumberStats& row = page.rows.at(n - 1);
        row.number = n;
        const int last = lastSeen.at(n - 1);
        row.absentThroughout = last < 0;
        if (row.absentThroughout)
            row.gap = draws;
        // The run before its first appearance in the range.
        row.longestGap = std::max(row.longestGap, draws - 1 - last);
        row.gapChance = std::pow(kAbsentChance, row.gap);
        row.verdict = countVerdict(row.mainCount, page.chance);
    }
}

QString gapText(int gap, bool absentThroughout) {
    return absentThroughout ? QStringLiteral("%1以上").arg(gap) : QString::number(gap);
}

} // namespace

StatsRange statsRange(const DrawTable& table, int draws) {
    const int held = table.count();
    StatsRange range;
    range.draws = std::clamp(draws, std::min(kMinStatsDraws, held), held);
    if (range.draws > 0) {
        range.lastDraw = table.at(0).DrawNumber;
        range.firstDraw = table.at(range.draws - 1).DrawNumber;
    }
    return range;
}

QString statsRangeText(const StatsRange& range) {
    return QStringLiteral("第%1回～第%2回の%3回")
        .arg(range.firstDraw)
        .arg(range.lastDraw)
        .arg(groupDigits(range.draws));
}

QString statsUnavailableText(const DrawTable& table) {
    if (table.count() >= kMinStatsDraws)
        return {};
    return QStringLiteral("統計には%1回以上の抽選結果が必要です（読み込まれているのは%2回）。")
        .arg(kMinStatsDraws)
        .arg(table.count());
}

QString statsReminderText() {
    return QStringLiteral("過去の結果は、次回の当せん確率を変えません。");
}

NumberBits mainBits(const DrawResult& draw) {
    return bitsOf(draw.MainNumbers);
}

NumberBits bonusBits(const DrawResult& draw) {
    return bitsOf(draw.BonusNumbers);
}

CountVerdict countVerdict(int count, CountInterval range) {
    if (count > range.high)
        return CountVerdict::More;
    if (count < range.low)
        return CountVerdict::Fewer;
    return CountVerdict::Inside;
}

QString countVerdictText(CountVerdict verdict) {
    switch (verdict) {
    case CountVerdict::More:
        return QStringLiteral("多い");
    case CountVerdict::Fewer:
        return QStringLiteral("少ない");
    case CountVerdict::Inside:
        break;
    }
    return {};
}

QString intervalText(CountInterval range) {
    return QStringLiteral("%1～%2").arg(range.low).arg(range.high);
}

QString shareText(double share) {
    const double percent = share * 100.0;
    int decimals = 2;
    // A share too small for two decimals keeps two significant digits.
    if (percent > 0 && percent < 0.01)
        decimals = std::min(12, 1 - static_cast<int>(std::floor(std::log10(percent))));
    return QString::number(percent, 'f', decimals) + kPercentSign;
}

QString pValueText(double p) {
    if (p < 0.001)
        return QStringLiteral("p < 0.001");
    // Enough decimals that the figure shown lies on the same side of 5 % as p.
    int decimals = p < 0.01 ? 3 : 2;
    const auto rounded = [&] { return QString::number(p, 'f', decimals); };
    while (decimals < 6 && (rounded().toDouble() < 0.05) != (p < 0.05))
        ++decimals;
    return QStringLiteral("p = ") + rounded();
}

UniformityTest uniformityTest(const std::array<int, kMaxNumber>& mainCounts, int draws) {
    UniformityTest test;
    if (draws <= 0)
        return test;
    const double expected = draws * kNumberChance;
    double squares = 0;
    for (const int count : mainCounts)
        squares += (count - expected) * (count - expected);
    // Each draw holds seven distinct numbers, so a count varies by
    // N·p·(1−p), not by E = N·p as a free count would, and the counts are
    // tied by their fixed total. The plain Σ(O−E)²/E then averages 30, not
    // 36, and would call a real bias chance. Scaled by the true variance and
    // by 36/37 for the tie, Q follows the chi-square with 36 degrees of
    // freedom.
    const double variance = draws * kNumberChance * (1.0 - kNumberChance);
    test.q = test.degrees * squares / (kMaxNumber * variance);
    test.p = chiSquareUpperTail(test.q, test.degrees);
    return test;
}

QString uniformityText(const UniformityTest& test) {
    const QString figures = QStringLiteral("（Q = %1、自由度 %2、%3）。")
                                .arg(QString::number(test.q, 'f', 1))
                                .arg(test.degrees)
                                .arg(pValueText(test.p));
    if (test.p < 0.05)
        return QStringLiteral("37個の数字の出現回数には、偶然では説明しにくい偏りがあります") +
               figures;
    return QStringLiteral("37個の数字の出現回数の偏りは偶然の範囲内です") + figures;
}

NumbersPage numbersPage(const DrawTable& table, int draws) {
    NumbersPage page;
    page.range = statsRange(table, draws);
    const int n = page.range.draws;
    page.expected = n * kNumberChance;
    page.chance = binomialInterval(n, kNumberChance);
    countNumbers(table, n, page);
    std::array<int, kMaxNumber> counts{};
    std::transform(page.rows.cbegin(), page.rows.cend(), counts.begin(),
                   [](const NumberStats& row) { return row.mainCount; });
    page.uniformity = uniformityTest(counts, n);
    return page;
}

QStringList numbersHeaders() {
    return {QStringLiteral("数字"),   QStringLiteral("本数字"),   QStringLiteral("ボーナス"),
            QStringLiteral("期待値"), QStringLiteral("95 %範囲"), QStringLiteral("判定"),
            QStringLiteral("空白"),   QStringLiteral("最長空白"), QStringLiteral("空白の確率")};
}

QStringList numberRowTexts(const NumbersPage& page, const NumberStats& row) {
    return {QString::number(row.number),
            QString::number(row.mainCount),
            QString::number(row.bonusCount),
            QString::number(page.expected, 'f', 2),
            intervalText(page.chance),
            countVerdictText(row.verdict),
            gapText(row.gap, row.absentThroughout),
            gapText(row.longestGap, row.absentThroughout),
            shareText(row.gapChance)};
}

double numberSortValue(const NumberStats& row, NumbersColumn column) {
    switch (column) {
    case NumbersColumn::Main:
        return row.mainCount;
    case NumbersColumn::Bonus:
        return row.bonusCount;
    case NumbersColumn::Verdict: // fewer, inside, more
        return row.verdict == CountVerdict::Fewer ? -1 : row.verdict == CountVerdict::More ? 1 : 0;
    case NumbersColumn::Gap:
        return row.gap;
    case NumbersColumn::LongestGap:
        return row.longestGap;
    case NumbersColumn::GapChance:
        return row.gapChance;
    case NumbersColumn::Number:
    case NumbersColumn::Expected:
    case NumbersColumn::Range:
    case NumbersColumn::Count:
        break;
    }
    return row.number;
}

int GapTable::rareCount() const {
    return static_cast<int>(std::count(rare.cbegin(), rare.cend(), true));
}

int rareGapThreshold() {
    int gap = 0;
    while (std::pow(kAbsentChance, gap) >= kRareGapChance)
        ++gap;
    return gap;
}

GapTable gapTable(const DrawTable& table, int draws) {
    GapTable gaps;
    gaps.range = statsRange(table, draws);
    const int n = gaps.range.draws;
    for (int i = 0; i < std::min(n, kGapTableDraws); ++i) {
        const DrawResult& draw = table.at(i);
        GapTableRow row;
        row.drawNumber = draw.DrawNumber;
        forEachNumber(bonusBits(draw), [&](int k) { row.marks.at(k - 1) = GapMark::Bonus; });
        forEachNumber(mainBits(draw), [&](int k) { row.marks.at(k - 1) = GapMark::Main; });
        gaps.rows.append(row);
    }
    // Back from the newest draw until every number has been met.
    NumberBits seen = 0;
    gaps.gaps.fill(n);
    gaps.absentThroughout.fill(true);
    constexpr NumberBits all = (NumberBits{1} << kMaxNumber) - 1;
    for (int i = 0; i < n && seen != all; ++i) {
        forEachNumber(mainBits(table.at(i)) & ~seen, [&](int k) {
            gaps.gaps.at(k - 1) = i;
            gaps.absentThroughout.at(k - 1) = false;
        });
        seen |= mainBits(table.at(i));
    }
    for (int k = 0; k < kMaxNumber; ++k)
        gaps.rare.at(k) = std::pow(kAbsentChance, gaps.gaps.at(k)) < kRareGapChance;
    gaps.rareGap = rareGapThreshold();
    // Any number is that long away with the chance (30/37)^rareGap at any
    // moment, once the range is long enough to show such a gap.
    gaps.expectedRare =
        n >= gaps.rareGap ? kMaxNumber * std::pow(kAbsentChance, gaps.rareGap) : 0.0;
    return gaps;
}

QString gapMarkText(GapMark mark) {
    switch (mark) {
    case GapMark::Main:
        return QStringLiteral("●");
    case GapMark::Bonus:
        return QStringLiteral("○");
    case GapMark::None:
        break;
    }
    return {};
}

QStringList gapTableHeaders() {
    QStringList headers{QStringLiteral("開催回")};
    for (int n = 1; n <= kMaxNumber; ++n)
        headers.append(QString::number(n));
    return headers;
}

QStringList gapRowTexts(const GapTableRow& row) {
    QStringList texts{QString::number(row.drawNumber)};
    for (const GapMark mark : row.marks)
        texts.append(gapMarkText(mark));
    return texts;
}

QStringList gapLastRowTexts(const GapTable& table) {
    QStringList texts{QStringLiteral("空白")};
    for (int k = 0; k < kMaxNumber; ++k)
        texts.append(gapText(table.gaps.at(k), table.absentThroughout.at(k)));
    return texts;
}

QString gapNoteText(const GapTable& table) {
    const QString marked = QStringLiteral("空白が%1回以上（その確率が5 %未満）の数字に印: %2個。")
                               .arg(table.rareGap)
                               .arg(table.rareCount());
    if (table.expectedRare <= 0)
        return marked + QStringLiteral("この範囲では空白が%1回に届きません。").arg(table.rareGap);
    return marked + QStringLiteral("偶然だけでも、いつでも平均約%1個の数字がそうなります"
                                   "（37 × (30/37)^%2）。")
                        .arg(QString::number(table.expectedRare, 'f', 1))
                        .arg(table.rareGap);
}
