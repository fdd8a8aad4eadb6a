#pragma once

#include "analysis/Stats.h"

// The pairs page: how often two numbers were main numbers of the same draw,
// beside chance.

inline constexpr int kPairCount = kMaxNumber * (kMaxNumber - 1) / 2; // 666
// The chance that both numbers of a pair are among the main numbers of a
// draw: 7·6 / (37·36) = 42/1332.
inline constexpr double kPairChance =
    static_cast<double>(kPositions * (kPositions - 1)) / (kMaxNumber * (kMaxNumber - 1));
inline constexpr int kTopPairs = 10;

struct PairStats {
    int first = 0; // the smaller number
    int second = 0;
    int count = 0;
};

struct PairsPage {
    StatsRange range;
    // counts[a-1][b-1], the same both ways round; 0 on the diagonal.
    std::array<std::array<int, kMaxNumber>, kMaxNumber> counts{};
    double expected = 0;        // each pair's count by chance: draws x 42/1332
    double deviation = 0;       // its standard deviation
    CountInterval chance;       // each pair's 95 % range
    QVector<PairStats> top;     // the most frequent first; ties by the smaller numbers
    int outside = 0;            // pairs outside their 95 % range
    double expectedOutside = 0; // how many chance alone puts there

    int count(int a, int b) const { return counts.at(a - 1).at(b - 1); }
    // The distance of the count from the expectation in standard deviations;
    // 0 on the diagonal.
    double zScore(int a, int b) const;
};
PairsPage pairsPage(const DrawTable& table, int draws);

// "666組のうち95 %範囲の外は29組（偶然なら約25組）".
QString pairsText(const PairsPage& page);
// A cell's tooltip: the pair, its count, the expectation and the range.
QString pairToolTip(const PairsPage& page, int a, int b);

// The columns of the grid of the most frequent pairs, in order.
enum class TopPairsColumn { Pair, Draws, Expected, Range, Count };
inline constexpr int kTopPairsColumns = static_cast<int>(TopPairsColumn::Count);
QStringList topPairsHeaders();
QStringList topPairRowTexts(const PairsPage& page, const PairStats& pair);
