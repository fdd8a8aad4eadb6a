#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QMap>
#include <QString>

// client/claimed.csv: the draws whose prize was cashed, one line per draw,
// "<draw number>,<YYYY/MM/DD the tick was set>". Lines of another shape are
// not the program's: they are kept, in place and byte for byte (whatever their
// encoding), whatever is ticked or unticked.
class ClaimedFile {
public:
    // The file's bytes as read; an empty or missing file has no lines.
    static ClaimedFile fromBytes(const QByteArray& bytes);
    // The file of the data folder; nothing when it is missing. Throws TAppError
    // when it exists but cannot be read.
    static ClaimedFile read();
    static QString path();

    // The cashed draws with the day each was ticked; for a draw listed twice,
    // the first line.
    QMap<int, QDate> claimed() const;
    bool isClaimed(int drawNumber) const { return claimed().contains(drawNumber); }
    // Adds the draw's line (nothing when it is there already).
    void tick(int drawNumber, const QDate& on);
    // Removes every line of the draw.
    void untick(int drawNumber);

    // The lines with CR LF after each, behind the byte-order mark the file
    // was read with.
    QByteArray bytes() const;
    // Writes the file as one step (writeOwnFile); throws TAppError.
    void write() const;

private:
    QList<QByteArray> m_lines;
    bool m_byteOrderMark = false;
};

// The draw number and date of a line of the program's shape, or 0.
int claimedDrawOfLine(const QString& line, QDate* on = nullptr);
