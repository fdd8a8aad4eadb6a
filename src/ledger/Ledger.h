#pragma once

#include "common/Spending.h"
#include "data/DrawTable.h"
#include "data/PrizeTable.h"

#include <QByteArray>
#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>

// The winnings-and-spending ledger: every saved line of client/<n>.csv checked
// against draw n, summed per draw, per year and over everything.

// The lines of one entry file, named by the draw number in its file name.
struct LedgerFile {
    int drawNumber = 0;
    QString fileName; // "689.csv"
    QStringList lines;
};

// One draw that has at least one readable line.
struct LedgerRow {
    int drawNumber = 0;
    bool drawn = false;                       // the draw table holds its result
    QDate drawDate;                           // valid when drawn
    int lines = 0;                            // readable lines
    std::array<int, kPrizeTiers> tierLines{}; // lines won per tier, 1等 first
    qint64 won = 0;                           // sum of the known amounts of the winning lines
    bool amountUnknown = false;               // a winning line whose amount the prize data lacks
    QDate claimedOn;                          // valid when the prize was marked as cashed

    qint64 cost() const { return qint64{lines} * kLinePrice; }
    qint64 net() const { return won - cost(); }
    int winningLines() const;
    // The last day a prize can be claimed: one year after the draw; invalid
    // when nothing was won.
    QDate deadline() const;
    bool expired(const QDate& today) const;
    bool claimed() const { return claimedOn.isValid(); }
    // An unexpired win not cashed yet whose deadline is at most 30 days away.
    bool deadlineNear(const QDate& today) const;
    // A win not cashed yet whose deadline is at most 30 days away or passed
    // less than 7 days ago: what the start-up reminds of.
    bool remindDue(const QDate& today) const;
    // The year the row is counted in: the draw's; for a draw without a result
    // the year of today, as such a draw is still to come.
    int year(const QDate& today) const;
};

// Lines that could not be read as seven numbers, per file.
struct LedgerSkip {
    QString fileName;
    int lines = 0;
};

struct Ledger {
    QVector<LedgerRow> rows; // newest draw first
    QVector<LedgerSkip> skipped;
    int skippedLines() const;
};

struct LedgerTotals : Spending {
    bool amountUnknown = false;
};

// The numbers of a saved line as the matching tab reads it. A fast path beside
// the general comma-text reader; a test compares the two (the fields after
// the draw number, the two-digit texts "01".."37"); false when one of the
// seven is not such a number.
bool readLedgerLine(const QString& line, std::array<int, kPositions>& numbers);

// The ledger of these files against the tables. Files of the same draw number
// are added together; a file without a readable line adds no row.
Ledger buildLedger(const QVector<LedgerFile>& files, const DrawTable& draws,
                   const PrizeTable& prizes);

// The entry files of a folder: every "<n>.csv" whose n is a draw number in
// plain decimal (1..kMaxDrawNumber); other files are not entry files. A
// missing folder has none. Reading only; throws TAppError when a file exists
// but cannot be read.
QVector<LedgerFile> readLedgerFiles(const QString& folder);

// The years of the rows, newest first, each once.
QVector<int> ledgerYears(const Ledger& ledger, const QDate& today);

// The rows of one year (0: all), in ledger order.
QVector<LedgerRow> ledgerRowsOfYear(const Ledger& ledger, int year, const QDate& today);

LedgerTotals ledgerTotals(const QVector<LedgerRow>& rows);

// The columns of the ledger grid (and of its CSV file), in order.
enum class LedgerColumn {
    Draw,
    Date,
    Lines,
    Cost,
    Tier1,
    Tier2,
    Tier3,
    Tier4,
    Tier5,
    Tier6,
    Won,
    Net,
    Deadline,
    Claimed,
    Count
};
inline constexpr int kLedgerColumns = static_cast<int>(LedgerColumn::Count);

// The draws whose claim deadline could make remindDue true today, in table
// order: a deadline is the draw date plus one year.
QVector<int> remindDrawNumbers(const DrawTable& draws, const QDate& today);

// The entry files "<n>.csv" of these draws in the folder, those that exist
// (readLedgerFiles for a few draws). Throws TAppError as it does.
QVector<LedgerFile> readLedgerFilesOf(const QString& folder, const QVector<int>& drawNumbers);

// Marks the rows of the cashed draws (and unmarks the others).
void markClaimed(QVector<LedgerRow>& rows, const QMap<int, QDate>& claimed);

// The wins not cashed yet whose deadline has not passed.
struct LedgerUnclaimed {
    int rows = 0;
    qint64 amount = 0;          // the known amounts
    bool amountUnknown = false; // a row whose amount is not known
};
LedgerUnclaimed ledgerUnclaimed(const QVector<LedgerRow>& rows, const QDate& today);
// "未換金 ¥12,300（3件）"; "未換金 なし" when there is nothing.
QString ledgerUnclaimedText(const LedgerUnclaimed& unclaimed);

// The rows the start-up reminds of (remindDue), the nearest deadline first.
QVector<LedgerRow> ledgerRemindRows(const QVector<LedgerRow>& rows, const QDate& today);
// The reminder's text: a heading, then up to `maxRows` rows "第N回 tier
// amount 支払期限 date", the date followed by 期限切れ once it has passed,
// then how many more there are.
QString ledgerRemindText(const QVector<LedgerRow>& rows, const QDate& today, int maxRows = 10);

// How a row's counts and amounts are written: as the grid shows them
// ("¥1,200"), or as plain numbers a spreadsheet can sum ("1200").
enum class LedgerFigures { Shown, Plain };

// The headers of the columns and the texts of a row in them.
QStringList ledgerHeaders();
QStringList ledgerRowTexts(const LedgerRow& row, const QDate& today,
                           LedgerFigures figures = LedgerFigures::Shown);

// The rows as a CSV file: UTF-8 with a byte-order mark, the headers first,
// CR LF line ends, the figures plain.
QByteArray ledgerCsv(const QVector<LedgerRow>& rows, const QDate& today);
