#pragma once

#include "common/DataFolder.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

class QTemporaryFile;

// Replacing the two data files of a download/ folder as one pair. The draws
// of one file and the prize data of the other belong together, so a kill must
// never leave a new draw file beside an old prize file unnoticed: each new
// file is first written whole beside its target ("<name>.new"), then a note
// of the pending pair is written, and only then are the new files renamed
// over their targets, one after the other. Whoever finds the note (the next
// start, import, undo or download) settles the pair: it finishes the renames
// or, when a new file is not what the note expects, puts back the ".bak" pair
// that the note names as the pair before.

// Beside each data file, its new content while a replacement is pending (the
// pair before the last import is the kBackupSuffix pair of DataFolder.h).
inline const QString kStagedSuffix = QStringLiteral(".new");
inline const QString kPairNoteName = QStringLiteral("Loto7Pair.pending");

class PairReplacement {
public:
    // Whether the folder's .bak pair is whole and may stand for the pair when
    // the new one cannot be finished: an import writes it first, an undo puts
    // it back; a download keeps none.
    enum class Fallback { None, Backups };

    PairReplacement(QString downloadDir, Fallback fallback);
    // Removes the staged files when commit() was never reached or failed
    // before the note; once the note is written they belong to it.
    ~PairReplacement();
    PairReplacement(const PairReplacement&) = delete;
    PairReplacement& operator=(const PairReplacement&) = delete;

    // The new content of the data file `name`, written whole beside it; its
    // SHA-256 `digest` (empty: not known) lets a later settle check the file
    // before keeping it rather than the .bak pair.
    // A file not staged stays as it is. Throws TAppError.
    void stage(const QString& name, const QByteArray& bytes, const QByteArray& digest);
    // A finished file of the same folder (a download's checked body) as the
    // new content of `name`: it is moved, not copied. Throws TAppError.
    void stageFile(const QString& name, QTemporaryFile& file);

    // Notes the pending pair, renames each staged file over its target and
    // removes the note. Throws TAppError naming the file and the reason; the
    // pair is then settled at once where it can be, else at the next start.
    void commit();

private:
    struct Staged {
        QString name;
        QByteArray digest;
    };
    QString path(const QString& name) const;
    void dropStaged();

    QString m_dir;
    Fallback m_fallback;
    QVector<Staged> m_staged;
    bool m_noted = false;
};

// What settling a pending pair did.
enum class PairSettled {
    Nothing,    // no pair was pending
    Finished,   // the new pair is in place
    RolledBack, // the .bak pair is back
};

// Settles the pair a kill interrupted (see above) and removes staged files
// that no note names. Throws TAppError when a file cannot be renamed or
// written; the note then stays for the next time.
PairSettled settlePendingPair(const QString& downloadDir);

// The message for the player about a settled pair; empty for Nothing.
QString pairSettledMessage(PairSettled settled);

// Test hook: runs after each staged file has replaced its target. A hook that
// throws (anything but TAppError) stops the replacement there, as a kill would.
void setPairRenameHook(std::function<void(const QString& name)> hook);
