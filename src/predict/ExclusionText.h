#pragma once

#include "common/ComType.h"

#include <QString>

// The stored exclusion set as text: each excluded number ascending, two
// digits and one blank ("03 15 22 "); the empty text excludes nothing.

QString exclusionText(const ExclusionFlags& excluded);

// Whether the number's own form ("03 " for 3) occurs anywhere in the text.
bool exclusionTextHolds(const QString& text, int number);

ExclusionFlags exclusionsFromText(const QString& text);
