#pragma once

#include <QString>

#include <functional>

// What a reader makes of a line: its display texts, or the error text.
using LineOutcome = std::function<QString(const QString& line)>;

// Hands both readers the same 20,000 mutations of the line (mutatedLine,
// seeded, so a failure repeats) and fails the running test at the first
// line they read differently, naming the line.
void compareOnMutatedLines(const QString& line, const QString& alphabet, quint32 seed,
                           const LineOutcome& read, const LineOutcome& reference);
