#pragma once

#include "data/ResultsImport.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QVector>

// The draws of the import box's preview: those read from the last text or
// file and those typed in, as rows checked against the files. A draw typed in
// stands for the same draw read from text; the overwrite ticks stay with
// their draw numbers from one check to the next.
class ImportPreview {
public:
    // Replaces the draws read from text.
    void setTextDraws(const QVector<ReadDraw>& draws) { m_textDraws = draws; }
    // Adds a typed draw, in place of the one typed before with its number.
    void addTypedDraw(const ReadDraw& draw) { m_typed.insert(draw.drawNumber, draw); }
    // Leaves out the draws of these rows (indices of rows()), a typed draw
    // with the text's draw of its number; check() makes the rows again.
    void removeRows(const QList<int>& rows);
    // The rows of all the draws, newest first (checkImport).
    void check(const HeldResults& held);
    const QVector<ImportRow>& rows() const { return m_rows; }

    // Ticks or clears the tick of a conflicting row; false for any other row.
    bool toggleOverwrite(int row);
    // After a write: what was ticked is taken.
    void clearOverwrite() { m_overwrite.clear(); }

private:
    QVector<ReadDraw> m_textDraws;
    QMap<qint64, ReadDraw> m_typed; // by draw number
    QSet<qint64> m_overwrite;       // conflicting draws ticked to overwrite
    QVector<ImportRow> m_rows;
    // For each draw checked, its index in m_textDraws, or -1 when typed.
    QVector<qsizetype> m_textIndex;
};
