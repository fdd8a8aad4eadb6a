#pragma once

#include "common/ComType.h"
#include <QHash>
#include <QString>

#include <QStringList>
#include <QVector>
#include <array>
#include <limits>

inline constexpr int kPrizeColumns = 14;

// One draw of the prize-data file: winners and amount of the six tiers and the
// carry-over. They are read as decimal numbers but only ever shown rounded to
// whole numbers, so they are kept rounded, in 64 bits: yen amounts beyond 32
// bits stay exact. The table keeps them more compactly still.
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

// The records of the last load in file order. Each is kept in 60 bytes:
// counts and amounts in 32 bits, the carry-over (often beyond 32 bits) in 64;
// the rare count or amount outside 32 bits is kept aside, so every value
// reads back exactly as it was appended.
class PrizeTable {
public:
    int count() const { return static_cast<int>(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    PrizeRecord at(int index) const;
    void clear();
    void reserve(int n) { m_rows.reserve(n); }
    void append(const PrizeRecord& record);

private:
    static constexpr int kNarrowValues = 2 * kPrizeTiers; // winners and amount of each tier
    struct Row {
        qint32 drawNumber;
        // Tier t's winners at 2t, its amount at 2t + 1; kWide: kept in m_wide.
        std::array<qint32, kNarrowValues> values;
        // Two halves, so that the row needs no 64-bit alignment.
        std::array<quint32, 2> carryOver;
    };
    static constexpr qint32 kWide = std::numeric_limits<qint32>::min();

    QVector<Row> m_rows;
    // Values that do not fit 32 bits, by row * kNarrowValues + value index.
    QHash<qint64, qint64> m_wide;
};

// Parses one line of the prize-data file (14 fields, the last the whole rest).
// Throws TAppError: "'x' は整数ではありません" for the draw number,
// "'x' は浮動小数点数ではありません" for the others.
PrizeRecord parsePrizeLine(const QString& line);

// Appends the records of the lines in order; at the first bad line it throws,
// keeping the records before it. The reference for readPrizeLines
// (DataFileReader.h), which the program loads through.
void appendPrizeLines(const QStringList& lines, PrizeTable& table);
