#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

// Writes the pending lines to a CSV file the user names: one entry line per
// row, CR LF ended, no header; an existing file is replaced whole. The file
// name proposed is "<drawNumberText>.csv"; no rows means nothing to save.
void exportPendingLines(QWidget* parent, const QString& drawNumberText,
                        const QVector<QStringList>& rows);
