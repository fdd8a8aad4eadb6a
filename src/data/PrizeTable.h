#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

inline constexpr int kPrizeTiers = 6;
inline constexpr int kPrizeColumns = 14;

// One draw of the prize-data file: winners and amount of the six tiers and the
// carry-over. They are read as decimal numbers but only ever shown rounded to
// whole numbers, so they are kept rounded, in 64 bits: yen amounts beyond 32
// bits stay exact, and the record is half the size of one holding extended
// floating-point values (a table of 100,000 draws is read at start-up).
struct PrizeRecord {
    int DrawNumber = 0;
    std::array<qint64, kPrizeTiers> Winners{};
    std::array<qint64, kPrizeTiers> Amounts{};
    qint64 CarryOver = 0;

    // The 14 texts of the prize view, in column order: draw number, then for
    // each tier its count ("1,235") and amount ("¥3,000"), then the carry-over.
    QStringList displayTexts() const;
    // One of them, column 0 to 13; empty for any other column.
    QString displayText(int column) const;
};

class PrizeTable {
public:
    int count() const { return static_cast<int>(m_records.size()); }
    bool isEmpty() const { return m_records.isEmpty(); }
    const PrizeRecord& at(int index) const { return m_records.at(index); }
    const QVector<PrizeRecord>& records() const { return m_records; }
    void clear() { m_records.clear(); }
    void reserve(int n) { m_records.reserve(n); }
    void append(const PrizeRecord& record) { m_records.append(record); }

private:
    QVector<PrizeRecord> m_records;
};

// Parses one line of the prize-data file (14 fields, the last the whole rest).
// Throws TAppError: "'x' は整数ではありません" for the draw number,
// "'x' は浮動小数点数ではありません" for the others.
PrizeRecord parsePrizeLine(const QString& line);

// Appends the records of the lines in order; at the first bad line it throws,
// keeping the records before it.
void appendPrizeLines(const QStringList& lines, PrizeTable& table);
