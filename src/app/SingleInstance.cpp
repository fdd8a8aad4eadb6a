#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace {
QString lockFolder() {
    // The runtime folder is per user and cleaned at logout; Qt's fallback for
    // a missing XDG_RUNTIME_DIR lies in /tmp, where cleaners may delete it, so
    // use the config folder then.
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                     QStringLiteral("/Ozumel");
    QDir().mkpath(config);
    return config;
}
} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& executableFileName)
    : m_path(QDir(lockFolder())
                 .filePath(QStringLiteral("Septarion-%1.lock").arg(executableFileName))) {}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryAcquire() {
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age: only a dead owner (checked by pid and program name)
    // makes the lock stale.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0))
        return true;
    m_lock.reset();
    return false;
}
