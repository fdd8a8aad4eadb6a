#pragma once

#include "analysis/WheelCover.h"
#include "common/ComType.h"

#include <QString>
#include <QVector>

#include <array>
#include <optional>

// Wheels: lines of seven numbers out of a pool of favourite numbers, with a
// promise "if at least `ifCount` of the 7 drawn main numbers are in the pool,
// at least one line matches `match` of them", proved by trying every such
// case before the lines are shown.

inline constexpr int kWheelMinPool = 8;
inline constexpr int kWheelMaxPool = 20;
// Three main numbers win only with a bonus number, so no promise of 3.
inline constexpr int kWheelMinMatch = 4;
inline constexpr int kWheelMaxMatch = 6;
inline constexpr int kWheelMaxLines = 1000;

// The pool as typed: numbers read as every typed list is
// (common/NumberList.h), each 1..37, none twice, 8 to 20 of them.
struct WheelPool {
    QVector<int> numbers; // ascending; empty when refused
    QString refusal;      // why the text is no pool; empty when it is one
    bool accepted() const { return refusal.isEmpty(); }
};
WheelPool readWheelPool(const QString& text);

struct WheelPromise {
    int match = kWheelMinMatch;
    int ifCount = 5;
    // match 4..6 and ifCount from match to 7.
    bool valid() const;
};

// "本数字がプールに5個以上あれば、少なくとも1口が4個一致".
QString wheelPromiseText(const WheelPromise& promise);

using WheelLine = std::array<int, kPositions>;

struct Wheel {
    QVector<int> pool; // ascending
    WheelPromise promise;
    QVector<WheelLine> lines; // each ascending; the lines in ascending order
    qint64 casesChecked = 0;  // the sets of promise.ifCount pool numbers, each kept
};

// The lines for the pool and promise (coverCases), each set of
// promise.ifCount pool numbers then tried against them (casesNotKept), so
// that a wheel returned always keeps its promise. Throws TAppError for a pool
// or promise out of range, for more than kWheelMaxLines lines (naming how far
// the search got) and for a promise the check finds broken. Nothing when
// `progress` stops it; its steps count the cases of every greedy run and of
// the check.
std::optional<Wheel> buildWheel(const QVector<int>& pool, const WheelPromise& promise,
                                const WheelProgress& progress = {});
