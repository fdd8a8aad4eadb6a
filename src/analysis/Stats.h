#pragma once

#include "analysis/Probability.h"
#include "data/DrawTable.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <bit>

// Statistics of the latest draws, each figure beside what chance alone gives:
// how often each number came, how long it has been away, and the gaps of the
// latest draws at a glance. The pairs and the shapes are in StatsPairs.h and
// StatsShapes.h; StatsPages.h computes every page at once.
//
// "The latest N draws" are the table's indices 0..N-1 (index 0 the newest).
// Every "95 % range" is the central binomial range of binomialInterval.

// Fewer draws than this say too little to be shown.
inline constexpr int kMinStatsDraws = 10;
// The chance that a number is among the main numbers of a draw, and that it
// is not.
inline constexpr double kNumberChance = static_cast<double>(kPositions) / kMaxNumber;
inline constexpr double kAbsentChance = 1.0 - kNumberChance;
// An absence at least this unlikely is marked.
inline constexpr double kRareGapChance = 0.05;
// The draws of the gap table.
inline constexpr int kGapTableDraws = 20;

// The draws covered.
struct StatsRange {
    int draws = 0;
    int firstDraw = 0; // draw number of the oldest
    int lastDraw = 0;  // draw number of the newest
};
// The latest `draws` of the table, at least kMinStatsDraws and at most all
// (all when the table holds fewer).
StatsRange statsRange(const DrawTable& table, int draws);
// "第1回～第689回の689回".
QString statsRangeText(const StatsRange& range);
// Why the statistics cannot be shown for this table; empty when they can.
QString statsUnavailableText(const DrawTable& table);
// The sentence shown beside every page.
QString statsReminderText();

// The numbers of a draw as bits, bit n-1 for number n; a number outside
// 1..37 is left out and one given twice counts once.
using NumberBits = quint64;
NumberBits mainBits(const DrawResult& draw);
NumberBits bonusBits(const DrawResult& draw);
// Calls f(number) for each number of the bits, the smallest first.
template <typename F> void forEachNumber(NumberBits bits, F&& f) {
    for (; bits != 0; bits &= bits - 1)
        f(std::countr_zero(bits) + 1);
}

// Where a count lies against its 95 % range.
enum class CountVerdict { Inside, More, Fewer };
CountVerdict countVerdict(int count, CountInterval range);
// "多い", "少ない", empty inside the range.
QString countVerdictText(CountVerdict verdict);

// The texts the pages share.
QString intervalText(CountInterval range); // "110～151"
QString shareText(double share);           // 0.1234 -> "12.34 %"; small shares to two digits
QString pValueText(double p);              // "p = 0.70", "p = 0.004", "p < 0.001"

// One number over the range.
struct NumberStats {
    int number = 0;
    int mainCount = 0;
    int bonusCount = 0;
    CountVerdict verdict = CountVerdict::Inside;
    // Draws since it was last a main number, 0 when in the newest draw. A
    // number never a main number in the range has the whole range as its gap
    // (the real one is at least that): absentThroughout.
    int gap = 0;
    bool absentThroughout = false;
    // The longest run of draws without it, the runs before its first and
    // after its last appearance included.
    int longestGap = 0;
    // The chance of an absence at least as long as gap, (30/37)^gap.
    double gapChance = 1.0;
};

// How evenly the main numbers fall over the 37 numbers.
struct UniformityTest {
    double q = 0;
    int degrees = kMaxNumber - 1;
    double p = 1.0;
};
UniformityTest uniformityTest(const std::array<int, kMaxNumber>& mainCounts, int draws);
// One sentence: within chance, or a spread chance hardly explains (p < 0.05).
QString uniformityText(const UniformityTest& test);

// The numbers page.
struct NumbersPage {
    StatsRange range;
    double expected = 0;                        // each number's main count by chance: draws x 7/37
    CountInterval chance;                       // each number's 95 % range
    std::array<NumberStats, kMaxNumber> rows{}; // number 1 first
    UniformityTest uniformity;
};
NumbersPage numbersPage(const DrawTable& table, int draws);

// The columns of the numbers grid, in order.
enum class NumbersColumn {
    Number,
    Main,
    Bonus,
    Expected,
    Range,
    Verdict,
    Gap,
    LongestGap,
    GapChance,
    Count
};
inline constexpr int kNumbersColumns = static_cast<int>(NumbersColumn::Count);
QStringList numbersHeaders();
QStringList numberRowTexts(const NumbersPage& page, const NumberStats& row);
// What a column sorts by (the rows share expectation and range: those sort
// by number).
double numberSortValue(const NumberStats& row, NumbersColumn column);

// The gap table: the latest draws (at most kGapTableDraws, newest first) by
// the numbers 1..37.
enum class GapMark { None, Main, Bonus };
struct GapTableRow {
    int drawNumber = 0;
    std::array<GapMark, kMaxNumber> marks{};
};
struct GapTable {
    StatsRange range;
    QVector<GapTableRow> rows;
    std::array<int, kMaxNumber> gaps{};
    std::array<bool, kMaxNumber> absentThroughout{};
    // The numbers whose current gap has a chance under kRareGapChance.
    std::array<bool, kMaxNumber> rare{};
    int rareGap = 0;         // the shortest such gap
    double expectedRare = 0; // how many numbers chance alone leaves that long away at any time
    int rareCount() const;
};
GapTable gapTable(const DrawTable& table, int draws);
// The shortest gap whose chance (30/37)^gap is under kRareGapChance.
int rareGapThreshold();
QString gapMarkText(GapMark mark); // "●", "○", empty
QStringList gapTableHeaders();     // "開催回", "1".."37"
QStringList gapRowTexts(const GapTableRow& row);
QStringList gapLastRowTexts(const GapTable& table); // "空白", then each number's gap
QString gapNoteText(const GapTable& table);
