#include "platform/save_file.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSaveFile>

#include <cerrno>
#include <exception>

namespace orvalen {

namespace {

QMutex g_reportMutex;
SaveFailureHandler g_reportHandler;
QHash<QString, bool> g_reported; // paths whose last save failed and was reported

void noteResult(const QString& path, bool saved, const QString& error, SaveReport report)
{
    SaveFailureHandler handler;
    {
        QMutexLocker lock(&g_reportMutex);
        if (saved) {
            g_reported.remove(path);
            return;
        }
        if (report == SaveReport::ByCaller || g_reported.contains(path)) {
            // The caller tells it, or it was said once already (said again
            // only after a save worked).
            qWarning().noquote() << "Saving" << path << "failed:" << error;
            return;
        }
        g_reported.insert(path, true);
        handler = g_reportHandler;
    }
    qWarning().noquote() << "Saving" << path << "failed:" << error;
    if (handler)
        handler(path, error);
}

bool fail(const QString& path, const QString& why, QString* error, SaveReport report)
{
    if (error)
        *error = why;
    noteResult(path, false, why, report);
    return false;
}

} // namespace

void reportSaveFailure(const QString& path, const QString& error)
{
    noteResult(path, false, error, SaveReport::Once);
}

void setSaveFailureHandler(SaveFailureHandler handler)
{
    QMutexLocker lock(&g_reportMutex);
    g_reportHandler = std::move(handler);
    g_reported.clear();
}

bool isReadOnlyFile(const QString& path)
{
    const QFile::Permissions p = QFile::permissions(path);
    return QFile::exists(path)
        && !(p & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

QString writeFailureCause(int errorNumber, const QString& path, const QString& fallback)
{
    switch (errorNumber) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("磁盘已满，%1 无法写入").arg(path);
    case EROFS:
        return QStringLiteral("%1 所在的磁盘只能读取").arg(path);
    case EACCES:
    case EPERM:
        return QStringLiteral("没有写入 %1 的权限").arg(path);
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("%1 所在的文件夹不存在").arg(path);
    default:
        return fallback.isEmpty() ? QStringLiteral("%1 无法写入").arg(path)
                                  : QStringLiteral("%1 无法写入（%2）").arg(path, fallback);
    }
}

QString folderWriteProblem(const QString& folder, bool* diskFull)
{
    if (diskFull)
        *diskFull = false;
    // A temporary file as a save makes it, never committed; the size of a
    // database's shared-memory file.
    QSaveFile probe(QDir(folder).filePath(QStringLiteral(".orvalen-write-check")));
    probe.setDirectWriteFallback(false);
    const QByteArray block(64 * 1024, '\0');
    errno = 0;
    const bool written = probe.open(QIODevice::WriteOnly) && probe.write(block) == block.size() && probe.flush();
    const int errorNumber = errno;
    const QString why = probe.errorString();
    probe.cancelWriting();
    if (written)
        return QString();
    if (diskFull)
        *diskFull = errorNumber == ENOSPC || errorNumber == EDQUOT || errorNumber == EFBIG;
    return writeFailureCause(errorNumber, folder, why);
}

bool saveFile(const QString& path, const QByteArray& data, QString* error, SaveReport report)
{
    return saveFile(path, [&data](QIODevice& device) {
        return device.write(data) == data.size();
    }, error, report);
}

bool saveFile(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error,
               SaveReport report)
{
    // A file the owner made read-only stays as it is, even for root.
    if (isReadOnlyFile(path))
        return fail(path, QStringLiteral("%1 是只读文件").arg(path), error, report);
    const auto failed = [&](const QFileDevice& device, int errorNumber) {
        return fail(path, writeFailureCause(errorNumber, path, device.errorString()), error, report);
    };
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what loses data.
    file.setDirectWriteFallback(false);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return failed(file, errno);
    bool written = false;
    QString thrown; // what a writer that gave up with an exception said
    errno = 0;
    try {
        written = writer && writer(file);
    } catch (const std::exception& e) {
        thrown = QString::fromLocal8Bit(e.what());
    }
    int writeErrno = errno;
    // write() only fills the buffer: a full disk shows when it is flushed,
    // and commit() would still put the short temporary file in place.
    if (written && file.error() == QFileDevice::NoError) {
        errno = 0;
        written = file.flush();
        if (!written)
            writeErrno = errno;
    }
    if (!written || file.error() != QFileDevice::NoError) {
        QString why;
        if (file.error() != QFileDevice::NoError)
            why = writeFailureCause(writeErrno, path, file.errorString());
        else if (!thrown.isEmpty())
            why = QStringLiteral("%1 未能写完（%2）").arg(path, thrown);
        else
            why = QStringLiteral("%1 未能写完").arg(path);
        file.cancelWriting();
        return fail(path, why, error, report);
    }
    errno = 0;
    if (!file.commit())
        return failed(file, errno);
    noteResult(path, true, QString(), report);
    return true;
}

namespace {
QString freeBadName(const QString& path)
{
    QString target = path + QStringLiteral(".bad");
    for (int n = 2; QFile::exists(target) && n < 1000; ++n)
        target = path + QStringLiteral(".bad.") + QString::number(n);
    return QFile::exists(target) ? QString() : target;
}
} // namespace

QString keepAsideAsBad(const QString& path)
{
    const QString target = freeBadName(path);
    if (target.isEmpty() || !QFile::rename(path, target))
        return QString();
    return target;
}

QString copyAsideAsBad(const QString& path)
{
    const QString target = freeBadName(path);
    if (target.isEmpty() || !QFile::copy(path, target))
        return QString();
    return target;
}

} // namespace orvalen
