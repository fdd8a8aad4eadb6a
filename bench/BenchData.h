#pragma once

#include "data/DrawTable.h"

// The most draws a valid draw-result file holds (draw numbers end at 99,999):
// the size the benchmarks work at.
inline constexpr int kBenchDraws = 99'999;

// The sample draws of kBenchDraws draws, read once and shared by every
// benchmark that only reads them.
const DrawTable& benchDrawTable();
