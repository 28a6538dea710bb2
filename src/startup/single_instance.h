#pragma once
#include <QString>

namespace orvalen {

// Keeps one running program per program folder: an advisory lock (flock) on
// the file .orvalen.lock in the program folder itself, so one folder means
// one instance whatever the environment. The kernel drops the lock when the
// process ends, however it ends, so the file's content never matters: a lock
// file left behind, empty or garbled, does not block. In a folder where the
// file cannot be made, the folder itself is locked.
class SingleInstance {
public:
    // lockFolder empty = the program folder (a given lockFolder holds a lock
    // file named after a hash of the program folder).
    explicit SingleInstance(const QString& programFolder, const QString& lockFolder = QString());
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // false only when another live instance holds the lock. When nothing
    // can be locked the program runs without the guard.
    bool tryAcquire();
    QString lockFilePath() const { return m_path; }

private:
    QString m_folder;
    QString m_path;
    int m_fd = -1;
    bool m_held = false;
};

} // namespace orvalen
