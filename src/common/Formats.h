#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// The text forms of numbers, amounts, dates and times as the window, the
// files and the error texts show them.

QString formatDrawNumber5(int drawNumber); // right-aligned in 5: "    7"
QString formatTwoDigits(int number);       // "05"
QString formatDate(const QDate& date);     // "2013/04/05"
QString formatCount(long double value);    // rounded, comma groups: "1,235"

// Half away from zero (1234.5 -> 1235); values beyond 64 bits clamped, and
// non-numbers 0: the rounding of the count and yen formats.
qint64 roundToInteger(long double value);
QString formatYen(long double amount);      // "¥3,000,000,000", "¥0"
QString formatClock(const QDateTime& time); // "2013/04/05 09:07:03"
QString groupDigits(qint64 value);          // "1,234,567"

// The yen sign used for amounts (U+00A5), whatever the system locale.
inline const QString kYenSign = QStringLiteral("\u00a5");

// A round step for a yen axis from 0 up to `top`: 1, 2 or 5 times a power of
// ten, the smallest with at most five whole steps below `top` (so at most six
// labels above 0 reach it).
qint64 yenAxisStep(qint64 top);
