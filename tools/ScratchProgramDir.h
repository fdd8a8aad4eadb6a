#pragma once

#include <QString>
#include <QTemporaryDir>

// A program folder of a tool's own, in a temporary folder that goes with the
// object. The window a tool drives creates client/, saves lines and writes
// settings; run over a folder the user named, it would change the user's
// saved lines. So the tools copy the data files here and never write into the
// folder they were given. Settings and other per-user files of the run go
// into the temporary folder too. Create it before the application object.
class ScratchProgramDir {
public:
    ScratchProgramDir();
    ScratchProgramDir(const ScratchProgramDir&) = delete;
    ScratchProgramDir& operator=(const ScratchProgramDir&) = delete;

    // Copies Loto7Number.csv and Loto7Data.csv of the folder into download/.
    // False, with a message on stderr, when one cannot be copied.
    bool copyDataFrom(const QString& dataFolder) const;
    // The program folder (it holds download/ once the data are copied).
    QString path() const;
    QString filePath(const QString& relative) const;

private:
    QTemporaryDir m_dir;
};
