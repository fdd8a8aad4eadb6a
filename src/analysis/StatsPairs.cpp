#include "analysis/StatsPairs.h"

#include <algorithm>
#include <cmath>

namespace {

// Each pair once, in the upper triangle.
void countPairs(const DrawTable& table, int draws, PairsPage& page) {
    for (int i = 0; i < draws; ++i) {
        std::array<int, kMaxNumber> numbers{};
        int held = 0;
        forEachNumber(mainBits(table.at(i)), [&](int n) { numbers.at(held++) = n - 1; });
        for (int x = 0; x < held; ++x) {
            auto& row = page.counts.at(numbers.at(x));
            for (int y = x + 1; y < held; ++y)
                ++row.at(numbers.at(y));
        }
    }
    for (int a = 0; a < kMaxNumber; ++a)
        for (int b = a + 1; b < kMaxNumber; ++b)
            page.counts.at(b).at(a) = page.counts.at(a).at(b);
}

QVector<PairStats> allPairs(const PairsPage& page) {
    QVector<PairStats> pairs;
    pairs.reserve(kPairCount);
    for (int a = 1; a <= kMaxNumber; ++a)
        for (int b = a + 1; b <= kMaxNumber; ++b)
            pairs.append({a, b, page.count(a, b)});
    return pairs;
}

QString pairText(int a, int b) {
    return QStringLiteral("%1・%2").arg(a).arg(b);
}

} // namespace

double PairsPage::zScore(int a, int b) const {
    if (a == b || deviation <= 0)
        return 0;
    return (count(a, b) - expected) / deviation;
}

PairsPage pairsPage(const DrawTable& table, int draws) {
    PairsPage page;
    page.range = statsRange(table, draws);
    const int n = page.range.draws;
    countPairs(table, n, page);
    page.expected = n * kPairChance;
    page.deviation = std::sqrt(n * kPairChance * (1.0 - kPairChance));
    page.chance = binomialInterval(n, kPairChance);
    // Every pair has the same chance of falling outside.
    page.expectedOutside = kPairCount * binomialOutsideChance(n, kPairChance, page.chance);
    QVector<PairStats> pairs = allPairs(page);
    page.outside = static_cast<int>(std::count_if(pairs.cbegin(), pairs.cend(), [&](const auto& p) {
        return countVerdict(p.count, page.chance) != CountVerdict::Inside;
    }));
    // Stable: pairs are listed by their numbers, so ties keep that order.
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const PairStats& x, const PairStats& y) { return x.count > y.count; });
    page.top = pairs.mid(0, kTopPairs);
    return page;
}

QString pairsText(const PairsPage& page) {
    return QStringLiteral("%1組のうち95 %範囲の外は%2組（偶然なら約%3組）")
        .arg(kPairCount)
        .arg(page.outside)
        .arg(std::lround(page.expectedOutside));
}

QString pairToolTip(const PairsPage& page, int a, int b) {
    return QStringLiteral("%1: %2回（期待値 %3、95 %範囲 %4）")
        .arg(pairText(std::min(a, b), std::max(a, b)))
        .arg(page.count(a, b))
        .arg(QString::number(page.expected, 'f', 2), intervalText(page.chance));
}

QStringList topPairsHeaders() {
    return {QStringLiteral("ペア"), QStringLiteral("回数"), QStringLiteral("期待値"),
            QStringLiteral("95 %範囲")};
}

QStringList topPairRowTexts(const PairsPage& page, const PairStats& pair) {
    return {pairText(pair.first, pair.second), QString::number(pair.count),
            QString::number(page.expected, 'f', 2), intervalText(page.chance)};
}
