#include "data/DrawIndex.h"

#include "common/ComType.h"

namespace {

// Rows from last to first, so that the first row of a number is the one kept.
template <typename Table> QVector<qint32> firstRows(const Table& table) {
    QVector<qint32> rows(kMaxDrawNumber + 1, -1);
    for (int i = table.count() - 1; i >= 0; --i)
        if (const int number = table.at(i).DrawNumber; number >= 1 && number <= kMaxDrawNumber)
            rows[number] = i;
    return rows;
}

} // namespace

DrawIndex::DrawIndex(const DrawTable& draws) : m_rows(firstRows(draws)) {}

DrawIndex::DrawIndex(const PrizeTable& prizes) : m_rows(firstRows(prizes)) {}
