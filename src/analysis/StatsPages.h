#pragma once

#include "analysis/Stats.h"
#include "analysis/StatsPairs.h"
#include "analysis/StatsShapes.h"

// Every page of the statistics over the latest draws, computed at once when
// the number of draws changes.
struct StatsPages {
    StatsRange range;
    NumbersPage numbers;
    PairsPage pairs;
    std::array<ShapePage, kShapeCount> shapes; // by Shape
    GapTable gaps;
};
StatsPages statsPages(const DrawTable& table, int draws);
