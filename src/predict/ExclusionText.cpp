#include "predict/ExclusionText.h"

#include "common/Formats.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
QString numberForm(int number) {
    return formatTwoDigits(number) + u' ';
}
} // namespace

QString exclusionText(const NumberSet& excluded) {
    QString text;
    for (int n = 1; n <= kMaxNumber; ++n)
        if (excluded[n - 1])
            text += numberForm(n);
    return text;
}

bool exclusionTextHolds(const QString& text, int number) {
    return text.contains(numberForm(number));
}

NumberSet exclusionsFromText(const QString& text) {
    NumberSet excluded{};
    for (int n = 1; n <= kMaxNumber; ++n)
        excluded[n - 1] = exclusionTextHolds(text, n);
    return excluded;
}

namespace {
// (position of the first occurrence, number) of every number the text holds.
std::vector<std::pair<qsizetype, int>> occurrences(const QString& text) {
    std::vector<std::pair<qsizetype, int>> found;
    for (int n = 1; n <= kMaxNumber; ++n) {
        const qsizetype at = text.indexOf(numberForm(n));
        if (at >= 0)
            found.emplace_back(at, n);
    }
    return found;
}
} // namespace

NumberSet keptExclusions(const QString& text) {
    std::vector<std::pair<qsizetype, int>> found = occurrences(text);
    // Two numbers never share a first position: "03 " and "13 " differ there.
    std::sort(found.begin(), found.end());
    constexpr auto kMost = static_cast<std::size_t>(kMaxExcluded);
    if (found.size() > kMost)
        found.resize(kMost);
    NumberSet kept{};
    for (const auto& [at, n] : found)
        kept[n - 1] = true;
    return kept;
}

QString limitedExclusionText(const QString& text) {
    if (occurrences(text).size() <= static_cast<std::size_t>(kMaxExcluded))
        return text;
    return exclusionText(keptExclusions(text));
}
