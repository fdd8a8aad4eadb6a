#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest/QtTest>

#include "common/AppError.h"

class QRandomGenerator;

// Points the settings store, the runtime folder and the home folder of this
// test process at a fresh temporary folder, so no test ever touches the
// user's own. Call before the QApplication is created (SEPTARION_TEST_MAIN).
void isolateTestEnvironment();

// The program's settings store (the organisation and application names the
// program gives it), inside this test process's isolated settings location.
QSettings programSettings();
// Empties the program's settings store, as on a first start.
void clearProgramSettings();

// Limits the size of files this process may write while it lives, as a full
// disk would (the limit binds root too): writes beyond it fail with EFBIG
// instead of raising SIGXFSZ. The old limit and signal handler come back at
// the end of the scope.
class FileSizeLimit {
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    // Whether the limit was set; check it, or the test proves nothing.
    bool active() const { return m_active; }

private:
    qint64 m_oldCurrent = 0;
    qint64 m_oldMaximum = 0;
    void (*m_oldHandler)(int) = nullptr;
    bool m_active = false;
};

// A temporary folder used as the program folder while it lives.
class TempProgramDir {
public:
    TempProgramDir();
    ~TempProgramDir();
    TempProgramDir(const TempProgramDir&) = delete;
    TempProgramDir& operator=(const TempProgramDir&) = delete;

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relative) const;
    void writeFile(const QString& relative, const QByteArray& bytes) const;
    QByteArray readFile(const QString& relative) const;
    bool exists(const QString& relative) const;
    // Writes download/Loto7Number.csv and download/Loto7Data.csv.
    void writeDataFiles(const QByteArray& draws, const QByteArray& prizes) const;
    // Writes generated sample files of this many draws.
    void writeSampleData(int drawCount) const;
    // Copies the real starting data (draws 1 to 689) into download/.
    void writeStartingData() const;

private:
    QTemporaryDir m_dir;
};

// Draw-result and prize lines in the file formats, for small hand-made files.
QByteArray drawLine(int drawNumber, const QString& date, const QList<int>& mains,
                    const QList<int>& bonus);
QByteArray prizeLine(int drawNumber);

// The text of the TAppError that the call throws, or "(no error)".
template <typename Call> QString errorOf(Call call) {
    try {
        call();
    } catch (const TAppError& e) {
        return e.text();
    }
    return QStringLiteral("(no error)");
}

// A copy of the line with one to three random edits (insert, replace or
// remove a character from the alphabet), for comparing two parsers.
QString mutatedLine(const QString& line, const QString& alphabet, QRandomGenerator& random);

// The starting data the program ships (data/download of the project): the
// real results of draws 1 to 689, there in every clone.
QString startingDataDir();
inline constexpr int kStartingDraws = 689;

// Every file and folder under the folder, hidden ones included, by relative
// path (folders end in "/") with the file's bytes: for checking that nothing
// in a folder was added, removed or changed.
QMap<QString, QByteArray> folderSnapshot(const QString& folder);

// Takes the write permission from the folder and everything in it, or gives
// the owner's back (a temporary folder must be writable to be removed).
void setTreeWritable(const QString& folder, bool writable);

// main() of a test without widgets, in an isolated environment.
#define SEPTARION_CORE_TEST_MAIN(TestObject)                                                       \
    int main(int argc, char** argv) {                                                              \
        isolateTestEnvironment();                                                                  \
        QCoreApplication app(argc, argv);                                                          \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
