#include "analysis/Matching.h"

#include "common/Chars.h"

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

// The draw number a column-0 text names without its surrounding blanks, when
// it is exactly that number's plain decimal text ("689", not "0689", "+689").
bool drawNumberOfText(const QString& cell, int& number) {
    const QStringView text = QStringView(cell).trimmed();
    const bool negative = text.startsWith(u'-');
    const QStringView digits = negative ? text.mid(1) : text;
    if (digits.size() > 9 || (digits.size() > 1 && digits.front() == u'0'))
        return false;
    const std::optional<qint64> value = asciiNumber(digits);
    if (!value || (negative && *value == 0))
        return false;
    number = static_cast<int>(negative ? -*value : *value);
    return true;
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
        int number = 0;
        if (!rows.at(row).isEmpty() && drawNumberOfText(rows.at(row).at(0), number))
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
