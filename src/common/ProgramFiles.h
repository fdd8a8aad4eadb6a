#pragma once

#include "common/AppError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The program folder and the file operations shared by every file the
// program reads or writes.

// The folder that holds the executable ("beside the program"). Tests point it
// at a temporary folder with setProgramDir(). The data files and the saved
// lines are reached through dataPath() (DataFolder.h), which is this folder
// only when the program may write into it.
QString programDir();
void setProgramDir(const QString& dir);

// Path of a file beside the program that is only read, e.g. the manual.
QString programPath(const QString& relative);

// Removes the files of the folder named `prefix` followed by exactly six ASCII
// letters: what a QTemporaryFile or QSaveFile made from the template
// prefix + "XXXXXX" leaves behind when its process is killed before the file
// was renamed or removed. Nothing else is touched; a file that cannot be
// removed is left for the next time.
void removeTemporaryLeftovers(const QString& folder, const QString& prefix);

// Replaces the file by `bytes` as one step: a temporary file beside the target
// takes the content and is renamed over the target only when fully written.
// Throws TAppError "ファイルに書き込めません: <path>" with the reason.
void writeFileAtomically(const QString& path, const QByteArray& bytes);

// What writeFileAtomically leaves beside `path` when its process is killed
// between writing and renaming: "<name>.XXXXXX". Removed only beside the
// program's own files (never beside an export the user named).
void removeWriteLeftovers(const QString& path);

// writeFileAtomically for a file the program owns (data files, entry files,
// their backups), after removeWriteLeftovers: the one writer of such files.
void writeOwnFile(const QString& path, const QByteArray& bytes);

// The whole content of a file; nothing for a missing file. A file that exists
// but cannot be opened or read throws TAppError "ファイルを開けません: <path>"
// or "ファイルを読み込めません: <path>" with the reason.
std::optional<QByteArray> readFileIfExists(const QString& path);

// The errors of every file read, as TAppError: "ファイルを開けません: <path>" or
// "ファイルを読み込めません: <path>", then the reason on the next line.
TAppError fileOpenError(const QString& path, const QString& reason);
TAppError fileReadError(const QString& path, const QString& reason);

// Lines of a text file up to the first empty line, without terminators.
// A line ends at CR (one LF right after it is skipped), at character 26 or at
// the end of the file; a bare LF stays inside the line. Characters 0..32 other
// than CR and 26 are dropped at the start of each line. A missing file gives
// an empty list; a file that exists but cannot be read throws TAppError.
QStringList ReadLines(const QString& path);
