#pragma once

#include "common/ComType.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <limits>

// The numbers of a draw (1..37) fit a byte each.
using MainNumberArray = std::array<quint8, kPositions>;
using BonusNumberArray = std::array<quint8, kBonusCount>;

// One draw of the draw-result file: draw number, date, the seven main numbers
// in file order (position 1 first) and the two bonus numbers. Kept compact
// (20 bytes), since a table of 100,000 draws is read at start-up: the date is
// held as its Julian day.
struct DrawResult {
    int DrawNumber = 0;
    MainNumberArray MainNumbers{};
    BonusNumberArray BonusNumbers{};

    // An invalid date until one is set.
    QDate drawDate() const { return m_day == kNoDay ? QDate() : QDate::fromJulianDay(m_day); }
    // Dates of the file (years 1 to 9999) only; any other date reads back
    // as invalid.
    void setDrawDate(QDate date) {
        const qint64 day = date.isValid() ? date.toJulianDay() : kNoDay;
        m_day = day > kNoDay && day <= std::numeric_limits<qint32>::max() ? static_cast<qint32>(day)
                                                                          : kNoDay;
    }

private:
    static constexpr qint32 kNoDay = std::numeric_limits<qint32>::min();
    qint32 m_day = kNoDay;
};

// All draws of the last load in file order: index 0 is the newest draw.
class DrawTable {
public:
    int count() const { return static_cast<int>(m_draws.size()); }
    bool isEmpty() const { return m_draws.isEmpty(); }
    const DrawResult& at(int index) const { return m_draws.at(index); }
    const QVector<DrawResult>& draws() const { return m_draws; }

    // First draw in table order with this draw number, or nullptr.
    const DrawResult* findByNumber(int drawNumber) const;
    // Draw number of entry 0; 0 when the table is empty.
    int newestDrawNumber() const;
    // Newest draw number plus one; wide, so that no table can make it overflow.
    qint64 nextDrawNumber() const { return qint64{newestDrawNumber()} + 1; }

    void clear() { m_draws.clear(); }
    void reserve(int n) { m_draws.reserve(n); }
    void append(const DrawResult& draw) { m_draws.append(draw); }

private:
    QVector<DrawResult> m_draws;
};

// How often each number was drawn at each main-number position.
class PositionCounts {
public:
    // position 1..7, number 1..37; out-of-range arguments give 0.
    int at(int position, int number) const;
    void clear();
    void rebuild(const DrawTable& table);
    // Counts one more draw, as rebuild does for each draw of a table.
    void add(const DrawResult& draw);

private:
    std::array<std::array<int, kMaxNumber>, kPositions> m_counts{};
};

// Parses one line of the draw-result file (11 fields, the last one the whole
// rest of the line). Throws TAppError naming the bad field: not an integer,
// not a date, a draw number outside 1..kMaxDrawNumber or a number outside 1..37.
DrawResult parseDrawLine(const QString& line);

// Appends the draws of the lines to the table in order. At the first bad line
// it throws; the draws of the lines before it stay in the table. The program
// loads through readDrawLines (DataFileReader.h); this is the reference its
// tests and benchmarks hold that fast path to.
void appendDrawLines(const QStringList& lines, DrawTable& table);
