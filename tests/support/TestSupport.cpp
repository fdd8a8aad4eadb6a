#include "TestSupport.h"

#include "common/ProgramNames.h"

#include "SampleData.h"
#include "common/Formats.h"
#include "common/ProgramFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>

#include <csignal>
#include <sys/resource.h>

void isolateTestEnvironment() {
    static QTemporaryDir home; // lives until the process ends
    const QByteArray base = home.path().toLocal8Bit();
    QDir(home.path()).mkpath(QStringLiteral("config"));
    QDir(home.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HOME", base);
    qputenv("XDG_CONFIG_HOME", base + "/config");
    qputenv("XDG_RUNTIME_DIR", base + "/runtime");
    // Offscreen, with the screens a test may name (offscreen:configfile=...).
    if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QSettings programSettings() {
    return QSettings(organizationName(), programName());
}

void clearProgramSettings() {
    QSettings settings = programSettings();
    settings.clear();
    settings.sync();
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    rlimit old{};
    if (getrlimit(RLIMIT_FSIZE, &old) != 0)
        return;
    m_oldCurrent = qint64(old.rlim_cur);
    m_oldMaximum = qint64(old.rlim_max);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = rlim_t(bytes);
    m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    if (!m_active)
        std::signal(SIGXFSZ, m_oldHandler);
}

FileSizeLimit::~FileSizeLimit() {
    if (!m_active)
        return;
    rlimit old{};
    old.rlim_cur = rlim_t(m_oldCurrent);
    old.rlim_max = rlim_t(m_oldMaximum);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, m_oldHandler);
}

TempProgramDir::TempProgramDir() {
    setProgramDir(m_dir.path());
}

TempProgramDir::~TempProgramDir() {
    setProgramDir(QString());
}

QString TempProgramDir::filePath(const QString& relative) const {
    return m_dir.filePath(relative);
}

void TempProgramDir::writeFile(const QString& relative, const QByteArray& bytes) const {
    const QString path = filePath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(bytes);
}

QByteArray TempProgramDir::readFile(const QString& relative) const {
    QFile file(filePath(relative));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool TempProgramDir::exists(const QString& relative) const {
    return QFileInfo::exists(filePath(relative));
}

void TempProgramDir::writeDataFiles(const QByteArray& draws, const QByteArray& prizes) const {
    writeFile(QStringLiteral("download/Loto7Number.csv"), draws);
    writeFile(QStringLiteral("download/Loto7Data.csv"), prizes);
}

void TempProgramDir::writeSampleData(int drawCount) const {
    const SampleFiles files = makeSampleFiles(drawCount);
    writeDataFiles(files.drawResults, files.prizeData);
}

QByteArray drawLine(int drawNumber, const QString& date, const QList<int>& mains,
                    const QList<int>& bonus) {
    QStringList fields{QString::number(drawNumber), date};
    for (int n : mains)
        fields.append(formatTwoDigits(n));
    for (int n : bonus)
        fields.append(formatTwoDigits(n));
    return fields.join(u',').toLatin1() + "\r\n";
}

QByteArray prizeLine(int drawNumber) {
    return QByteArray::number(drawNumber) +
           ",0,0,5,12000000,120,600000,4000,8000,80000,1500,150000,1000,800000000\r\n";
}

void TempProgramDir::writeStartingData() const {
    for (const char* name : {"Loto7Number.csv", "Loto7Data.csv"}) {
        QFile file(QDir(startingDataDir()).filePath(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        writeFile(QStringLiteral("download/") + QLatin1String(name), file.readAll());
    }
}

QString startingDataDir() {
    return QStringLiteral(SEPTARION_STARTING_DATA_DIR);
}

QMap<QString, QByteArray> folderSnapshot(const QString& folder) {
    QMap<QString, QByteArray> entries;
    const QDir root(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        if (it.fileInfo().isDir()) {
            entries.insert(relative + u'/', {});
        } else {
            QFile file(path);
            entries.insert(relative,
                           file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)");
        }
    }
    return entries;
}

void setTreeWritable(const QString& folder, bool writable) {
    QStringList paths{folder};
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(it.next());
    for (const QString& path : paths) {
        QFileDevice::Permissions permissions = QFile::permissions(path);
        if (writable)
            permissions |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
        else
            permissions &= ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                             QFileDevice::WriteGroup | QFileDevice::WriteOther);
        QFile::setPermissions(path, permissions);
    }
}

QString mutatedLine(const QString& line, const QString& alphabet, QRandomGenerator& random) {
    QString result = line;
    for (int edits = 1 + random.bounded(3); edits > 0; --edits) {
        const int pos = random.bounded(static_cast<int>(result.size()) + 1);
        const QChar c = alphabet[random.bounded(static_cast<int>(alphabet.size()))];
        switch (random.bounded(3)) {
        case 0:
            result.insert(pos, c);
            break;
        case 1:
            if (pos < result.size())
                result[pos] = c;
            break;
        default:
            result.remove(pos, 1);
        }
    }
    return result;
}
