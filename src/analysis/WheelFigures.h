#pragma once

#include "analysis/Wheel.h"

#include <QByteArray>
#include <QStringList>
#include <QVector>

#include <array>
#include <optional>

// What a wheel gives and what it costs, counted exactly over every case, and
// the texts and files the wheel is shown and saved in.

// The lines of all kAllLines that match at least 4 of the 7 drawn main
// numbers (tiers 1 to 5).
inline constexpr qint64 kLinesMatchingFour = 151'446;

// The least matches of the cover table's columns: at least 4, 5, 6 and all 7.
inline constexpr std::array<int, 4> kWheelTierMatches{4, 5, 6, 7};

// The chance that `inPool` of the 7 drawn main numbers are among `poolSize`
// numbers: C(poolSize, inPool) * C(37 - poolSize, 7 - inPool) / C(37, 7).
double poolDrawChance(int poolSize, int inPool);

struct WheelCoverRow {
    int inPool = 0;    // drawn main numbers among the pool, 0..7
    double chance = 0; // poolDrawChance
    qint64 cases = 0;  // the sets of inPool pool numbers
    // Of those cases, in how many the best line matches at least each of
    // kWheelTierMatches.
    std::array<qint64, kWheelTierMatches.size()> atLeast{};
    double share(std::size_t tier) const;
};

// One row for each count 0..7 of drawn main numbers in the pool, every case
// tried against every line. Nothing when `progress` stops it.
std::optional<QVector<WheelCoverRow>> wheelCoverTable(const Wheel& wheel,
                                                      const WheelProgress& progress = {});

// The cover table's column titles and the texts of a row in them; a column
// the count cannot reach (5 matches of 4 drawn numbers) shows "—".
QStringList wheelCoverHeaders();
QStringList wheelCoverRowTexts(const WheelCoverRow& row);

// The wheel beside as many lines drawn at random and independently.
struct WheelVersus {
    int lines = 0;
    double wheelChance = 0;   // at least one line matches 4 or more main numbers
    double randomChance = 0;  // the same for the random lines: 1 - (1 - p4)^lines
    double expectedLines = 0; // lines matching 4 or more expected: lines * p4, for both
};
WheelVersus wheelVersus(const Wheel& wheel, const QVector<WheelCoverRow>& table);

// "27口（¥8,100）：本数字がプールに5個以上あれば、少なくとも1口が4個一致 —
// 全1,287通りで確認済み".
QString wheelSummaryText(const Wheel& wheel);
// The two chances, the expectation and what the wheel does and does not do,
// on a few lines.
QString wheelVersusText(const WheelVersus& versus);

// The lines as rows of seven two-digit numbers.
QVector<QStringList> wheelLineRows(const Wheel& wheel);
// The rows as a CSV file (common/CsvFile.h), no header: each row reads back as
// a ticket line.
QByteArray wheelCsv(const Wheel& wheel);

// A number of lines no wheel for the pool size and promise can go below.
// For a promise of as many matches as pool numbers (a covering) it is
// Schönheim's bound; otherwise the larger of two counts: all cases over the
// cases one line keeps, and the same count made per number (the lines through
// a number against the cases holding it), rounded up at each step.
int wheelLowerBound(int poolSize, const WheelPromise& promise);
