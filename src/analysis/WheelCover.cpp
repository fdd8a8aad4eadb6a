#include "analysis/WheelCover.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr int kLineSize = 7;

// Greedy covers are run, each with its own way of breaking ties, while their
// estimated work (one step per line whose count falls) stays within this.
constexpr std::int64_t kWorkBudget = 100'000'000;
constexpr int kMostRuns = 16;
constexpr int kCheckStride = 1024; // cases checked between two progress reports

// Every set of `size` of the first `count` positions in `bits`, each as a
// mask joined to `taken`; the later positions are chosen first.
void collectSubsets(const std::array<int, 32>& bits, int count, int size, PoolMask taken,
                    std::vector<PoolMask>& out) {
    if (size == 0) {
        out.push_back(taken);
        return;
    }
    for (int i = size - 1; i < count; ++i)
        collectSubsets(bits, i, size - 1, taken | (PoolMask{1} << bits[i]), out);
}

// The sets of a given size that share at least `match` positions with a given
// set: a part of at least `match` of its positions joined to a part of the
// positions outside it. The outside parts are gathered once per set.
class Meetings {
public:
    Meetings(int poolSize, int match) : m_full((PoolMask{1} << poolSize) - 1), m_match(match) {}

    template <class Fn> void forEach(PoolMask set, int size, Fn&& fn) {
        gatherOutside(m_full & ~set, size - m_match);
        for (PoolMask part = set; part != 0; part = (part - 1) & set) {
            const int shared = std::popcount(part);
            if (shared < m_match || shared > size)
                continue;
            for (const PoolMask outside : m_outside[static_cast<std::size_t>(size - shared)])
                fn(part | outside);
        }
    }

private:
    void gatherOutside(PoolMask rest, int largest) {
        std::array<int, 32> bits{};
        int count = 0;
        for (PoolMask left = rest; left != 0; left &= left - 1)
            bits[static_cast<std::size_t>(count++)] = std::countr_zero(left);
        for (int size = 0; size <= largest; ++size) {
            auto& out = m_outside[static_cast<std::size_t>(size)];
            out.clear();
            collectSubsets(bits, count, size, 0, out);
        }
    }

    PoolMask m_full;
    int m_match;
    std::array<std::vector<PoolMask>, kLineSize + 1> m_outside;
};

enum class TieBreak { Smallest, Scrambled };

struct RunStyle {
    TieBreak tie = TieBreak::Smallest;
    std::uint32_t seed = 0;
    bool pruneNewestFirst = false;
};

// The first run is the plain greedy (ties to the lowest line), so the result
// is never worse than it; the others break ties in scattered orders, which
// now and then lands a few lines lower.
RunStyle runStyle(int run) {
    if (run == 0)
        return {};
    return {TieBreak::Scrambled, static_cast<std::uint32_t>(run) * 0x9e3779b9U, run % 2 == 0};
}

// A fixed mixing of the bits (a 32-bit finaliser): ties broken by it fall
// anywhere, yet the same on every run.
std::uint32_t scrambled(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Progress across the runs and the steps within them.
class Tick {
public:
    Tick(const WheelProgress& progress, int total) : m_progress(progress), m_total(total) {}
    bool advance(int steps) {
        m_done += steps;
        return !m_progress || m_progress(std::min(m_done, m_total), m_total);
    }

private:
    const WheelProgress& m_progress;
    int m_total;
    int m_done = 0;
};

} // namespace

std::int64_t binomial(int n, int k) {
    if (k < 0 || k > n)
        return 0;
    std::int64_t value = 1;
    for (int i = 1; i <= k; ++i)
        value = value * (n - k + i) / i;
    return value;
}

std::vector<PoolMask> subsetsOfSize(int poolSize, int size) {
    std::array<int, 32> bits{};
    for (int i = 0; i < poolSize; ++i)
        bits[static_cast<std::size_t>(i)] = i;
    std::vector<PoolMask> out;
    out.reserve(static_cast<std::size_t>(binomial(poolSize, size)));
    collectSubsets(bits, poolSize, size, 0, out);
    std::sort(out.begin(), out.end());
    return out;
}

