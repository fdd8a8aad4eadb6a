#include "data/HitRule.h"

#include "common/Chars.h"

#include <bit>

HitCount hitsOfMask(NumberMask line, const DrawResult& draw) {
    return {std::popcount(line & numberMask(draw.MainNumbers)),
            std::popcount(line & numberMask(draw.BonusNumbers))};
}

HitCount hitsOf(const std::array<int, kPositions>& line, const DrawResult& draw) {
    return hitsOfMask(numberMask(line), draw);
}

int prizeTier(HitCount hits) {
    switch (hits.main) {
    case 7:
        return 1;
    case 6:
        return hits.bonus > 0 ? 2 : 3;
    case 5:
        return 4;
    case 4:
        return 5;
    case 3:
        return hits.bonus > 0 ? 6 : 0;
    default:
        return 0;
    }
}

int numberOfCellText(QStringView text) {
    if (text.size() != 2)
        return 0;
    const qint64 n = asciiNumber(text).value_or(0);
    return n >= 1 && n <= kMaxNumber ? static_cast<int>(n) : 0;
}
