#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The combinatorics behind a wheel, over the positions 0..poolSize-1 of a
// pool of numbers: a line is a set of 7 positions, a case is a set of
// `ifCount` positions (the drawn main numbers that fell into the pool), and a
// line keeps a case when the two share at least `match` positions. Sets are
// bitmasks, bit i standing for position i.

using PoolMask = std::uint32_t;

// Up to this many positions: every line and case indexes a table of 2^size.
inline constexpr int kMaxCoverPool = 20;

struct CoverTask {
    int poolSize = 0;
    int match = 0;
    int ifCount = 0;
    // The functions below take 7 < poolSize <= 20 and 2 <= match <= ifCount
    // <= 7 only (from two matches on, the cases one line keeps fit the 16 bits
    // of a count).
};

// Reports how many of `total` steps are done; returning false stops the work.
using WheelProgress = std::function<bool(int done, int total)>;

// C(n, k): how many sets of k out of n; 0 when k is outside 0..n.
std::int64_t binomial(int n, int k);

// Every set of `size` of the positions 0..poolSize-1, in ascending order of
// the masks.
std::vector<PoolMask> subsetsOfSize(int poolSize, int size);

// How many cases one line keeps: the sum over j >= match of
// C(7, j) * C(poolSize - 7, ifCount - j).
std::int64_t casesKeptByLine(const CoverTask& task);
// How many lines keep one case: the sum over j >= match of
// C(ifCount, j) * C(poolSize - ifCount, 7 - j).
std::int64_t linesKeepingCase(const CoverTask& task);

struct CoverOutcome {
    // Every case kept by one of the lines, or, when more than the cap would be
    // needed, the lines chosen before the search gave up.
    std::vector<PoolMask> lines;
    std::int64_t casesLeft = 0; // cases none of the lines keeps
    bool complete() const { return casesLeft == 0; }
};

// Lines that keep every case, from greedy covers (each line the one keeping
// the most cases not yet kept) with as many ways of breaking ties as the work
// allows, each followed by leaving out every line the others make needless;
// the fewest lines found. The same task always gives the same lines. A search
// that passes `lineCap` by a quarter gives up (far more than the pruning
// saves). Nothing when `progress` stops it.
std::optional<CoverOutcome> coverCases(const CoverTask& task, int lineCap,
                                       const WheelProgress& progress = {});

// How many greedy covers coverCases runs for the task (its progress counts
// cases kept, up to this many times the number of cases).
int coverRuns(const CoverTask& task);

// How many cases none of the lines keeps, each case tried against the lines
// one by one. Nothing when `progress` stops it.
std::optional<std::int64_t> casesNotKept(const std::vector<PoolMask>& lines, const CoverTask& task,
                                         const WheelProgress& progress = {});
