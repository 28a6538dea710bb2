#include "platform/save_file.h"

#include <QFile>
#include <QSaveFile>

namespace orvalen {

bool save_file(const QString& path, const QByteArray& data, QString* error)
{
    return save_file(path, [&data](QIODevice& device) {
        return device.write(data) == data.size();
    }, error);
}

bool save_file(const QString& path, const std::function<bool(QIODevice&)>& writer, QString* error)
{
    QSaveFile file(path);
    // Never fall back to writing the target in place: that is what loses data.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    bool written = false;
    try {
        written = writer && writer(file);
    } catch (...) {
        written = false;
    }
    if (!written || file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.error() != QFileDevice::NoError ? file.errorString()
                                                          : QStringLiteral("writing was not finished");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
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
