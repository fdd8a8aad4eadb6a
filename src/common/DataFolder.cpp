#include "common/DataFolder.h"

#include "common/ComType.h"
#include "common/ProgramFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {

struct Decision {
    QString programDir;
    QString dataDir;
};

std::optional<Decision>& decision() {
    static std::optional<Decision> taken;
    return taken;
}

std::optional<bool>& writableOverride() {
    static std::optional<bool> writable;
    return writable;
}

const Decision& currentDecision() {
    const QString program = programDir();
    std::optional<Decision>& taken = decision();
    if (!taken || taken->programDir != program) {
        // The system's program tree (/usr) is read-only by rule: root, who
        // can write there, must not change what a package owns.
        const bool system = QDir::cleanPath(QFileInfo(program).absoluteFilePath())
                                .startsWith(QStringLiteral("/usr/"));
        const bool writable =
            writableOverride() ? *writableOverride() : !system && canCreateFileIn(program);
        const QString user = userDataDir();
        // Without a home there is no other place: failures then show when
        // the files are read or written, as they would beside the program.
        taken = Decision{program, writable || user.isEmpty() ? program : user};
    }
    return *taken;
}

QString seedTemplate(const QString& name) {
    return QStringLiteral(".%1.seed-").arg(name);
}

// Writes for itself rather than through writeFileAtomically: the final rename
// must never replace a file that is already there.
bool copyWhole(const QString& source, const QDir& folder, const QString& name) {
    std::optional<QByteArray> bytes;
    try {
        bytes = readFileIfExists(source);
    } catch (const TAppError&) {
        return false;
    }
    if (!bytes)
        return false;

    QTemporaryFile temp(folder.filePath(seedTemplate(name) + QStringLiteral("XXXXXX")));
    if (!temp.open() || temp.write(*bytes) != bytes->size() || !temp.flush())
        return false;
    temp.close();
    if (temp.error() != QFileDevice::NoError)
        return false;
    temp.setPermissions(kDataFilePermissions);
    // QFile::rename never replaces an existing file: a copy that another
    // start finished meanwhile stays, and this one is dropped.
    if (!QFile::rename(temp.fileName(), folder.filePath(name)))
        return false;
    temp.setAutoRemove(false);
    return true;
}

} // namespace

QString dataDir() {
    return currentDecision().dataDir;
}

QString dataPath(const QString& relative) {
    return QDir(dataDir()).filePath(relative);
}

bool dataBesideProgram() {
    const Decision& taken = currentDecision();
    return taken.dataDir == taken.programDir;
}

QString userDataDir() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool canCreateFileIn(const QString& folder) {
    if (folder.isEmpty())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".septarion-write-test-XXXXXX")));
    return probe.open(); // removed again when the probe goes
}

void setProgramDirWritable(std::optional<bool> writable) {
    writableOverride() = writable;
    decision().reset();
}

QStringList dataFileNames() {
    return {kDrawFileName, kPrizeFileName};
}

QString drawFilePath() {
    return dataPath(kDownloadFolder + u'/' + kDrawFileName);
}

QString prizeFilePath() {
    return dataPath(kDownloadFolder + u'/' + kPrizeFileName);
}

QString clientDir() {
    return dataPath(kClientFolder);
}

namespace {
const QString kEntryFileSuffix = QStringLiteral(".csv");
} // namespace

QString entryFileName(const QString& drawNumberText) {
    return drawNumberText + kEntryFileSuffix;
}

int drawNumberOfEntryFileName(const QString& name) {
    return name.endsWith(kEntryFileSuffix)
               ? plainDrawNumber(QStringView(name).chopped(kEntryFileSuffix.size()))
               : 0;
}

void prepareDataDir() {
    const QDir data(dataDir());
    if (dataBesideProgram()) {
        data.mkdir(kClientFolder);
        return;
    }
    data.mkpath(kDownloadFolder);
    data.mkpath(kClientFolder);
    seedDataFiles(QDir(programDir()).filePath(kDownloadFolder), data.filePath(kDownloadFolder));
}

QStringList seedDataFiles(const QString& from, const QString& to) {
    const QDir source(from);
    const QDir target(to);
    QStringList copied;
    for (const QString& name : dataFileNames()) {
        removeTemporaryLeftovers(target.path(), seedTemplate(name));
        if (QFileInfo::exists(target.filePath(name)) || !source.exists(name))
            continue;
        if (copyWhole(source.filePath(name), target, name))
            copied.append(name);
    }
    return copied;
}
