#pragma once

#include <QString>
#include <QStringList>

// A list of numbers as a user types it into a field or pastes it: full-width
// digits, letters, blanks and commas count as their ASCII forms (Unicode
// NFKC), and the numbers stand apart by any run of blanks, commas and "、".
// The exclusion field of the back-test filter, the ticket lines and the wheel
// pool all read their numbers this way; each judges the parts itself
// (asciiNumber in common/Chars.h reads one).

// The parts of the text in order, normalised; none for a blank text.
QStringList numberListParts(const QString& text);
