#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running copy per executable file name: a lock file named after the
// file name (not the path) in the per-user runtime folder, or in the config
// folder where there is none. A lock whose owner died is stale and taken over.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& executableFileName);
    ~SingleInstanceLock();

    // True when this process now holds the lock.
    bool tryAcquire();
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
