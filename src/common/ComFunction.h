#pragma once

#include "common/ComType.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

// ---- files and folders ---------------------------------------------------

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

// Lines of a text file up to the first empty line, without terminators.
// A line ends at CR (one LF right after it is skipped), at character 26 or at
// the end of the file; a bare LF stays inside the line. Characters 0..32 other
// than CR and 26 are dropped at the start of each line. A missing file gives
// an empty list; a file that exists but cannot be read throws TAppError.
QStringList ReadLines(const QString& path);

// ---- fields of the data files --------------------------------------------

// Takes the next field from the front of a line: the text before the first
// comma, which is removed with the comma. Without a comma the whole rest is
// the field and the rest becomes empty.
QString takeField(QString& rest);

// A bad value as an error text quotes it: at most its first 40 characters,
// then "…", so that one huge field cannot make the error box unusable.
QString quotedValueText(QStringView text);

// Conversions that throw TAppError naming the bad text (as quotedValueText
// shortens it), in the words the user sees: "'x' は整数ではありません" and so on.
int parseInteger(const QString& text);
QDate parseDate(const QString& text);
long double parseFloat(const QString& text);

// ---- text forms ----------------------------------------------------------

QString formatDrawNumber5(int drawNumber); // right-aligned in 5: "    7"
QString formatTwoDigits(int number);       // "05"
QString formatDate(const QDate& date);     // "2013/04/05"
QString formatCount(long double value);    // rounded, comma groups: "1,235"

// Half away from zero (1234.5 -> 1235); values beyond 64 bits clamped, and
// non-numbers 0: the rounding of the count and yen formats.
qint64 roundToInteger(long double value);
QString formatYen(long double amount);      // "¥3,000,000,000", "¥0"
QString formatClock(const QDateTime& time); // "2013/04/05 09:07:03"
QString groupDigits(qint64 value);          // "1,234,567"

// The yen sign used for amounts (U+00A5), whatever the system locale.
inline const QString kYenSign = QStringLiteral("\u00a5");

// ---- version ---------------------------------------------------------------

// Splits a dotted version text; empty parts are skipped, missing or
// non-numeric parts count 0. The text itself is kept unchanged.
TVersion parseVersion(const QString& text);

// The version compiled into this build.
TVersion buildVersion();
