#include "app/SingleInstance.h"

#include "common/ProgramNames.h"
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace {

// A copy that is starting creates its lock file and writes its pid into it
// a moment later; a lock file that still names no owner after this long was
// left by a copy that died in between (a kill, a power loss).
constexpr qint64 kUnwrittenLockGraceMs = 2000;
constexpr unsigned long kRetryPauseMs = 50;

QString lockFolder() {
    // The runtime folder is per user and cleaned at logout; Qt's fallback for
    // a missing XDG_RUNTIME_DIR lies in /tmp, where cleaners may delete it, so
    // use the config folder then.
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     u'/' + organizationName();
    QDir().mkpath(config);
    return config;
}

bool namesOwner(const QLockFile& lock) {
    qint64 pid = 0;
    QString host;
    QString application;
    return lock.getLockInfo(&pid, &host, &application);
}

// Milliseconds since the file was last written, either way of the clock;
// -1 when it is gone.
qint64 ageOf(const QString& path) {
    const QDateTime written = QFileInfo(path).lastModified();
    if (!written.isValid())
        return -1;
    return qAbs(written.msecsTo(QDateTime::currentDateTimeUtc()));
}

} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& executableFileName)
    : m_path(QDir(lockFolder())
                 .filePath(QStringLiteral("Septarion-%1.lock").arg(executableFileName))) {}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryAcquire() {
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age while it names its owner: a copy may run for weeks.
    // Qt takes over a lock whose owner's pid is gone or runs another program.
    m_lock->setStaleLockTime(0);
    QElapsedTimer waited;
    waited.start();
    while (true) {
        if (m_lock->tryLock(0))
            return true;
        if (m_lock->error() != QLockFile::LockFailedError || namesOwner(*m_lock))
            break; // a running copy holds it
        // No owner in it (empty or garbage): a copy is between creating and
        // writing it, or died there. Wait for the one, take over from the other.
        const qint64 age = ageOf(m_path);
        if (age >= kUnwrittenLockGraceMs && !removeAbandonedLock())
            break;
        if (waited.elapsed() > 2 * kUnwrittenLockGraceMs)
            break;
        if (age >= 0 && age < kUnwrittenLockGraceMs)
            QThread::msleep(kRetryPauseMs);
    }
    m_lock.reset();
    return false;
}

bool SingleInstanceLock::removeAbandonedLock() {
    // Two copies finding the same abandoned file: only one removes it, and
    // only after looking again, so that it never removes the other's new lock.
    QLockFile removal(m_path + QStringLiteral(".rmlock"));
    if (!removal.tryLock(0))
        return false;
    if (namesOwner(*m_lock) || ageOf(m_path) < kUnwrittenLockGraceMs)
        return true; // changed meanwhile: try the lock again
    // Fails while a live copy holds the file's own system lock.
    return m_lock->removeStaleLockFile();
}
