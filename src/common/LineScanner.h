#pragma once

#include <QByteArrayView>

// The one byte walk behind ReadLines, shared with the code that edits entry
// files in place, so that both agree on where each line begins and ends.
// A line ends at CR (one LF right after it belongs to the line end), at
// character 26 or at the end of the data; a bare LF stays inside the line.
// Characters 0..32 other than CR and 26 before a line's text are dropped.
// The walk stops at the first line without text, at character 26 or at the
// end of the data; nothing after that point is read.

// A line as byte offsets into the scanned data.
struct ScannedLine {
    qsizetype begin = 0;     // where the previous line ended: dropped characters included
    qsizetype textBegin = 0; // the text as ReadLines returns it
    qsizetype textEnd = 0;   // at CR, at character 26 or at the end of the data
    qsizetype end = 0;       // after CR and one LF after it; textEnd without CR

    bool hasLineEnd() const { return end > textEnd; }
};

class LineScanner {
public:
    explicit LineScanner(QByteArrayView data) : m_data(data) {}

    // Takes the next line; false where the reader stops.
    bool next(ScannedLine& line);

    // Where the next line would begin: right after the last line taken.
    qsizetype position() const { return m_pos; }

private:
    QByteArrayView m_data;
    qsizetype m_pos = 0;
};
