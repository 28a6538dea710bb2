#include "background/picture_import.h"

#include "platform/program_folder.h"
#include "services/import_check.h"
#include "services/save_file.h"

#include <QDir>
#include <QFileInfo>

namespace orvalen {

namespace {

QString fail(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return QString();
}

// "name(n).ext" for n >= 2; the first candidate is the name itself.
QString candidate(const QFileInfo& name, int n)
{
    if (n < 2)
        return name.fileName();
    const QString suffix = name.suffix();
    const QString stem = suffix.isEmpty() ? name.fileName() : name.fileName().chopped(suffix.size() + 1);
    return suffix.isEmpty() ? QStringLiteral("%1(%2)").arg(stem).arg(n)
                            : QStringLiteral("%1(%2).%3").arg(stem).arg(n).arg(suffix);
}

} // namespace

QString copyPictureIn(const ProgramFolder& folder, const QString& source, QString* error)
{
    const ImportSource picture = readImportSource(source, ImportKind::Picture);
    if (picture.result == ImportRead::Missing)
        return fail(error, QStringLiteral("无法读取图片：%1").arg(source));
    if (picture.result != ImportRead::Taken)
        return fail(error, importRefusal(source, ImportKind::Picture));
    const QByteArray& data = picture.data;

    const QString pictures = folder.file(QStringLiteral("picture"));
    if (!QDir().mkpath(pictures))
        return fail(error, QStringLiteral("无法创建文件夹：%1").arg(pictures));
    const QFileInfo name(QFileInfo(source).fileName());
    for (int n = 1; n < 1000; ++n) {
        const QString stored = candidate(name, n);
        const QString target = pictures + QLatin1Char('/') + stored;
        if (QFileInfo::exists(target)) {
            if (fileHolds(target, data))
                return stored;
            continue;
        }
        QString why;
        if (!saveFile(target, data, &why, SaveReport::ByCaller))
            return fail(error, QStringLiteral("无法导入图片：%1\n%2").arg(target, why));
        return stored;
    }
    return fail(error, QStringLiteral("无法导入图片：%1").arg(source));
}

QString backgroundPicturePath(const ProgramFolder& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    if (QFileInfo(name).isAbsolute())
        return QFileInfo(name).isFile() ? name : QString();
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QString();
    const QString path = folder.resolve(QStringLiteral("picture/") + name);
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace orvalen
