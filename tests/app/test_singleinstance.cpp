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

private:
    // Copies the program into a new folder under this name, with data files.
    QString install(const QString& folder, const QString& name);
    QProcess* start(const QString& executable);
    QString lockPath(const QString& name) const;
    // Process id written into a lock file, 0 when there is none.
    qint64 lockOwner(const QString& name) const;
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

SEPTARION_CORE_TEST_MAIN(TestSingleInstance)
#include "test_singleinstance.moc"
