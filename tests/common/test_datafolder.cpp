// Where the data files and saved lines live: beside a writable program
// folder, otherwise in the per-user folder seeded with the starting data;
// and that the loader's, the download's and the entry files' paths follow.
#include "DownloadFixture.h"
#include "TestSupport.h"

#include "common/DataFolder.h"
#include "common/ProgramFiles.h"
#include "data/Download.h"
#include "entries/EntryFile.h"

#include <QDir>
#include <QStandardPaths>
#include <unistd.h>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QStringList entriesOf(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class TestDataFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<TempProgramDir> m_dir;

    QString userFile(const QString& relative) { return QDir(userDataDir()).filePath(relative); }

private slots:
    void init() {
        QDir(userDataDir()).removeRecursively();
        m_dir = std::make_unique<TempProgramDir>();
        m_dir->writeStartingData();
    }
    void cleanup() {
        setProgramDirWritable(std::nullopt);
        if (m_dir)
            setTreeWritable(m_dir->path(), true);
        m_dir.reset();
        resetDownloadSettings();
    }

    void writableProgramFolderKeepsEverythingBesideIt() {
        const QString program = m_dir->path();
        QCOMPARE(dataDir(), program);
        QVERIFY(dataBesideProgram());
        QCOMPARE(dataPath(QStringLiteral("download/Loto7Number.csv")),
                 m_dir->filePath(QStringLiteral("download/Loto7Number.csv")));
        QCOMPARE(entryFilePath(QStringLiteral("690")),
                 m_dir->filePath(QStringLiteral("client/690.csv")));

        prepareDataDir();
        // Only client/ is added; the probe left nothing behind, and nothing
        // went to the per-user folder.
        QCOMPARE(entriesOf(program), QStringList({"client", "download"}));
        QCOMPARE(entriesOf(m_dir->filePath(QStringLiteral("download"))),
                 QStringList({"Loto7Data.csv", "Loto7Number.csv"}));
        QVERIFY(!QFileInfo::exists(userDataDir()));
    }

    void readOnlyProgramFolderUsesTheSeededUserFolder() {
        setProgramDirWritable(false);
        setTreeWritable(m_dir->path(), false);
        const auto before = folderSnapshot(m_dir->path());
        const QString user = userDataDir();
        QVERIFY(user.startsWith(QDir::homePath() + u'/')); // the test's own home
        QCOMPARE(dataDir(), user);
        QVERIFY(!dataBesideProgram());
        QCOMPARE(entryFilePath(QStringLiteral("690")), userFile(QStringLiteral("client/690.csv")));

        prepareDataDir();
        for (const QString& name : dataFileNames())
            QCOMPARE(fileBytes(userFile(QStringLiteral("download/") + name)),
                     fileBytes(QDir(startingDataDir()).filePath(name)));
        QVERIFY(QFileInfo(userFile(QStringLiteral("client"))).isDir());
        QCOMPARE(entriesOf(userFile(QStringLiteral("download"))),
                 QStringList({"Loto7Data.csv", "Loto7Number.csv"}));

        // Saved lines and downloads land in the per-user folder too.
        appendEntryLines(entryFilePath(QStringLiteral("690")),
                         {{"690", "01", "02", "03", "04", "05", "06", "07"}});
        QCOMPARE(fileBytes(userFile(QStringLiteral("client/690.csv"))),
                 QByteArray("690,01,02,03,04,05,06,07\r\n"));
        LocalHttpServer server;
        QVERIFY(server.isListening());
        server.setReply(kDrawPath, LocalHttpServer::ok(newDataFiles().drawResults));
        server.setReply(kPrizePath, LocalHttpServer::ok(newDataFiles().prizeData));
        setDataServerUrl(server.baseUrl());
        QVERIFY(DownloadDataFiles().succeeded());
        QCOMPARE(fileBytes(userFile(QStringLiteral("download/Loto7Number.csv"))),
                 newDataFiles().drawResults);

        // A later start seeds nothing over the newer download.
        prepareDataDir();
        QCOMPARE(fileBytes(userFile(QStringLiteral("download/Loto7Number.csv"))),
                 newDataFiles().drawResults);
        QCOMPARE(folderSnapshot(m_dir->path()), before);
    }

    void decisionComesFromTryingAndHoldsForTheProcess() {
        // A folder nobody can create a file in, root included.
        const QString gone = m_dir->filePath(QStringLiteral("gone"));
        QVERIFY(!canCreateFileIn(gone));
        setProgramDir(gone);
        QCOMPARE(dataDir(), userDataDir());
        // The system's program tree is never written, even where root could.
        setProgramDir(QStringLiteral("/usr/local/share"));
        QCOMPARE(dataDir(), userDataDir());
        setProgramDir(m_dir->path());
        QCOMPARE(dataDir(), m_dir->path());

        if (geteuid() != 0) {
            setTreeWritable(m_dir->path(), false);
            QVERIFY(!canCreateFileIn(m_dir->path()));
            setProgramDirWritable(std::nullopt); // decide again
            QCOMPARE(dataDir(), userDataDir());
            setTreeWritable(m_dir->path(), true);
            setProgramDirWritable(std::nullopt);
        }

        // Once decided, the folder going away (or read-only) changes nothing.
        QCOMPARE(dataDir(), m_dir->path());
        const QString moved = m_dir->path() + QStringLiteral("-moved");
        QVERIFY(QDir().rename(m_dir->path(), moved));
        const bool stable = dataDir() == m_dir->path();
        QVERIFY(QDir().rename(moved, m_dir->path()));
        QVERIFY(stable);
    }

    void seedingKeepsTheUsersFilesAndCopiesWholeFilesOnly() {
        const QString from = m_dir->filePath(QStringLiteral("download"));
        const QString to = userFile(QStringLiteral("download"));
        QVERIFY(QDir().mkpath(to));
        const QByteArray newer = "690,2026/08/14,01,02,03,04,05,06,07,08,09\r\n";
        writeBytes(to + QStringLiteral("/Loto7Number.csv"), newer);
        // Left by a copy that was interrupted: not data, and cleared away.
        writeBytes(to + QStringLiteral("/.Loto7Data.csv.seed-AbqrCd"),
                   "689,1,12"); // as QTemporaryFile names it

        {
            // A full disk cuts the copy short.
            const FileSizeLimit limit(4096);
            QVERIFY(limit.active());
            QCOMPARE(seedDataFiles(from, to), QStringList());
        }
        QCOMPARE(entriesOf(to), QStringList({"Loto7Number.csv"}));

        QCOMPARE(seedDataFiles(from, to), QStringList({"Loto7Data.csv"}));
        QCOMPARE(fileBytes(to + QStringLiteral("/Loto7Number.csv")), newer);
        QCOMPARE(fileBytes(to + QStringLiteral("/Loto7Data.csv")),
                 fileBytes(from + QStringLiteral("/Loto7Data.csv")));
        QCOMPARE(QFile::permissions(to + QStringLiteral("/Loto7Data.csv")) & QFileDevice::ReadOther,
                 QFileDevice::ReadOther);
        QCOMPARE(entriesOf(to), QStringList({"Loto7Data.csv", "Loto7Number.csv"}));
        QCOMPARE(seedDataFiles(from, to), QStringList());
    }
};

SEPTARION_CORE_TEST_MAIN(TestDataFolder)
#include "test_datafolder.moc"
