// One running copy per executable file name, checked with real processes:
// copies of the built program in temporary folders, started side by side.
#include "TestSupport.h"

#include "SampleData.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <memory>
#include <vector>

namespace {

const QString kProgram = QStringLiteral(SEPTARION_EXECUTABLE);

// Generous limits for a loaded machine; the checks never depend on them.
constexpr int kStartLimitMs = 30000;
constexpr int kEndLimitMs = 15000;

} // namespace

class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void secondCopyOfSameNameEndsAtOnce();
    void copyUnderAnotherNameRunsBesideIt();
    void lockOfKilledCopyDoesNotBlock();
    void lockWithoutLiveOwnerDoesNotBlock_data();
    void lockWithoutLiveOwnerDoesNotBlock();
    void lockOfLiveOwnerEndsStart();

private:
    // Copies the program into a new folder under this name, with data files.
    QString install(const QString& folder, const QString& name);
    QProcess* start(const QString& executable);
    QString lockPath(const QString& name) const;
    // Process id written into a lock file, 0 when there is none.
    qint64 lockOwner(const QString& name) const;
    // A lock file as another copy may have left it, written an hour ago when old.
    bool writeLock(const QString& name, const QByteArray& content, bool old) const;
    static QString outputOf(QProcess* process);

    std::unique_ptr<QTemporaryDir> m_root;
    QProcessEnvironment m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void TestSingleInstance::initTestCase() {
    QVERIFY2(QFileInfo(kProgram).isExecutable(), qPrintable(kProgram));
}

void TestSingleInstance::init() {
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    QDir root(m_root->path());
    for (const char* folder : {"home", "config", "runtime"})
        QVERIFY(root.mkpath(QLatin1String(folder)));
    const QString runtime = root.filePath(QStringLiteral("runtime"));
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

    // Every copy shares the runtime and config folders, as one user's programs do.
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_environment.insert(QStringLiteral("HOME"), root.filePath(QStringLiteral("home")));
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                         root.filePath(QStringLiteral("config")));
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
}

void TestSingleInstance::cleanup() {
    for (const auto& process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(kEndLimitMs);
        }
    }
    m_processes.clear();
    m_root.reset();
}

QString TestSingleInstance::install(const QString& folder, const QString& name) {
    const QDir dir(m_root->filePath(folder));
    if (!dir.mkpath(QStringLiteral("download")))
        return {};
    const QString executable = dir.filePath(name);
    if (!QFile::copy(kProgram, executable))
        return {};
    QFile::setPermissions(executable, QFile::permissions(kProgram));
    const SampleFiles files = makeSampleFiles(20);
    for (const auto& [fileName, bytes] :
         {std::pair{QStringLiteral("download/Loto7Number.csv"), files.drawResults},
          std::pair{QStringLiteral("download/Loto7Data.csv"), files.prizeData}}) {
        QFile file(dir.filePath(fileName));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return {};
    }
    return executable;
}

QProcess* TestSingleInstance::start(const QString& executable) {
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(m_environment);
    process->setWorkingDirectory(QFileInfo(executable).absolutePath());
    process->setProcessChannelMode(QProcess::MergedChannels);
    process->start(executable, {});
    process->waitForStarted(kStartLimitMs);
    m_processes.push_back(std::move(process));
    return m_processes.back().get();
}

QString TestSingleInstance::lockPath(const QString& name) const {
    return QDir(m_root->filePath(QStringLiteral("runtime")))
        .filePath(QStringLiteral("Septarion-%1.lock").arg(name));
}

qint64 TestSingleInstance::lockOwner(const QString& name) const {
    QFile file(lockPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return file.readLine().trimmed().toLongLong();
}

bool TestSingleInstance::writeLock(const QString& name, const QByteArray& content, bool old) const {
    QFile file(lockPath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return false;
    return !old || file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                    QFileDevice::FileModificationTime);
}

QString TestSingleInstance::outputOf(QProcess* process) {
    return QString::fromLocal8Bit(process->readAll());
}

void TestSingleInstance::secondCopyOfSameNameEndsAtOnce() {
    const QString first = install(QStringLiteral("A"), QStringLiteral("septarion"));
    const QString second = install(QStringLiteral("B"), QStringLiteral("septarion"));
    QVERIFY(!first.isEmpty() && !second.isEmpty());

    QProcess* running = start(first);
    QCOMPARE(running->state(), QProcess::Running);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(QStringLiteral("septarion")), running->processId(),
                              kStartLimitMs);

    // Another folder, the same file name: it ends by itself, successfully.
    QProcess* again = start(second);
    QVERIFY2(again->waitForFinished(kEndLimitMs), qPrintable(outputOf(again)));
    QCOMPARE(again->exitStatus(), QProcess::NormalExit);
    QCOMPARE(again->exitCode(), 0);

    // The first copy runs on and still holds the lock.
    QCOMPARE(running->state(), QProcess::Running);
    QCOMPARE(lockOwner(QStringLiteral("septarion")), running->processId());
    // And the same file itself cannot be started twice either.
    QProcess* same = start(first);
    QVERIFY2(same->waitForFinished(kEndLimitMs), qPrintable(outputOf(same)));
    QCOMPARE(same->exitCode(), 0);
    QCOMPARE(running->state(), QProcess::Running);
}

