#include "support/read_only_folder.h"

#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalen::test {

namespace {

bool can_create_in(const QString& folder)
{
    const QByteArray probe = QFile::encodeName(folder + QStringLiteral("/.write-probe"));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

bool set_immutable(const QString& folder, bool on)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(QString folder) : m_folder(std::move(folder))
{
    ::chmod(QFile::encodeName(m_folder).constData(), 0555);
    if (!can_create_in(m_folder)) {
        m_active = true;
        return;
    }
    m_immutable = set_immutable(m_folder, true);
    m_active = m_immutable && !can_create_in(m_folder);
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (m_immutable)
        set_immutable(m_folder, false);
    ::chmod(QFile::encodeName(m_folder).constData(), 0755);
}

} // namespace orvalen::test
