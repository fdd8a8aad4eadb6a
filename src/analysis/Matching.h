#pragma once

#include "data/DrawTable.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <array>

// Checking saved ticket lines against draw results: hits, prize tier, and
// the order in which a run visits the lines.

// How many numbers of a line are among a draw's main and bonus numbers.
struct HitCount {
    int main = 0;
    int bonus = 0;
};

// The number a line's cell stands for when compared with the drawn numbers,
// which are compared as their two-digit texts ("07"): 1..37 for "01".."37",
// 0 for every other text ("7", " 07", "38", "").
int numberOfCellText(QStringView text);

// The hits of a line of numbers 1..37 on a draw. Each distinct number counts
// once, so a line that repeats a number never counts it twice; numbers outside
// 1..37 find no hit. The one hit rule: the matching tab, the ledger and every
// other count of wins go through it.
HitCount hitsOf(const std::array<int, kPositions>& line, const DrawResult& draw);

// The prize tier of a hit count: 1 to 6, or 0 for no prize.
int prizeTier(HitCount hits);

// "１等が当選しました。" to "６等が当選しました。"; empty for tier 0.
QString prizeTierText(int tier);

// The result text of a grid row (column 0 the draw number, columns 1 to 7 the
// numbers) against a draw. Missing or malformed cells simply find no hit.
// Each distinct number of the row counts once, so a hand-edited line that
// repeats a number never counts it twice; for lines of seven distinct numbers
// this is the same as counting every equal pair.
QString matchResultText(const QStringList& row, const DrawResult& draw);

// One step of a matching run: the row and the text written into its result
// column.
struct MatchStep {
    int row = 0;
    QString result;
};

// The steps of a run over the rows, in the order they are shown: for each
// draw of the table in table order, each row, top to bottom, whose column 0
// without surrounding blanks is that draw's number in plain decimal. Rows of
// a draw number the table does not hold get no step.
QVector<MatchStep> matchingSteps(const QVector<QStringList>& rows, const DrawTable& table);
