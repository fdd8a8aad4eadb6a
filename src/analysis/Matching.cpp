#include "analysis/Matching.h"

#include <QHash>

#include <bit>

namespace {

using NumberMask = quint64; // bit n stands for number n (1..37)

NumberMask maskOf(const std::array<int, kPositions>& numbers) {
    NumberMask mask = 0;
    for (int n : numbers)
        if (n >= 1 && n <= kMaxNumber) // the loader admits no other numbers
            mask |= NumberMask(1) << n;
    return mask;
}

NumberMask maskOf(const std::array<int, kBonusCount>& numbers) {
    NumberMask mask = 0;
    for (int n : numbers)
        if (n >= 1 && n <= kMaxNumber)
            mask |= NumberMask(1) << n;
    return mask;
}

NumberMask lineMask(const QStringList& numberTexts) {
    NumberMask mask = 0;
    for (const QString& text : numberTexts)
        if (const int n = numberOfCellText(text))
            mask |= NumberMask(1) << n;
    return mask;
}

// The draw number a trimmed column-0 text names, when it is exactly that
// number's plain decimal text ("689", not "0689" or "+689").
bool drawNumberOfText(const QString& cell, int& number) {
    const QString text = cell.trimmed();
    bool ok = false;
    number = text.toInt(&ok);
    return ok && text == QString::number(number);
}

} // namespace

int numberOfCellText(const QString& text) {
    if (text.size() != 2)
        return 0;
    const QChar tens = text.at(0);
    const QChar ones = text.at(1);
    if (tens < u'0' || tens > u'9' || ones < u'0' || ones > u'9')
        return 0;
    const int n = (tens.unicode() - u'0') * 10 + (ones.unicode() - u'0');
    return n >= 1 && n <= kMaxNumber ? n : 0;
}

HitCount countHits(const QStringList& numberTexts, const DrawResult& draw) {
    const NumberMask line = lineMask(numberTexts);
    return {std::popcount(line & maskOf(draw.MainNumbers)),
            std::popcount(line & maskOf(draw.BonusNumbers))};
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

QString prizeTierText(int tier) {
    static const QString kDigits = QStringLiteral("１２３４５６");
    if (tier < 1 || tier > 6)
        return {};
    return kDigits.at(tier - 1) + QStringLiteral("等が当選しました。");
}

QString matchResultText(const QStringList& row, const DrawResult& draw) {
    return prizeTierText(prizeTier(countHits(row.mid(1, kPositions), draw)));
}

QVector<MatchStep> matchingSteps(const QVector<QStringList>& rows, const DrawTable& table) {
    QHash<int, QVector<int>> rowsOfDraw;
    for (int row = 0; row < rows.size(); ++row) {
        int number = 0;
        if (!rows.at(row).isEmpty() && drawNumberOfText(rows.at(row).at(0), number))
            rowsOfDraw[number].append(row);
    }
    QVector<MatchStep> steps;
    if (rowsOfDraw.isEmpty())
        return steps;
    for (const DrawResult& draw : table.draws()) {
        const auto found = rowsOfDraw.constFind(draw.DrawNumber);
        if (found == rowsOfDraw.constEnd())
            continue;
        for (int row : *found)
            steps.append({row, matchResultText(rows.at(row), draw)});
    }
    return steps;
}
