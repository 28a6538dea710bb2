#include "startup/single_instance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace orvalen {

namespace {

QString canonicalFolder(const QString& programFolder)
{
    QString folder = QFileInfo(programFolder).absoluteFilePath();
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    if (!canonical.isEmpty())
        folder = canonical;
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString hashedLockName(const QString& folder)
{
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QStringLiteral("orvalen-%1.lock").arg(QString::fromLatin1(hash));
}

} // namespace

SingleInstance::SingleInstance(const QString& programFolder, const QString& lockFolder)
    : m_folder(canonicalFolder(programFolder))
{
    m_path = lockFolder.isEmpty() ? QDir(m_folder).filePath(QStringLiteral(".orvalen.lock"))
                                  : QDir(lockFolder).filePath(hashedLockName(m_folder));
}

SingleInstance::~SingleInstance()
{
    if (m_fd >= 0)
        ::close(m_fd); // drops the lock
}

bool SingleInstance::tryAcquire()
{
    if (m_held)
        return true;
    if (m_fd < 0) {
        const QByteArray path = QFile::encodeName(m_path);
        m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (m_fd < 0)
            m_fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        if (m_fd < 0) // a read-only folder: lock the folder itself
            m_fd = ::open(QFile::encodeName(m_folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (m_fd < 0) {
            qWarning().noquote() << "No single-instance lock for" << m_folder << ":" << qt_error_string(errno);
            return true;
        }
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK)
            return false;
        qWarning().noquote() << "No single-instance lock for" << m_folder << ":" << qt_error_string(errno);
        return true;
    }
    m_held = true;
    // For people who look: the id of the process that holds the lock.
    const QByteArray pid = QByteArray::number(qint64(::getpid())) + '\n';
    if (::ftruncate(m_fd, 0) == 0)
        (void)!::pwrite(m_fd, pid.constData(), size_t(pid.size()), 0); // the lock holds all the same
    return true;
}

} // namespace orvalen
