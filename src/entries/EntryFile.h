#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// Ticket lines saved per draw number as client/<draw number>.csv in the data
// folder (DataFolder.h), one entry line (8 comma-text fields) per ticket line,
// CR LF ended.
// Every write is all or nothing: the new content goes to a temporary file
// beside the target, which replaces the target only when complete. Failures
// throw TAppError with the system's reason; the old file is then unchanged.
// Writing an entry file also removes the temporary files of that file that an
// interrupted earlier write left behind.

inline constexpr int kEntryFields = 8;

// A draw-number text may name a file only when it is empty or all ASCII digits.
bool isSafeDrawNumberText(const QString& drawNumberText);

// dataDir()/client/<text>.csv; an empty string when the text is not safe.
QString entryFilePath(const QString& drawNumberText);

// The entry line of a grid row (its fields joined by the comma-text rule);
// cells beyond the eighth are not part of it.
QString entryLine(const QStringList& row);

// Adds one entry line per row after the last line the reader lists, creating
// the file if needed, so that every added line is listed afterwards. An
// existing last line without a line end is ended first so lines never merge.
// A tail of only blanks and control characters after that line is dropped;
// anything else after it (lines hidden behind an empty line) is kept as it is,
// after the added lines.
void appendEntryLines(const QString& path, const QVector<QStringList>& rows);

// Replaces the file by one entry line per row (all-empty rows skipped).
// Used by the CSV export; an existing file is replaced without a question.
// The file may be anywhere the user chose, so nothing beside it is removed.
void writeEntryLines(const QString& path, const QVector<QStringList>& rows);

// The lines the lookup tab lists: those whose text before the first comma is
// exactly the draw-number text (a line without a comma is never listed).
QStringList listedEntryLines(const QStringList& fileLines, const QString& drawNumberText);

// Removes the listed line with this index (0-based among the listed lines)
// from the file, keeping every other byte of it: lines of other draw numbers,
// lines after an empty line. Leaves an empty file when nothing else remains.
// Nothing happens when the file is missing or has no listed line of that index.
void cancelListedLine(const QString& path, const QString& drawNumberText, int listedIndex);

// Removes all listed lines, keeping the others; deletes the file when nothing
// but blanks would remain. A missing file is left alone.
void cancelAllListedLines(const QString& path, const QString& drawNumberText);
