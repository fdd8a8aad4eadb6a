#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// One running copy per executable file name: a lock file named after the
// file name (not the path) in the per-user runtime folder, or in the config
// folder where there is none. A lock whose owner died is stale and taken
// over, also one that a copy killed while creating it left without an owner.
class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const QString& executableFileName);
    ~SingleInstanceLock();

    // True when this process now holds the lock.
    bool tryAcquire();
    QString lockFilePath() const { return m_path; }

private:
    // Removes a lock file that has named no owner for a while; false when it
    // must be left alone.
    bool removeAbandonedLock();

    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
