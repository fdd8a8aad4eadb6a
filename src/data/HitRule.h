#pragma once

#include "data/DrawTable.h"

#include <QStringView>
#include <QtGlobal>

#include <array>

// The one hit rule of the game: how many numbers of a line a draw hit, and
// the prize tier that pays. The matching tab, the ledger, the back-test and
// every other count of wins go through it.

// How many numbers of a line are among a draw's main and bonus numbers.
struct HitCount {
    int main = 0;
    int bonus = 0;
};

// The number a line's cell stands for when compared with the drawn numbers,
// which are compared as their two-digit texts ("07"): 1..37 for "01".."37",
// 0 for every other text ("7", " 07", "38", "").
int numberOfCellText(QStringView text);

// A set of numbers as bits: bit n stands for number n (1..37); numbers
// outside 1..37 are left out.
using NumberMask = quint64;
template <typename Number, std::size_t N>
NumberMask numberMask(const std::array<Number, N>& numbers) {
    NumberMask mask = 0;
    for (const int n : numbers)
        if (n >= 1 && n <= kMaxNumber) // the loader admits no other numbers
            mask |= NumberMask(1) << n;
    return mask;
}

// The hits of a line given as its numbers' bits.
HitCount hitsOfMask(NumberMask line, const DrawResult& draw);

// The hits of a line of numbers 1..37 on a draw. Each distinct number counts
// once, so a line that repeats a number never counts it twice; numbers outside
// 1..37 find no hit.
HitCount hitsOf(const std::array<int, kPositions>& line, const DrawResult& draw);

// The prize tier of a hit count: 1 to 6, or 0 for no prize.
int prizeTier(HitCount hits);
