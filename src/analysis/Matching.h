#pragma once

#include "data/DrawTable.h"
#include "data/HitRule.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

#include <array>

// Checking saved ticket lines against draw results: hits, prize tier, and
// the order in which a run visits the lines.

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
