#include "analysis/StatsPages.h"

StatsPages statsPages(const DrawTable& table, int draws) {
    StatsPages pages;
    pages.range = statsRange(table, draws);
    pages.numbers = numbersPage(table, draws);
    pages.pairs = pairsPage(table, draws);
    for (int s = 0; s < kShapeCount; ++s)
        pages.shapes.at(s) = shapePage(table, draws, static_cast<Shape>(s));
    pages.gaps = gapTable(table, draws);
    return pages;
}
