#pragma once

#include "common/Chars.h"
#include "common/Fields.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <cstdint>

// Reading the fields of a data-file line without copying it. The results and
// the error texts are those of takeField, parseInteger, parseDate and
// parseFloat: the common well-formed cases are decoded here in place, every
// other text goes to the shared routine, which then decides (and throws).

// Walks the fields of a line front to back as repeated takeField calls do:
// each field is the text before the next comma; the last one asked for is the
// whole remaining text.
class LineFields {
public:
    explicit LineFields(const QString& line) : m_line(line) {}

    QStringView next() {
        // Fields are a few characters long: a plain scan beats a library search.
        const QChar* const data = m_line.data();
        const qsizetype size = m_line.size();
        for (qsizetype i = m_pos; i < size; ++i) {
            if (data[i] == u',') {
                const QStringView field = m_line.sliced(m_pos, i - m_pos);
                m_pos = i + 1;
                return field;
            }
        }
        return rest();
    }

    QStringView rest() {
        const QStringView field = m_line.sliced(m_pos);
        m_pos = m_line.size();
        return field;
    }

private:
    QStringView m_line;
    qsizetype m_pos = 0;
};

namespace line_fields_detail {

// Value of 1..maxDigits plain ASCII digits, or -1.
inline std::int64_t plainDigits(QStringView text, qsizetype maxDigits) {
    if (text.size() > maxDigits)
        return -1;
    return asciiNumber(text).value_or(-1);
}

} // namespace line_fields_detail

inline int readIntegerField(QStringView text) {
    const std::int64_t value = line_fields_detail::plainDigits(text, 10);
    if (value >= 0 && value <= 2147483647)
        return static_cast<int>(value);
    return parseInteger(text.toString());
}

inline QDate readDateField(QStringView text) {
    // YYYY/M/D with one or two digits for month and day.
    const qsizetype first = text.indexOf(u'/');
    const qsizetype second = first < 0 ? -1 : text.indexOf(u'/', first + 1);
    if (first == 4 && second > first) {
        const std::int64_t year = line_fields_detail::plainDigits(text.first(4), 4);
        const std::int64_t month = line_fields_detail::plainDigits(text.sliced(5, second - 5), 2);
        const std::int64_t day = line_fields_detail::plainDigits(text.sliced(second + 1), 2);
        if (year >= 0 && month >= 0 && day >= 0) {
            const QDate date(static_cast<int>(year), static_cast<int>(month),
                             static_cast<int>(day));
            if (date.isValid())
                return date;
        }
    }
    return parseDate(text.toString());
}

inline long double readFloatField(QStringView text) {
    // Whole numbers of up to 18 digits convert exactly (or, where long double
    // is narrower, with the same nearest rounding the general reader applies).
    const std::int64_t value = line_fields_detail::plainDigits(text, 18);
    if (value >= 0)
        return static_cast<long double>(value);
    return parseFloat(text.toString());
}
