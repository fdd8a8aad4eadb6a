#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

#include <optional>

// Where the data files (download/) and the saved lines (client/) live.
//
// Beside the program (programDir()) whenever a file can be created there: a
// folder the user unpacked, installed or built, but never under /usr, which
// the system's packages own. Otherwise, as for a system-wide
// install, they live in one per-user folder (QStandardPaths::AppDataLocation),
// which prepareDataDir() seeds with the starting data kept in the program
// folder's download/; the program then never writes into its own folder.
// The decision is taken once per program folder and kept for the process, so
// the files cannot change folders while the program runs.

// The folder holding download/ and client/. Nothing else builds these paths.
QString dataDir();

// Path of a file in the data folder, e.g. dataPath("download/Loto7Number.csv").
QString dataPath(const QString& relative);

// True when the data folder is the program folder.
bool dataBesideProgram();

// The per-user folder used when the program folder is read-only.
QString userDataDir();

// Whether a file can be created in the folder, found by creating (and
// removing) one: unlike permission bits this also sees read-only mounts,
// access control lists and the powers of root.
bool canCreateFileIn(const QString& folder);

// Decides the writability of the program folder instead of trying it (a test
// running as root can write into a read-only folder); std::nullopt goes back
// to trying. Either way the decision is taken again.
void setProgramDirWritable(std::optional<bool> writable);

// The names of the data files and folders, spelled here only.
inline const QString kDownloadFolder = QStringLiteral("download");
inline const QString kClientFolder = QStringLiteral("client");
inline const QString kDrawFileName = QStringLiteral("Loto7Number.csv");
inline const QString kPrizeFileName = QStringLiteral("Loto7Data.csv");
// Beside each data file, the pair before the last import, kept for one undo.
inline const QString kBackupSuffix = QStringLiteral(".bak");
// In client/: the draws whose winnings the player has cashed.
inline const QString kClaimedFileName = QStringLiteral("claimed.csv");

// In client/, the saved lines of a draw are "<draw number>.csv".
QString entryFileName(const QString& drawNumberText);
// The draw number an entry file's name stands for (plainDrawNumber of the
// part before ".csv"); 0 for any other name, claimed.csv among them.
int drawNumberOfEntryFileName(const QString& name);

// The two data files, as names in download/.
QStringList dataFileNames();

// The draw-result and prize data files and the folder of saved lines, in the
// data folder.
QString drawFilePath();
QString prizeFilePath();
QString clientDir();

// rw-r--r--: a data file written anew gets these (a temporary file is
// private); one that is replaced keeps its own.
inline constexpr QFileDevice::Permissions kDataFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
    QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;

// Gets the data folder ready at start-up. Beside the program: creates client/
// (one level, as always; a failure shows when lines are saved). In the
// per-user folder: creates it with download/ and client/ and seeds download/
// from the program folder's starting data. Failures are not reported here:
// a missing data file is reported by the loader.
void prepareDataDir();

// Copies each data file that `to` lacks from `from`; a file `to` already has
// is never replaced, whatever its age. Each copy is complete or absent: it is
// written to a hidden temporary file in `to` that takes the final name only
// when complete, and only if that name is still free. Temporary files left by
// an interrupted earlier copy are removed. Returns the names copied.
QStringList seedDataFiles(const QString& from, const QString& to);
