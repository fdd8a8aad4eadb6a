#pragma once

#include <QByteArray>
#include <QStringList>
#include <QVector>

// Rows as a CSV file for a spreadsheet (the ledger, the back-test, the wheel
// lines): UTF-8 with a byte-order mark, fields apart by commas, CR LF after
// every row; a field holding a comma, a double quote or a line break is
// quoted, its quotes doubled.
QByteArray csvFileBytes(const QVector<QStringList>& rows);
