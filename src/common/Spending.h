#pragma once

#include "common/ComType.h"

#include <QVector>
#include <QtGlobal>

// What lines cost and won: the figures the ledger and the back-test total
// alike.
struct Spending {
    qint64 lines = 0;
    qint64 cost = 0;
    qint64 won = 0;

    // A draw's lines and what they won.
    void add(qint64 drawLines, qint64 drawWon) {
        lines += drawLines;
        cost += drawLines * kLinePrice;
        won += drawWon;
    }
    qint64 balance() const { return won - cost; }
    // won / cost in percent; 0 when nothing was spent.
    double returnRate() const { return percentOfCost(static_cast<double>(won)); }
    // An amount as a percentage of the cost; 0 when nothing was spent.
    double percentOfCost(double amount) const {
        return cost > 0 ? amount * 100.0 / static_cast<double>(cost) : 0.0;
    }
};

// Cost, winnings and (for a replay) what chance wins on average, summed from
// the oldest draw up to and including one draw: the points of a yen chart.
struct RunningSum {
    int drawNumber = 0;
    qint64 cost = 0;
    qint64 won = 0;
    double expectedWon = 0;
};

// The running sums of rows with a draw number, a cost and a win (and, where
// they have one, an expected win), `oldestFirst` or newest first; the sums
// come oldest first.
template <typename Row>
QVector<RunningSum> runningSums(const QVector<Row>& rows, bool oldestFirst) {
    QVector<RunningSum> sums;
    sums.reserve(rows.size());
    RunningSum sum;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const Row& row = rows.at(oldestFirst ? k : rows.size() - 1 - k);
        sum.drawNumber = row.drawNumber;
        sum.cost += row.cost();
        sum.won += row.won;
        if constexpr (requires { row.expectedWon; })
            sum.expectedWon += row.expectedWon;
        sums.append(sum);
    }
    return sums;
}
