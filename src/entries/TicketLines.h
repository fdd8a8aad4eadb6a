#pragma once

#include <QString>
#include <QVector>

#include <optional>

// Bought tickets taken in as typed or pasted lines: each line one set of
// seven numbers as the ticket prints it, optionally after its line letter,
// registered for a run of consecutive draws into the entry files
// (EntryFile.h) in the form the main tab saves.

inline constexpr int kTicketLineLimit = 50; // lines registered at once
inline constexpr int kMaxContinuedDraws = 5;

// One non-empty line of the text: the seven numbers ascending when it can be
// registered, or why not.
struct TicketLine {
    int lineNumber = 0; // 1-based, counting empty lines too
    QString text;       // the line as typed
    QString letter;     // "A".."E", or empty
    QString rest;       // what follows the letter, its fields one space apart
    QVector<int> numbers;
    QString refusal; // empty when the line can be registered
    bool accepted() const { return refusal.isEmpty(); }
};

// Reads one line: full-width digits, letters, commas and spaces count as
// their ASCII forms; the numbers may be separated by blanks or commas and
// carry leading zeros. An empty or blank line gives nothing.
std::optional<TicketLine> readTicketLine(const QString& line, int lineNumber = 1);

// Reads every non-empty line of the text (lines end at LF, CR or CR LF).
// Lines after the first kTicketLineLimit are refused for that reason.
QVector<TicketLine> readTicketLines(const QString& text);

// The lines that can be registered.
QVector<TicketLine> acceptedTicketLines(const QVector<TicketLine>& lines);

// The draws a ticket covers: `count` draws from `first` on.
struct DrawRun {
    int first = 1;
    int count = 1;
    int last() const { return first + count - 1; }
    // Within 1..kMaxDrawNumber and 1..kMaxContinuedDraws draws.
    bool valid() const;
};

// "第690回～第694回の5回", "第690回の1回"; for a run past the last draw
// number, why it cannot be registered.
QString drawRunText(const DrawRun& run);

// "3口 × 5回 × 300円 = ¥4,500".
QString ticketPriceText(int lines, const DrawRun& run);

// The seven numbers as two-digit texts, separated by one space.
QString ticketNumbersText(const QVector<int>& numbers);

// The line's numbers as a preview shows them: the seven sorted when the line
// can be registered, else what followed its letter, so that the letter
// stands apart in its own column.
QString ticketLineNumbersText(const TicketLine& line);

// Appends one entry line per accepted line to the entry file of each draw of
// the run, exactly as the main tab's save writes its lines. All or nothing:
// when a file cannot be written, the files already written for this run are
// put back as they were, and TAppError names the draw that failed.
void registerTicketLines(const QVector<TicketLine>& lines, const DrawRun& run);