std::int64_t casesKeptByLine(const CoverTask& task) {
    std::int64_t count = 0;
    for (int shared = task.match; shared <= task.ifCount; ++shared)
        count += binomial(kLineSize, shared) *
                 binomial(task.poolSize - kLineSize, task.ifCount - shared);
    return count;
}

std::int64_t linesKeepingCase(const CoverTask& task) {
    std::int64_t count = 0;
    for (int shared = task.match; shared <= task.ifCount; ++shared)
        count += binomial(task.ifCount, shared) *
                 binomial(task.poolSize - task.ifCount, kLineSize - shared);
    return count;
}

int coverRuns(const CoverTask& task) {
    const std::int64_t work = binomial(task.poolSize, task.ifCount) * linesKeepingCase(task);
    return static_cast<int>(
        std::clamp<std::int64_t>(kWorkBudget / std::max<std::int64_t>(work, 1), 1, kMostRuns));
}

namespace {

// One greedy cover at a time over the task: each line's count of the cases it
// would newly keep, lowered as cases are kept, and the lines in buckets by
// that count, looked at from the highest bucket down. A line found in a bucket
// above its count moves down when it is looked at.
class GreedyCover {
public:
    explicit GreedyCover(const CoverTask& task)
        : m_task(task), m_lines(subsetsOfSize(task.poolSize, kLineSize)),
          m_cases(subsetsOfSize(task.poolSize, task.ifCount)),
          m_keptByLine(static_cast<int>(casesKeptByLine(task))),
          m_gain(std::size_t{1} << task.poolSize), m_open(std::size_t{1} << task.poolSize),
          m_lineCases(task.poolSize, task.match), m_caseLines(task.poolSize, task.match),
          m_buckets(static_cast<std::size_t>(m_keptByLine) + 1) {}

    // The lines of one cover, needless ones left out, or the first `pickCap`
    // lines of one that needs more; nothing when stopped.
    std::optional<CoverOutcome> run(const RunStyle& style, std::size_t pickCap, Tick& tick) {
        reset();
        CoverOutcome outcome;
        outcome.casesLeft = static_cast<std::int64_t>(m_cases.size());
        while (outcome.casesLeft > 0 && outcome.lines.size() < pickCap) {
            const PoolMask line = takeBest(style);
            outcome.lines.push_back(line);
            const int kept = keep(line);
            outcome.casesLeft -= kept;
            if (!tick.advance(kept))
                return std::nullopt;
        }
        if (outcome.complete())
            prune(outcome.lines, style.pruneNewestFirst);
        return outcome;
    }

private:
    void reset() {
        for (const PoolMask line : m_lines)
            m_gain[line] = static_cast<std::uint16_t>(m_keptByLine);
        for (const PoolMask c : m_cases)
            m_open[c] = 1;
        for (auto& bucket : m_buckets)
            bucket.clear();
        m_buckets.back() = m_lines;
        m_top = m_keptByLine;
    }

    static std::uint32_t tieKey(PoolMask line, const RunStyle& style) {
        return style.tie == TieBreak::Scrambled ? scrambled(line ^ style.seed) : 0;
    }

    // A line of the highest count, the lowest key among them, then the lowest
    // mask; taken out of its bucket.
    PoolMask takeBest(const RunStyle& style) {
        for (;; --m_top) {
            auto& bucket = m_buckets[static_cast<std::size_t>(m_top)];
            std::size_t best = bucket.size();
            std::uint64_t bestKey = ~std::uint64_t{0};
            for (std::size_t i = 0; i < bucket.size();) {
                const PoolMask line = bucket[i];
                const int gain = m_gain[line];
                if (gain != m_top) {
                    if (gain > 0)
                        m_buckets[static_cast<std::size_t>(gain)].push_back(line);
                    bucket[i] = bucket.back();
                    bucket.pop_back();
                    continue;
                }
                const std::uint64_t key = (std::uint64_t{tieKey(line, style)} << 32) | line;
                if (key < bestKey) {
                    bestKey = key;
                    best = i;
                }
                ++i;
            }
            if (best < bucket.size()) {
                const PoolMask line = bucket[best];
                bucket[best] = bucket.back();
                bucket.pop_back();
                return line;
            }
        }
    }

