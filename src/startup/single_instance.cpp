#include "startup/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

namespace orvalen {

namespace {

QString lockName(const QString& programFolder)
{
    QString folder = QFileInfo(programFolder).absoluteFilePath();
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    if (!canonical.isEmpty())
        folder = canonical;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("orvalen-%1.lock").arg(QString::fromLatin1(hash));
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder, const QString& lockFolder)
{
    QString dir = lockFolder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = QDir::tempPath();
    QDir().mkpath(dir);
    m_path = QDir(dir).filePath(lockName(programFolder));
    m_lock = std::make_unique<QLockFile>(m_path);
    // The lock lives as long as the program: only a dead owner makes it stale.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::tryAcquire()
{
    if (m_lock->isLocked())
        return true;
    if (m_lock->tryLock(0))
        return true;
    // Only a lock held by a live process means another instance; a lock
    // folder that cannot be written must not keep the program from starting.
    return m_lock->error() != QLockFile::LockFailedError;
}

} // namespace orvalen
