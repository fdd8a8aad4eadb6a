#pragma once

#include "data/DrawTable.h"
#include "data/PrizeTable.h"

#include <QVector>
#include <QtGlobal>

// The rows of a draw or prize table by draw number. The first row holding a
// number wins, as everywhere a draw is looked up, and a number outside
// 1..kMaxDrawNumber (a prize line may carry one) is never found. The index
// keeps row numbers, not pointers, so it stays right when the table it was
// built from is copied or moved.
class DrawIndex {
public:
    DrawIndex() = default;
    explicit DrawIndex(const DrawTable& draws);
    explicit DrawIndex(const PrizeTable& prizes);

    // The first row of the draw number, or -1.
    int rowOf(int drawNumber) const { return m_rows.value(drawNumber, -1); }

private:
    QVector<qint32> m_rows;
};
