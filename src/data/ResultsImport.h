#pragma once

#include "data/DataFilePair.h"
#include "data/DrawIndex.h"
#include "data/DrawTable.h"
#include "data/PrizeTable.h"
#include "data/ResultsText.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

// Taking draws read from text (ResultsText.h) into the two data files:
// comparing them with what the files hold, merging the ones the player takes
// and rewriting both files whole, with the previous pair kept for one undo.

// One data file as it is now: its bytes, the byte range of each line the
// loader reads (in file order) with the draw number the loader read in it,
// and what follows the last of them (a tail behind an empty line, which the
// loader never reads, is kept as it is).
struct HeldFile {
    bool exists = false;
    QByteArray bytes;
    struct Line {
        int drawNumber = 0;
        qsizetype begin = 0; // the line's text, without its line end
        qsizetype end = 0;
    };
    QVector<Line> lines;
    qsizetype tailBegin = 0;
};

// What the two data files of a download/ folder hold now.
class HeldResults {
public:
    // Reads both files; a missing file holds nothing. Throws TAppError when a
    // file cannot be read or has a line the loader would refuse: nothing is
    // merged into a file the program cannot read. A prize line whose draw
    // number is outside 1..kMaxDrawNumber (the loader takes it) is kept as
    // it is and never matched.
    static HeldResults read(const QString& downloadDir);

    const DrawResult* draw(int drawNumber) const;
    // The prize record of a draw, when the prize file holds one.
    std::optional<PrizeRecord> prize(int drawNumber) const;
    int newestDrawNumber() const { return m_newest; }
    const DrawTable& draws() const { return m_draws; }
    const HeldFile& drawFile() const { return m_drawFile; }
    const HeldFile& prizeFile() const { return m_prizeFile; }

private:
    HeldFile m_drawFile;
    HeldFile m_prizeFile;
    DrawTable m_draws;
    PrizeTable m_prizes;
    // Row i of each table is line i of its file.
    DrawIndex m_drawRows;
    DrawIndex m_prizeRows;
    int m_newest = 0;
};

enum class ImportState {
    Refused,     // 不正: fails a check
    AlreadyHeld, // 取込済: the files hold the same draw
    Conflict,    // 競合: the files hold the draw number with other content
    New,         // 新規: a draw, or its prize data, the files lack
};

// One row of the preview.
struct ImportRow {
    ReadDraw draw;
    ImportState state = ImportState::Refused;
    // The reason for the state and the warnings, in the order shown.
    QStringList remarks;
    // The player's tick on a conflicting row: replace what the files hold.
    bool overwrite = false;
    // The index of the draw in the list checked.
    qsizetype readIndex = -1;

    bool taken() const {
        return state == ImportState::New || (state == ImportState::Conflict && overwrite);
    }
};

// The rows of the draws read, newest draw first (rows in the same place in
// the order they were read), each with its state, its reason and its
// warnings: a date that is not a Friday, or not 7 or 14 days after the draw
// before it; draw numbers missing below a new draw; no prize data; a new
// draw whose seven main numbers are those of another draw, held or read.
QVector<ImportRow> checkImport(const QVector<ReadDraw>& draws, const HeldResults& held);

// The preview's texts of a row, in column order: state, draw number, date,
// main numbers, bonus numbers, prize data (有/無), overwrite (empty: the
// grid shows a tick), remarks.
inline constexpr int kImportColumns = 8;
inline constexpr int kImportOverwriteColumn = 6;
QStringList importRowTexts(const ImportRow& row);
QStringList importHeaders();
// All a row holds, for its tooltip: the draw, each tier's winners and amount,
// the carry-over, and every remark on a line of its own.
QString importRowDetails(const ImportRow& row);

// "5件読込 ／ 3件新規 ／ 1件取込済 ／ 1件競合 ／ 0件不正".
QString importSummary(const QVector<ImportRow>& rows);
bool anyRowTaken(const QVector<ImportRow>& rows);

// The normalised lines of a draw for the two files, without the line end.
QByteArray normalDrawLine(const ReadDraw& draw);
QByteArray normalPrizeLine(const PrizeRecord& prize);

// The new content of both files: every line held, with the taken rows added
// or, ticked to overwrite, replacing the held line of their draw number;
// newest draw first, CR LF. A row without prize data adds to the draw file
// only; a row that brings prize data alone adds to the prize file only.
struct MergedFiles {
    QByteArray draws;
    QByteArray prizes;
};
MergedFiles mergeImport(const HeldResults& held, const QVector<ImportRow>& rows);

// What an import wrote, for telling whether the files are still those.
struct ImportRecord {
    QByteArray drawDigest;
    QByteArray prizeDigest;
    bool valid() const { return !drawDigest.isEmpty(); }
};

// Keeps the pair as it was as Loto7Number.csv.bak and Loto7Data.csv.bak, then
// replaces both files as one pair (PairReplacement, DataFilePair.h): a kill
// leaves the old pair or one the next start finishes. Throws TAppError naming
// the file and the reason, with the old pair in place (or, should even
// putting it back fail, pending for the next start); the backup pair may
// then be half replaced, so an earlier record must not be used for an undo
// any more. The record is valid (undo is possible) only when both files
// existed before. Both this and undoImport first settle a pair left pending
// (then they throw the message for the player instead, since the files are no
// longer those the caller read) and clear the temporary copies a kill left
// beside the four files.
ImportRecord writeImport(const QString& downloadDir, const HeldResults& held,
                         const MergedFiles& merged);

// Whether the last import can be undone: its backup pair is there and the
// files are still exactly the ones it wrote.
bool canUndoImport(const QString& downloadDir, const ImportRecord& last);
// Puts the backup pair back as one pair. Throws TAppError.
void undoImport(const QString& downloadDir);
