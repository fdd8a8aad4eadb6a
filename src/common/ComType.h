#pragma once

#include "common/Chars.h"

#include <QString>
#include <QtGlobal>
#include <array>

// Numbers of the game: a line is 7 distinct numbers out of 1..37, a draw adds
// 2 bonus numbers, a line costs 300 yen.
inline constexpr int kMaxNumber = 37;
inline constexpr int kPositions = 7;
inline constexpr int kBonusCount = 2;
inline constexpr int kLinePrice = 300;
// A draw pays six prize tiers.
inline constexpr int kPrizeTiers = 6;
// All lines of seven of the numbers 1..37, and how many of them win each tier.
inline constexpr qint64 kAllLines = 10'295'472;
inline constexpr std::array<qint64, kPrizeTiers> kTierLines{1, 14, 196, 9'135, 142'100, 242'550};
// Draw numbers beyond five digits are refused: the history view shows five
// digits, and the next draw number must still fit an int.
inline constexpr int kMaxDrawNumber = 99'999;

// The draw number a text is the plain decimal of: digits only (no sign,
// blank or leading zero), from 1 to kMaxDrawNumber; 0 for any other text.
// How a draw number is read from a file name, a saved line or a cell.
constexpr int plainDrawNumber(QStringView text) noexcept {
    if (text.isEmpty() || text.size() > 5 || text.front() == u'0')
        return 0;
    const qint64 number = asciiNumber(text).value_or(0);
    return number <= kMaxDrawNumber ? static_cast<int>(number) : 0;
}

// Prediction options, kept between runs in the settings store.
struct TSettings {
    int AutoNum = 10;
    int RangeNum = 1;
    int OptionIndex = 3;
    QString DeleteNum;

    bool operator==(const TSettings&) const = default;
};

// The program's version: four numbers and the dotted text they came from.
struct TVersion {
    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Build = 0;
    QString Text;
};

// A set of the numbers 1..37, as flags: index n-1 stands for number n (the
// numbers excluded from generation, the numbers of a line being drawn).
using NumberSet = std::array<bool, kMaxNumber>;
