#pragma once

#include <QString>
#include <QStringList>

// The comma-text rule that turns a grid row into one CSV line and back.

// Joins fields with commas; a field holding a character <= 32, a double quote
// or a comma is quoted, with inner quotes doubled. Empty fields are written as
// nothing; no comma at the end.
QString joinCommaText(const QStringList& fields);

// Splits a line: leading blanks and control characters skipped; a quoted field
// runs to its closing quote ("" stands for one quote); an unquoted field ends at
// a comma or a character <= 32; blanks after a field and after its comma are
// skipped. "123,,03" gives three fields, "123,03," two.
QStringList splitCommaText(const QString& line);

// Puts split fields into a grid row of `columns` cells: each field into the
// leftmost empty cell, an empty field stored as one blank, fields beyond the
// last cell dropped, cells without a field left empty.
QStringList gridRowFromFields(const QStringList& fields, int columns);