    // Marks the cases the line keeps; every line keeping one of those that
    // were open counts one case less. How many were open.
    int keep(PoolMask line) {
        int newly = 0;
        m_lineCases.forEach(line, m_task.ifCount, [this, &newly](PoolMask c) {
            std::uint8_t& open = m_open[c];
            if (open == 0)
                return;
            open = 0;
            ++newly;
            m_caseLines.forEach(c, kLineSize, [this](PoolMask other) { --m_gain[other]; });
        });
        return newly;
    }

    // Leaves out, one by one, each line whose every case another line keeps.
    void prune(std::vector<PoolMask>& lines, bool newestFirst) {
        // How many of the lines keep each case.
        std::vector<std::uint16_t> keeping(std::size_t{1} << m_task.poolSize);
        const auto forCases = [this, &keeping](PoolMask line, auto&& fn) {
            m_lineCases.forEach(line, m_task.ifCount,
                                [&keeping, &fn](PoolMask c) { fn(keeping[c]); });
        };
        for (const PoolMask line : lines)
            forCases(line, [](std::uint16_t& count) { ++count; });
        if (newestFirst)
            std::reverse(lines.begin(), lines.end());
        std::vector<PoolMask> needed;
        for (const PoolMask line : lines) {
            bool alone = false;
            forCases(line, [&alone](std::uint16_t count) { alone = alone || count == 1; });
            if (alone)
                needed.push_back(line);
            else
                forCases(line, [](std::uint16_t& count) { --count; });
        }
        lines = std::move(needed);
    }

    CoverTask m_task;
    std::vector<PoolMask> m_lines;
    std::vector<PoolMask> m_cases;
    int m_keptByLine;
    // Indexed by the masks themselves: a dense numbering of the sets costs
    // more in the innermost loop than the larger table does.
    std::vector<std::uint16_t> m_gain; // by line
    std::vector<std::uint8_t> m_open;  // by case
    Meetings m_lineCases;
    Meetings m_caseLines;
    std::vector<std::vector<PoolMask>> m_buckets;
    int m_top = 0;
};

} // namespace

std::optional<CoverOutcome> coverCases(const CoverTask& task, int lineCap,
                                       const WheelProgress& progress) {
    GreedyCover greedy(task);
    const int runs = coverRuns(task);
    Tick tick(progress, runs * static_cast<int>(binomial(task.poolSize, task.ifCount)));
    // Room for the lines the pruning leaves out: seen up to a twelfth.
    const auto pickCap = static_cast<std::size_t>(lineCap) + static_cast<std::size_t>(lineCap) / 4;
    std::optional<CoverOutcome> best;
    for (int i = 0; i < runs; ++i) {
        std::optional<CoverOutcome> outcome = greedy.run(runStyle(i), pickCap, tick);
        if (!outcome)
            return std::nullopt;
        if (!outcome->complete())
            return outcome;
        if (!best || outcome->lines.size() < best->lines.size())
            best = std::move(outcome);
    }
    return best;
}

std::optional<std::int64_t> casesNotKept(const std::vector<PoolMask>& lines, const CoverTask& task,
                                         const WheelProgress& progress) {
    const std::vector<PoolMask> cases = subsetsOfSize(task.poolSize, task.ifCount);
    Tick tick(progress, static_cast<int>(cases.size()));
    std::int64_t missed = 0;
    std::size_t last = 0; // the line that kept the case before: often keeps this one too
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const PoolMask c = cases[i];
        const auto keeps = [c, &task](PoolMask line) {
            return std::popcount(line & c) >= task.match;
        };
        if (last >= lines.size() || !keeps(lines[last])) {
            const auto found = std::find_if(lines.begin(), lines.end(), keeps);
            if (found == lines.end())
                ++missed;
            else
                last = static_cast<std::size_t>(found - lines.begin());
        }
        if ((i + 1) % kCheckStride == 0 && !tick.advance(kCheckStride))
            return std::nullopt;
    }
    tick.advance(static_cast<int>(cases.size() % kCheckStride)); // the work is done: no stop
    return missed;
}
