#include "analysis/MarkLayout.h"

#include <limits>
#include <vector>

namespace {

QRectF withBottom(QRectF rect, qreal bottom) {
    rect.moveBottom(bottom);
    return rect;
}

bool overlapSideways(const QRectF& a, const QRectF& b) {
    return a.left() < b.right() && b.left() < a.right();
}

// The bottoms a mark may take: on its point, or just above the resting mark
// of one neighbour or of both (only those above its point).
std::vector<qreal> placesOf(const QList<QRectF>& resting, qsizetype i, qreal gap) {
    const qreal own = resting.at(i).bottom();
    std::vector<qreal> places{own};
    qreal aboveBoth = own;
    for (qsizetype j : {i - 1, i + 1}) {
        if (j < 0 || j >= resting.size() || !overlapSideways(resting.at(j), resting.at(i)))
            continue;
        const qreal above = resting.at(j).top() - gap;
        if (above < own)
            places.push_back(above);
        aboveBoth = std::min(aboveBoth, above);
    }
    if (aboveBoth < own)
        places.push_back(aboveBoth);
    return places;
}

// Lowers lifted marks as far as their neighbours allow: onto the mark below
// them, or back onto their point. Repeats until nothing moves.
void settle(QList<QRectF>& marks, const QList<QRectF>& resting, qreal gap) {
    const auto isFree = [&](qsizetype i, const QRectF& rect) {
        return (i == 0 || !rect.intersects(marks.at(i - 1))) &&
               (i + 1 == marks.size() || !rect.intersects(marks.at(i + 1)));
    };
    for (bool moved = true; moved;) {
        moved = false;
        for (qsizetype i = 0; i < marks.size(); ++i) {
            qreal best = marks.at(i).bottom();
            std::vector<qreal> lower{resting.at(i).bottom()};
            for (qsizetype j : {i - 1, i + 1})
                if (j >= 0 && j < marks.size())
                    lower.push_back(marks.at(j).top() - gap);
            for (qreal bottom : lower)
                if (bottom > best && bottom <= resting.at(i).bottom() &&
                    isFree(i, withBottom(marks.at(i), bottom)))
                    best = bottom;
            if (best > marks.at(i).bottom() + 1e-6) {
                marks[i] = withBottom(marks.at(i), best);
                moved = true;
            }
        }
    }
}

} // namespace

QList<QRectF> liftOverlappingMarks(const QList<QRectF>& resting, qreal gap) {
    const qsizetype n = resting.size();
    if (n == 0)
        return {};
    // Shortest total lift along the row of marks: cost[i][p] is the least
    // total for marks 0..i with mark i at place p, from[i][p] the place of
    // mark i - 1 it came from.
    std::vector<std::vector<qreal>> places(n);
    std::vector<std::vector<qreal>> cost(n);
    std::vector<std::vector<int>> from(n);
    constexpr qreal kNone = std::numeric_limits<qreal>::infinity();
    for (qsizetype i = 0; i < n; ++i) {
        places[i] = placesOf(resting, i, gap);
        cost[i].assign(places[i].size(), kNone);
        from[i].assign(places[i].size(), -1);
        for (size_t p = 0; p < places[i].size(); ++p) {
            const qreal lift = resting.at(i).bottom() - places[i][p];
            if (i == 0) {
                cost[i][p] = lift;
                continue;
            }
            const QRectF rect = withBottom(resting.at(i), places[i][p]);
            for (size_t q = 0; q < places[i - 1].size(); ++q) {
                const qreal total = cost[i - 1][q] + lift;
                if (total < cost[i][p] &&
                    !rect.intersects(withBottom(resting.at(i - 1), places[i - 1][q]))) {
                    cost[i][p] = total;
                    from[i][p] = static_cast<int>(q);
                }
            }
        }
    }
    // Every second mark above both neighbours always fits, so a way exists.
    size_t place = 0;
    for (size_t p = 1; p < cost[n - 1].size(); ++p)
        if (cost[n - 1][p] < cost[n - 1][place])
            place = p;
    QList<QRectF> marks(n);
    for (qsizetype i = n - 1; i >= 0; --i) {
        marks[i] = withBottom(resting.at(i), places[i][place]);
        if (i > 0)
            place = static_cast<size_t>(from[i][place]);
    }
    settle(marks, resting, gap);
    return marks;
}
