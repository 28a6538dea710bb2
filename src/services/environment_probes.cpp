#include "services/environment_probes.h"

#include <QProcess>
#include <QStandardPaths>

namespace orvalen {

namespace {
const QString kXlsxType = QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet");
}

QString RealSystemQuery::findExecutable(const QString& name)
{
    return QStandardPaths::findExecutable(name);
}

std::optional<QString> RealSystemQuery::output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments, QIODevice::ReadOnly);
    if (!process.waitForStarted(3000))
        return std::nullopt;
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

bool wpsInstalled(SystemQuery& system)
{
    // "et" is the spreadsheet program of WPS Office for Linux.
    for (const char* name : {"et", "wps-et"}) {
        if (!system.findExecutable(QString::fromLatin1(name)).isEmpty())
            return true;
    }
    return false;
}

bool spreadsheetAppRegistered(SystemQuery& system)
{
    if (system.findExecutable(QStringLiteral("xdg-mime")).isEmpty())
        return false;
    const auto answer = system.output(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), kXlsxType});
    return answer && !answer->trimmed().isEmpty();
}

bool regValueExists(SystemQuery& system, const QString& subkey, const QString& valueName)
{
    QString key = subkey;
    key.replace(QLatin1Char('/'), QLatin1Char('\\'));
    if (key.compare(QLatin1String("Excel.Sheet\\CurVer"), Qt::CaseInsensitive) == 0 && valueName.isEmpty())
        return spreadsheetAppRegistered(system);
    return false;
}

} // namespace orvalen
