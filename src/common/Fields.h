#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

// The fields of the data files: taking them apart and converting them, with
// the error texts the user sees for a bad value.

// Takes the next field from the front of a line: the text before the first
// comma, which is removed with the comma. Without a comma the whole rest is
// the field and the rest becomes empty. The reference for the in-place field
// walk of LineFields.h, which decides every case it does not decode itself
// through the same routines.
QString takeField(QString& rest);

// A bad value as an error text quotes it: at most its first 40 characters,
// then "…", so that one huge field cannot make the error box unusable.
QString quotedValueText(QStringView text);

// Conversions that throw TAppError naming the bad text (as quotedValueText
// shortens it), in the words the user sees: "'x' は整数ではありません" and so on.
int parseInteger(const QString& text);
QDate parseDate(const QString& text);
long double parseFloat(const QString& text);
