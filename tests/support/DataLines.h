#pragma once

#include "data/DrawTable.h"

#include <QByteArray>
#include <QString>

#include <functional>

// The draws of a draw-result file's bytes (sample or hand-made lines, any
// line ends, blank lines skipped), read by the reference reader.
DrawTable drawTableOf(const QByteArray& drawFile);

// How often each number stands at each position of the table's draws.
PositionCounts positionCountsOf(const DrawTable& table);

// What a reader makes of a line: its display texts, or the error text.
using LineOutcome = std::function<QString(const QString& line)>;

// Hands both readers the same 20,000 mutations of the line (mutatedLine,
// seeded, so a failure repeats) and fails the running test at the first
// line they read differently, naming the line.
void compareOnMutatedLines(const QString& line, const QString& alphabet, quint32 seed,
                           const LineOutcome& read, const LineOutcome& reference);
