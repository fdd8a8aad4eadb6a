#pragma once

#include "data/DrawTable.h"
#include "data/PrizeTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

// Reads a data file in blocks, line by line, with the line rules of ReadLines
// (LineScanner): the lines come out as ReadLines returns them, in bytes, and
// the reader stops where ReadLines stops. Opening and reading fail with the
// texts of ReadLines; a file that does not exist reads as no line at all.
class DataFileReader {
public:
    explicit DataFileReader(const QString& path);

    // Whether there is no line to read: the file is missing, or its first line
    // is empty. Reads as far as the first line.
    bool isEmpty() { return !hasLine(); }

    // The next line's text, valid until the next call; false at the end.
    // The byte after the text is still readable: CR, character 26 or the
    // zero byte after the buffer.
    bool nextLine(QByteArrayView& text);

    // For decoding lines in place, without looking for their end first: the
    // first byte of the next line when its text begins right there, or
    // nullptr. The buffer runs on from there and ends in a zero byte.
    const char* lineStart() const;
    // Takes that line as ending at `textEnd`, when a CR stands there and the
    // byte after it has been read too; otherwise takes nothing. The bytes
    // before `textEnd` must hold neither CR nor character 26.
    bool takeLineTo(const char* textEnd);

    // An upper bound of the lines still to come that are at least
    // `shortestLine` bytes long, to reserve table space from: the line ends
    // ahead in the file, and no more lines than such lines would fill.
    // Reads the rest of the file once more.
    qsizetype lineCountHint(qsizetype shortestLine = 1);

private:
    bool hasLine();
    bool readBlock();

    QString m_path;
    QFile m_file;
    QByteArray m_buffer; // from the first byte not yet taken
    qsizetype m_scanned = 0;
    QByteArrayView m_line;
    bool m_lineReady = false;
    bool m_atEnd = false;    // the file is read to its end
    bool m_finished = false; // the reader has stopped: no more lines
};

// Appends the draws of the reader's lines to the table in file order, as
// appendDrawLines does with the lines of ReadLines: the same draws, and at the
// first bad line the same error, the draws before it staying in the table.
// Lines in the usual plain form are decoded straight from their bytes; the
// table is reserved from lineCountHint first.
void readDrawLines(DataFileReader& reader, DrawTable& table);

// The same for the prize records (appendPrizeLines).
void readPrizeLines(DataFileReader& reader, PrizeTable& table);
