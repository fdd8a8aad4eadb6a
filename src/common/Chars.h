#pragma once

#include <QChar>
#include <QStringView>

#include <algorithm>
#include <limits>
#include <optional>

// Character tests that ignore the locale and Unicode: the data files, entry
// files and number fields know only the ASCII digits and letters. QChar's own
// isDigit() would also take full-width and other decimal digits.

constexpr bool isAsciiDigit(QChar c) noexcept {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

constexpr bool isAsciiLetter(QChar c) noexcept {
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// How many ASCII digits stand in `text` from `from` on.
constexpr qsizetype asciiDigitRun(QStringView text, qsizetype from) noexcept {
    qsizetype i = from;
    while (i < text.size() && isAsciiDigit(text[i]))
        ++i;
    return i - from;
}

// The value of a text of ASCII digits only (leading zeros allowed), or
// nothing for an empty text or any other character. A value above `cap`
// (not negative) gives `cap`, so that no text is too long to read.
constexpr std::optional<qint64>
asciiNumber(QStringView digits, qint64 cap = std::numeric_limits<qint64>::max()) noexcept {
    if (digits.isEmpty())
        return std::nullopt;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        const qint64 digit = c.unicode() - u'0';
        value = value <= (cap - digit) / 10 ? std::min(value * 10 + digit, cap) : cap;
    }
    return value;
}
