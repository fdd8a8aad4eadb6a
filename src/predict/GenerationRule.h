#pragma once

#include "common/ComType.h"
#include "data/DrawTable.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// The four generation modes, in the order of the radio buttons; the value is
// the stored option index.
enum class GenerationMode { Manual = 0, Random = 1, Exclusion = 2, PositionThreshold = 3 };

// The mode of a stored option index; any value outside 0..2 is the
// position-threshold mode.
GenerationMode modeFromIndex(int optionIndex);

// Whether the mode generates lines: every mode but choosing them by hand.
constexpr bool generatesLines(GenerationMode mode) {
    return mode != GenerationMode::Manual;
}

// The program's random numbers: a 32-bit linear congruential generator. Each
// draw advances the seed (seed * 134775813 + 1, modulo 2^32) and scales it to
// 1..37 with the high half of seed * 37.
class LotoRandom {
public:
    explicit LotoRandom(quint32 seed = 0) : m_seed(seed) {}
    void setSeed(quint32 seed) { m_seed = seed; }
    quint32 seed() const { return m_seed; }

    int nextNumber() {
        m_seed = m_seed * 134775813U + 1U;
        return static_cast<int>((static_cast<quint64>(m_seed) * kMaxNumber) >> 32) + 1;
    }

private:
    quint32 m_seed;
};

// Which numbers a mode lets into a line. `accepted` is how many numbers the
// line holds already, so the next one is checked against basic number
// accepted + 1 in the position-threshold mode. The counts are read, not copied.
class GenerationRule {
public:
    GenerationRule(GenerationMode mode, int threshold, const PositionCounts& counts,
                   const NumberSet& excluded)
        : m_mode(mode), m_threshold(threshold), m_counts(counts), m_excluded(excluded) {}

    GenerationMode mode() const { return m_mode; }
    int threshold() const { return m_threshold; }

    bool accepts(int number, int accepted, const NumberSet& line) const {
        if (number < 1 || number > kMaxNumber || line[number - 1])
            return false;
        if (m_mode == GenerationMode::PositionThreshold)
            return m_counts.at(accepted + 1, number) >= m_threshold;
        if (m_mode == GenerationMode::Exclusion)
            return !m_excluded[number - 1];
        return true;
    }

    // Whether any number outside the line passes: without one, drawing would
    // never end.
    bool hasCandidate(int accepted, const NumberSet& line) const;

    // Draws until a number passes, every attempt costing one draw. No number
    // when none can pass; then nothing is drawn.
    std::optional<int> draw(LotoRandom& random, int accepted, const NumberSet& line) const;

private:
    GenerationMode m_mode;
    int m_threshold;
    const PositionCounts& m_counts;
    NumberSet m_excluded;
};

// A whole line by the rule alone, in ascending order; no line when a step
// finds no candidate, and then `stuckAt`, when given, holds the basic number
// (1..7) of that step. Also the reference that tests and benchmarks compare
// the generation run (TAutoGeneration) with.
std::optional<std::array<int, kPositions>>
generateLine(LotoRandom& random, const GenerationRule& rule, int* stuckAt = nullptr);

// What ends a run whose step at basic number `position` (1..7) finds no number
// drawn `threshold` times or more there: the one text of that stop.
QString stuckRunText(int position, int threshold);

// The numbers drawn at least `threshold` times as basic number `position`
// (1..7): what the range view marks.
NumberSet numbersAtOrAbove(const PositionCounts& counts, int position, int threshold);

// Whether every basic number has some number drawn at least `threshold` times
// there: the check of a new threshold.
bool everyPositionReaches(const PositionCounts& counts, int threshold);
