#include "support/temp_program.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace orvalen::test {

namespace {

// Copies the data of the built program folder: everything but the program
// itself.
void copy_template(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString relative = QDir(from).relativeFilePath(info.filePath());
        if (info.isDir()) {
            QDir().mkpath(to + relative);
        } else if (!(relative == QLatin1String("orvalen") && info.isExecutable())) {
            QDir().mkpath(QFileInfo(to + relative).absolutePath());
            QFile::copy(info.filePath(), to + relative);
            QFile(to + relative).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup
                                                | QFile::ReadOther);
        }
    }
}

QString make_program_folder(const QTemporaryDir& dir)
{
    const QString folder = dir.path() + QStringLiteral("/program/");
    QDir().mkpath(folder);
    const QString source = qEnvironmentVariable("ORVALEN_PROGRAM_TEMPLATE");
    if (!source.isEmpty() && QFileInfo(source).isDir()) {
        copy_template(QDir(source).absolutePath() + u'/', folder);
    } else {
        QFile timeData(folder + QStringLiteral("TimeData.db"));
        timeData.open(QIODevice::WriteOnly);
        QDir().mkpath(folder + QStringLiteral("sounds"));
        QDir().mkpath(folder + QStringLiteral("picture"));
    }
    return folder;
}

} // namespace

TempProgram::TempProgram()
    : m_oldRegistryEnv(qgetenv("ORVALEN_REGISTRY")),
      m_oldHomeEnv(qgetenv("ORVALEN_HOME")),
      m_hadRegistryEnv(qEnvironmentVariableIsSet("ORVALEN_REGISTRY")),
      m_hadHomeEnv(qEnvironmentVariableIsSet("ORVALEN_HOME")),
      ini(make_program_folder(m_dir) + QStringLiteral("TimeData.db")),
      registry(m_dir.path() + QStringLiteral("/config/Vantoria/registry.reg")),
      context(ProgramFolder(m_dir.path() + QStringLiteral("/program")), ini, registry, notifier, clock, timers)
{
    qputenv("ORVALEN_REGISTRY", QFile::encodeName(registry.filePath()));
    qputenv("ORVALEN_HOME", QFile::encodeName(context.folder.path()));
}

TempProgram::~TempProgram()
{
    if (m_hadRegistryEnv)
        qputenv("ORVALEN_REGISTRY", m_oldRegistryEnv);
    else
        qunsetenv("ORVALEN_REGISTRY");
    if (m_hadHomeEnv)
        qputenv("ORVALEN_HOME", m_oldHomeEnv);
    else
        qunsetenv("ORVALEN_HOME");
    // A test may have made the folder read-only; the clean-up must still work.
    QDirIterator it(m_dir.path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile(it.next()).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

bool TempProgram::writeFile(const QString& relativeName, const QByteArray& content) const
{
    const QString target = path() + relativeName;
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray TempProgram::readFile(const QString& relativeName) const
{
    QFile file(path() + relativeName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace orvalen::test