void TestSingleInstance::copyUnderAnotherNameRunsBesideIt() {
    const QString first = install(QStringLiteral("A"), QStringLiteral("septarion"));
    const QString other = install(QStringLiteral("C"), QStringLiteral("septarion2"));
    QVERIFY(!first.isEmpty() && !other.isEmpty());

    QProcess* running = start(first);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(QStringLiteral("septarion")), running->processId(),
                              kStartLimitMs);
    QProcess* beside = start(other);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(QStringLiteral("septarion2")), beside->processId(),
                              kStartLimitMs);
    // Past the lock check, it keeps running like the first.
    QTest::qWait(1500);
    QVERIFY2(beside->state() == QProcess::Running, qPrintable(outputOf(beside)));
    QCOMPARE(running->state(), QProcess::Running);
}

void TestSingleInstance::lockOfKilledCopyDoesNotBlock() {
    const QString first = install(QStringLiteral("A"), QStringLiteral("septarion"));
    QVERIFY(!first.isEmpty());

    QProcess* killed = start(first);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(QStringLiteral("septarion")), killed->processId(),
                              kStartLimitMs);
    const qint64 deadId = killed->processId();
    killed->kill(); // SIGKILL: no clean-up, the lock file stays behind
    QVERIFY(killed->waitForFinished(kEndLimitMs));
    QCOMPARE(lockOwner(QStringLiteral("septarion")), deadId);

    QProcess* next = start(first);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(QStringLiteral("septarion")), next->processId(),
                              kStartLimitMs);
    QTest::qWait(1000);
    QVERIFY2(next->state() == QProcess::Running, qPrintable(outputOf(next)));
}

void TestSingleInstance::lockWithoutLiveOwnerDoesNotBlock_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("old");
    // Killed between creating the file and writing into it.
    QTest::newRow("empty, long ago") << QByteArray() << true;
    // Such a file is first taken for one a starting copy is about to write.
    QTest::newRow("empty, just now") << QByteArray() << false;
    QTest::newRow("garbage") << QByteArray("\x01\x7f not a lock\n") << true;
    QTest::newRow("pid that cannot run") << QByteArray("2147483000\nseptarion\n\n") << false;
}

void TestSingleInstance::lockWithoutLiveOwnerDoesNotBlock() {
    QFETCH(QByteArray, content);
    QFETCH(bool, old);
    const QString program = install(QStringLiteral("A"), QStringLiteral("septarion"));
    QVERIFY(!program.isEmpty());
    QVERIFY(writeLock(QStringLiteral("septarion"), content, old));

    QProcess* next = start(program);
    const qint64 pid = next->processId(); // 0 once it has ended
    QVERIFY(pid > 0);
    QTRY_COMPARE_WITH_TIMEOUT(lockOwner(QStringLiteral("septarion")), pid, kStartLimitMs);
    QVERIFY2(next->state() == QProcess::Running, qPrintable(outputOf(next)));
}

void TestSingleInstance::lockOfLiveOwnerEndsStart() {
    const QString program = install(QStringLiteral("A"), QStringLiteral("septarion"));
    QVERIFY(!program.isEmpty());
    // This test process as the owner: it runs, under the name the lock gives,
    // however old the file is.
    const QByteArray owner =
        QByteArray::number(QCoreApplication::applicationPid()) + '\n' +
        QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\n\n";
    QVERIFY(writeLock(QStringLiteral("septarion"), owner, true));

    QProcess* again = start(program);
    QVERIFY2(again->waitForFinished(kEndLimitMs), qPrintable(outputOf(again)));
    QCOMPARE(again->exitStatus(), QProcess::NormalExit);
    QCOMPARE(again->exitCode(), 0);
    QFile lock(lockPath(QStringLiteral("septarion")));
    QVERIFY(lock.open(QIODevice::ReadOnly));
    QCOMPARE(lock.readAll(), owner);
}

SEPTARION_CORE_TEST_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
