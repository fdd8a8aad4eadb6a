#pragma once

#include "common/ComType.h"
#include "data/DrawTable.h"

#include <QStringList>

#include <array>

// What the trend charts show: for each number 1 to 37, how often it was drawn.

// The 37 values of a chart; index n - 1 holds the value of number n.
using NumberCounts = std::array<int, kMaxNumber>;

// The chart kinds, in list order: six bar kinds (the 10, 20, 30, 40, 50 newest
// draws, all draws), then seven line kinds (basic numbers ① to ⑦).
inline constexpr int kChartKindCount = 13;
inline constexpr int kBarKindCount = 6;
QStringList chartKindCaptions();
bool isBarKind(int kind);

// The draws a bar kind counts: 10 × (kind + 1) for kinds 0 to 4, all of them
// for kind 5, never more than the table holds.
int drawsCounted(int kind, int drawCount);

// How often each number was drawn as a main number in the `newest` newest
// draws (table entries 0 to newest - 1). Bonus numbers are not counted.
NumberCounts drawnCounts(const DrawTable& table, int newest);

// How often each number was the basic number at this position (1..7).
NumberCounts positionLine(const PositionCounts& counts, int position);

// The values of a chart kind; all zero for a kind outside the list.
NumberCounts chartValues(int kind, const DrawTable& table, const PositionCounts& counts);
