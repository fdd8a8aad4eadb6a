#pragma once

#include <QString>

class QWidget;
class StringGrid;
class TSplashForm;

// Writes the pending lines to a CSV file the user names: one entry line per
// row, CR LF ended, no header; an existing file is replaced whole.
void exportPendingLines(QWidget* parent, TSplashForm* splash, const QString& drawNumberText,
                        const StringGrid* pendingGrid);
