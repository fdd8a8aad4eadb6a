#include "predict/GenerationRule.h"

#include <algorithm>

GenerationMode modeFromIndex(int optionIndex) {
    switch (optionIndex) {
    case 0:
        return GenerationMode::Manual;
    case 1:
        return GenerationMode::Random;
    case 2:
        return GenerationMode::Exclusion;
    default:
        return GenerationMode::PositionThreshold;
    }
}

bool GenerationRule::hasCandidate(int accepted, const NumberSet& line) const {
    for (int n = 1; n <= kMaxNumber; ++n)
        if (accepts(n, accepted, line))
            return true;
    return false;
}

std::optional<int> GenerationRule::draw(LotoRandom& random, int accepted,
                                        const NumberSet& line) const {
    if (!hasCandidate(accepted, line))
        return std::nullopt;
    for (;;) {
        const int n = random.nextNumber();
        if (accepts(n, accepted, line))
            return n;
    }
}

std::optional<std::array<int, kPositions>> generateLine(LotoRandom& random,
                                                        const GenerationRule& rule, int* stuckAt) {
    NumberSet line{};
    std::array<int, kPositions> numbers{};
    for (int k = 0; k < kPositions; ++k) {
        const std::optional<int> n = rule.draw(random, k, line);
        if (!n) {
            if (stuckAt)
                *stuckAt = k + 1;
            return std::nullopt;
        }
        line[*n - 1] = true;
        numbers[k] = *n;
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

QString stuckRunText(int position, int threshold) {
    return QStringLiteral("基本数字%1に、過去の抽選回数が%2回以上の数字が"
                          "残っていません。抽選回数を小さくしてください。")
        .arg(QChar(0x2460 + position - 1))
        .arg(threshold);
}

NumberSet numbersAtOrAbove(const PositionCounts& counts, int position, int threshold) {
    NumberSet marked{};
    for (int n = 1; n <= kMaxNumber; ++n)
        marked[n - 1] = counts.at(position, n) >= threshold;
    return marked;
}

bool everyPositionReaches(const PositionCounts& counts, int threshold) {
    for (int position = 1; position <= kPositions; ++position) {
        bool found = false;
        for (int n = 1; n <= kMaxNumber && !found; ++n)
            found = counts.at(position, n) >= threshold;
        if (!found)
            return false;
    }
    return true;
}
