#include "data/HistoryOrder.h"

#include "common/Formats.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

// The value a column sorts by. Each column's text has a fixed width (draw
// numbers right-aligned, YYYY/MM/DD dates, two-digit numbers), so ordering the
// texts orders by these values; comparing the values keeps that order even
// where a draw number outgrows its five characters.
qint64 columnValue(const DrawResult& draw, int column) {
    if (column == 0)
        return draw.DrawNumber;
    if (column == 1)
        return draw.drawDate().toJulianDay();
    if (column >= 2 && column < 2 + kPositions)
        return draw.MainNumbers[column - 2];
    if (column >= 2 + kPositions && column < kHistoryColumns)
        return draw.BonusNumbers[column - 2 - kPositions];
    return 0;
}

int keyColumn(int key) {
    return std::abs(key) - 1;
}

} // namespace

int nextHistorySortKey(int currentKey, int clickedColumn) {
    if (clickedColumn + 1 == std::abs(currentKey))
        return -currentKey;
    return clickedColumn + 1;
}

QString historyCellText(const DrawResult& draw, int column) {
    if (column == 0)
        return formatDrawNumber5(draw.DrawNumber);
    if (column == 1)
        return formatDate(draw.drawDate());
    if (column >= 2 && column < kHistoryColumns)
        return formatTwoDigits(static_cast<int>(columnValue(draw, column)));
    return {};
}

int compareHistoryRows(const DrawResult& a, const DrawResult& b, int key) {
    if (key == 0)
        return 0;
    const qint64 va = columnValue(a, keyColumn(key));
    const qint64 vb = columnValue(b, keyColumn(key));
    const int result = va < vb ? -1 : (va > vb ? 1 : 0);
    return key < 0 ? -result : result;
}

QVector<int> historyOrder(const DrawTable& table, int key) {
    const int n = table.count();
    QVector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    if (key == 0 || n < 2)
        return order;

    // Sort keys taken once per row; ties keep table order.
    const int column = keyColumn(key);
    std::vector<qint64> values(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        values[static_cast<size_t>(i)] = columnValue(table.at(i), column);
    const auto valueOf = [&values](int i) { return values[static_cast<size_t>(i)]; };
    if (key > 0)
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return valueOf(a) < valueOf(b); });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return valueOf(a) > valueOf(b); });
    return order;
}
