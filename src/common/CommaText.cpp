#include "common/CommaText.h"

namespace {

constexpr QChar kQuote = u'"';
constexpr QChar kComma = u',';

// Blanks and control characters: every code up to 32.
bool isBlank(QChar c) {
    return c.unicode() <= 32;
}

bool needsQuotes(const QString& field) {
    for (QChar c : field)
        if (isBlank(c) || c == kQuote || c == kComma)
            return true;
    return false;
}

void skipBlanks(const QString& line, qsizetype& i) {
    while (i < line.size() && isBlank(line[i]))
        ++i;
}

// Reads a quoted field starting at the opening quote at i; leaves i after the
// closing quote. A field without a closing quote runs to the end of the line.
QString takeQuoted(const QString& line, qsizetype& i) {
    QString field;
    ++i; // opening quote
    while (i < line.size()) {
        const QChar c = line[i++];
        if (c != kQuote) {
            field.append(c);
            continue;
        }
        if (i < line.size() && line[i] == kQuote) {
            field.append(kQuote);
            ++i;
            continue;
        }
        break; // closing quote
    }
    return field;
}

} // namespace

QString joinCommaText(const QStringList& fields) {
    QString line;
    for (qsizetype k = 0; k < fields.size(); ++k) {
        if (k > 0)
            line.append(kComma);
        const QString& field = fields[k];
        if (!needsQuotes(field)) {
            line.append(field);
            continue;
        }
        line.append(kQuote);
        for (QChar c : field) {
            if (c == kQuote)
                line.append(kQuote);
            line.append(c);
        }
        line.append(kQuote);
    }
    return line;
}

QStringList splitCommaText(const QString& line) {
    QStringList fields;
    qsizetype i = 0;
    skipBlanks(line, i);
    while (i < line.size()) {
        if (line[i] == kQuote) {
            fields.append(takeQuoted(line, i));
        } else {
            const qsizetype start = i;
            while (i < line.size() && !isBlank(line[i]) && line[i] != kComma)
                ++i;
            fields.append(line.mid(start, i - start));
        }
        skipBlanks(line, i);
        if (i < line.size() && line[i] == kComma) {
            ++i;
            skipBlanks(line, i);
        }
    }
    return fields;
}

QStringList gridRowFromFields(const QStringList& fields, int columns) {
    QStringList row;
    if (columns <= 0)
        return row;
    row.reserve(columns);
    for (qsizetype k = 0; k < fields.size() && row.size() < columns; ++k)
        row.append(fields[k].isEmpty() ? QStringLiteral(" ") : fields[k]);
    while (row.size() < columns)
        row.append(QString());
    return row;
}
