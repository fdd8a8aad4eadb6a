#include "common/Fields.h"

#include "common/AppError.h"
#include "common/Chars.h"

#include <QByteArray>
#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>

QString takeField(QString& rest) {
    const qsizetype comma = rest.indexOf(u',');
    if (comma < 0) {
        QString field = rest;
        rest.clear();
        return field;
    }
    QString field = rest.left(comma);
    rest.remove(0, comma + 1);
    return field;
}

QString quotedValueText(QStringView text) {
    constexpr qsizetype kMaxQuoted = 40;
    if (text.size() <= kMaxQuoted)
        return text.toString();
    // Never cut a character outside the basic plane in half.
    const qsizetype cut = text[kMaxQuoted - 1].isHighSurrogate() ? kMaxQuoted - 1 : kMaxQuoted;
    return text.first(cut).toString() + QStringLiteral("…");
}

int parseInteger(const QString& text) {
    // Optional sign, then decimal digits only; no blanks, no thousands separators.
    const auto bad = [&text] {
        return TAppError(QStringLiteral("'%1' は整数ではありません").arg(quotedValueText(text)));
    };
    const bool negative = text.startsWith(u'-');
    const qsizetype signs = negative || text.startsWith(u'+') ? 1 : 0;
    // Capped just above the magnitude of the most negative int.
    constexpr qint64 kCap = 2147483649LL;
    const std::optional<qint64> magnitude = asciiNumber(QStringView(text).sliced(signs), kCap);
    if (!magnitude || *magnitude == kCap)
        throw bad();
    const qint64 value = negative ? -*magnitude : *magnitude;
    if (value > 2147483647LL || value < -2147483648LL)
        throw bad();
    return static_cast<int>(value);
}

QDate parseDate(const QString& text) {
    // Year (four digits), month and day separated by "/"; 2013/4/5 is accepted.
    const auto bad = [&text] {
        return TAppError(QStringLiteral("'%1' は日付ではありません").arg(quotedValueText(text)));
    };
    // A date has two slashes; a huge field is refused before it is split up.
    if (text.size() > 10)
        throw bad();
    const QStringList parts = text.split(u'/');
    if (parts.size() != 3)
        throw bad();
    std::array<int, 3> values{};
    for (int k = 0; k < 3; ++k) {
        const QString& part = parts[k];
        const qsizetype maxLen = k == 0 ? 4 : 2;
        if (part.size() > maxLen || (k == 0 && part.size() != 4))
            throw bad();
        const std::optional<qint64> value = asciiNumber(part);
        if (!value)
            throw bad();
        values[k] = static_cast<int>(*value);
    }
    const QDate date(values[0], values[1], values[2]);
    if (!date.isValid())
        throw bad();
    return date;
}

long double parseFloat(const QString& text) {
    // Digits with an optional decimal point and fraction, an optional sign and
    // exponent; nothing else (no blanks, no separators, no inf or nan).
    const auto bad = [&text] {
        return TAppError(
            QStringLiteral("'%1' は浮動小数点数ではありません").arg(quotedValueText(text)));
    };
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    qsizetype digits = asciiDigitRun(text, i);
    i += digits;
    if (i < n && text[i] == u'.') {
        const qsizetype fraction = asciiDigitRun(text, i + 1);
        i += 1 + fraction;
        digits += fraction;
    }
    if (digits == 0)
        throw bad();
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-'))
            ++i;
        const qsizetype expDigits = asciiDigitRun(text, i);
        if (expDigits == 0)
            throw bad();
        i += expDigits;
    }
    if (i != n)
        throw bad();
    // from_chars keeps the full extended precision and ignores the C locale.
    QByteArray ascii = text.toLatin1();
    if (ascii.startsWith('+'))
        ascii.remove(0, 1);
    long double value = 0;
    const char* end = ascii.constData() + ascii.size();
    const auto [ptr, ec] = std::from_chars(ascii.constData(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        throw bad();
    return value;
}
