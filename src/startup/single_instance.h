#pragma once
#include <QString>
#include <memory>

class QLockFile;

namespace orvalen {

// Keeps one running program per program folder: a lock file in the per-user
// runtime folder, named after a hash of the program folder. The lock is held
// for the object's lifetime. A lock left behind by a run that crashed (its
// process is gone) does not block.
class SingleInstance {
public:
    // lockFolder empty = the per-user runtime folder.
    explicit SingleInstance(const QString& programFolder, const QString& lockFolder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // false only when another live process holds the lock. When the lock
    // folder cannot be written the program runs without the guard.
    bool tryAcquire();
    QString lockFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace orvalen
