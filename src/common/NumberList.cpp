#include "common/NumberList.h"

#include <QRegularExpression>

#include <algorithm>

QStringList numberListParts(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[\\s,、]+"));
    // Most text is typed in ASCII, which the normalisation would leave as it is.
    const bool ascii =
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    const QString normalized = ascii ? text : text.normalized(QString::NormalizationForm_KC);
    return normalized.split(separators, Qt::SkipEmptyParts);
}
