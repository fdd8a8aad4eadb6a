#include "analysis/Matching.h"

#include "common/ComType.h"

#include <QStringView>

#include <algorithm>
#include <array>

namespace {

// The numbers of the texts from..to - 1 (fewer where the list is shorter).
NumberMask lineMask(const QStringList& texts, qsizetype from, qsizetype to) {
    NumberMask mask = 0;
    for (qsizetype i = from; i < std::min(to, texts.size()); ++i)
        if (const int n = numberOfCellText(texts.at(i)))
            mask |= NumberMask(1) << n;
    return mask;
}

} // namespace

QString prizeTierText(int tier) {
    static const std::array<QString, 7> kTexts = {
        QString(),
        QStringLiteral("１等が当選しました。"),
        QStringLiteral("２等が当選しました。"),
        QStringLiteral("３等が当選しました。"),
        QStringLiteral("４等が当選しました。"),
        QStringLiteral("５等が当選しました。"),
        QStringLiteral("６等が当選しました。"),
    };
    return tier >= 1 && tier <= 6 ? kTexts.at(tier) : QString();
}

QString matchResultText(const QStringList& row, const DrawResult& draw) {
    return prizeTierText(prizeTier(hitsOfMask(lineMask(row, 1, 1 + kPositions), draw)));
}

QVector<MatchStep> matchingSteps(const QVector<QStringList>& rows, const DrawTable& table) {
    // The rows that name a draw number, ordered by it and, within one number,
    // top to bottom: a compact list that is quick to search once per draw.
    struct NamedRow {
        int number;
        int row;
    };
    QVector<NamedRow> named;
    for (int row = 0; row < rows.size(); ++row) {
        // The draw number column 0 names without its surrounding blanks.
        const int number =
            rows.at(row).isEmpty() ? 0 : plainDrawNumber(QStringView(rows.at(row).at(0)).trimmed());
        if (number != 0)
            named.append({number, row});
    }
    const auto byNumber = [](const NamedRow& a, const NamedRow& b) { return a.number < b.number; };
    std::stable_sort(named.begin(), named.end(), byNumber);

    QVector<MatchStep> steps;
    if (named.isEmpty())
        return steps;
    steps.reserve(named.size());
    for (const DrawResult& draw : table.draws()) {
        const auto [first, last] =
            std::equal_range(named.cbegin(), named.cend(), NamedRow{draw.DrawNumber, 0}, byNumber);
        for (auto it = first; it != last; ++it)
            steps.append({it->row, matchResultText(rows.at(it->row), draw)});
    }
    return steps;
}
