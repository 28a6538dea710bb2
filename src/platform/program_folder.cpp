#include "platform/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace orvalen {

namespace {

QString with_one_slash(QString dir)
{
    if (dir.isEmpty())
        return QString();
    dir = QDir::cleanPath(QDir(dir).absolutePath());
    while (dir.size() > 1 && dir.endsWith(u'/'))
        dir.chop(1);
    return dir == QLatin1String("/") ? dir : dir + u'/';
}

QString executable_folder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return self.exists() ? QFileInfo(self.symLinkTarget()).absolutePath() : QDir::currentPath();
}

bool is_absolute_name(const QString& name)
{
    if (name.startsWith(u'/') || name.startsWith(u'\\'))
        return true;
    // A Windows drive ("C:") never names something inside the folder.
    return name.size() >= 2 && name.at(1) == u':' && name.at(0).isLetter();
}

} // namespace

ProgramFolder::ProgramFolder(const QString& dir) : m_path(with_one_slash(dir)) {}

ProgramFolder ProgramFolder::fromEnvironment(const QStringList& arguments)
{
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--program-folder") && i + 1 < arguments.size())
            return ProgramFolder(arguments.at(i + 1));
        if (arg.startsWith(QLatin1String("--program-folder=")))
            return ProgramFolder(arg.mid(17));
    }
    const QString home = qEnvironmentVariable("ORVALEN_HOME");
    if (!home.isEmpty())
        return ProgramFolder(home);
    return ProgramFolder(executable_folder());
}

QString ProgramFolder::resolve(const QString& relativeName) const
{
    if (m_path.isEmpty() || relativeName.isEmpty() || is_absolute_name(relativeName))
        return QString();
    QString name = relativeName;
    name.replace(u'\\', u'/');
    const QStringList parts = name.split(u'/', Qt::SkipEmptyParts);
    QString current = m_path; // always ends in "/"
    for (const QString& part : parts) {
        if (part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return QString();
        if (QFileInfo::exists(current + part)) {
            current += part + u'/';
            continue;
        }
        const QStringList entries = QDir(current).entryList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        QString found;
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                found = entry;
                break;
            }
        }
        if (found.isEmpty())
            return QString();
        current += found + u'/';
    }
    current.chop(1);
    if (current.size() < m_path.size())
        return QString(); // the name named the folder itself
    // A link inside the folder must not lead outside it.
    const QString realFolder = QFileInfo(m_path).canonicalFilePath();
    const QString real = QFileInfo(current).canonicalFilePath();
    if (realFolder.isEmpty() || real.isEmpty()
        || !(real + u'/').startsWith(realFolder == QLatin1String("/") ? realFolder : realFolder + u'/'))
        return QString();
    return current;
}

} // namespace orvalen
