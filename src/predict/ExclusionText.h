#pragma once

#include "common/ComType.h"

#include <QString>

// The stored exclusion set as text: each excluded number ascending, two
// digits and one blank ("03 15 22 "); the empty text excludes nothing.

// At most this many numbers may be excluded.
inline constexpr int kMaxExcluded = 20;

QString exclusionText(const NumberSet& excluded);

// Whether the number's own form ("03 " for 3) occurs anywhere in the text.
bool exclusionTextHolds(const QString& text, int number);

// Every number the text holds, each by exclusionTextHolds, however many: the
// reference that tests hold keptExclusions to (the program reads through it).
NumberSet exclusionsFromText(const QString& text);

// The numbers the text holds, but of more than kMaxExcluded only the first
// kMaxExcluded in the text's order (where each number's form first occurs).
NumberSet keptExclusions(const QString& text);

// A stored text as the program takes it over: unchanged when it holds at most
// kMaxExcluded numbers, otherwise the text form of the numbers kept.
QString limitedExclusionText(const QString& text);
