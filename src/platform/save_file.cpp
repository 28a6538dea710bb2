#include "platform/save_file.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSaveFile>

namespace orvalen {

namespace {

QMutex g_reportMutex;
SaveFailureHandler g_reportHandler;
QHash<QString, bool> g_reported; // paths whose last save failed and was reported

void note_result(const QString& path, bool saved, const QString& error)
{
    SaveFailureHandler handler;
    {
        QMutexLocker lock(&g_reportMutex);
        if (saved) {
            g_reported.remove(path);
            return;
        }
        if (g_reported.contains(path))
            return; // said once already; said again only after a save worked
        g_reported.insert(path, true);
        handler = g_reportHandler;
    }
    qWarning().noquote() << "Saving" << path << "failed:" << error;
    if (handler)
        handler(path, error);
}

bool fail(const QString& path, const QString& why, QString* error)
{
    if (error)
        *error = why;
    note_result(path, false, why);
    return false;
}

} // namespace

void report_save_failure(const QString& path, const QString& error)
{
    note_result(path, false, error);
}

void set_save_failure_handler(SaveFailureHandler handler)
{
    QMutexLocker lock(&g_reportMutex);
    g_reportHandler = std::move(handler);
    g_reported.clear();
}

bool is_read_only_file(const QString& path)
{
    const QFile::Permissions p = QFile::permissions(path);
    return QFile::exists(path)
        && !(p & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther));
}

bool save_file(const QString& path, const QByteArray& data, QString* error)
{
    return save_file(path, [&data](QIODevice& device) {
        return device.write(data) == data.size();
    }, error);
}

bool save_file(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error)
{
    // A file the owner made read-only stays as it is, even for root.
    if (is_read_only_file(path))
        return fail(path, QStringLiteral("%1 是只读文件").arg(path), error);
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what loses data.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail(path, file.errorString(), error);
    bool written = false;
    try {
        written = writer && writer(file);
    } catch (...) {
        written = false;
    }
    // write() only fills the buffer: a full disk shows when it is flushed,
    // and commit() would still put the short temporary file in place.
    if (written && file.error() == QFileDevice::NoError && !file.flush())
        written = false;
    if (!written || file.error() != QFileDevice::NoError) {
        const QString why = file.error() != QFileDevice::NoError ? file.errorString()
                                                                 : QStringLiteral("writing was not finished");
        file.cancelWriting();
        return fail(path, why, error);
    }
    if (!file.commit())
        return fail(path, file.errorString(), error);
    note_result(path, true, QString());
    return true;
}

namespace {
QString free_bad_name(const QString& path)
{
    QString target = path + QStringLiteral(".bad");
    for (int n = 2; QFile::exists(target) && n < 1000; ++n)
        target = path + QStringLiteral(".bad.") + QString::number(n);
    return QFile::exists(target) ? QString() : target;
}
} // namespace

QString keep_aside_as_bad(const QString& path)
{
    const QString target = free_bad_name(path);
    if (target.isEmpty() || !QFile::rename(path, target))
        return QString();
    return target;
}

QString copy_aside_as_bad(const QString& path)
{
    const QString target = free_bad_name(path);
    if (target.isEmpty() || !QFile::copy(path, target))
        return QString();
    return target;
}

} // namespace orvalen
