#include "services/help_links.h"

#include "platform/notifier.h"
#include "platform/program_folder.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace orvalen {

namespace {

bool looksLikeLink(const QString& target)
{
    // A scheme of two letters or more: "https:", "mailto:". One letter is a
    // Windows drive ("C:\..."), not a link.
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

// What xdg-open is given: a link as it is, a file as its absolute path, so
// that a target never starts with "-" and reads as an option.
QString launchArgument(const QString& target)
{
    return looksLikeLink(target) ? target : QFileInfo(target).absoluteFilePath();
}

// Desktop default first, xdg-open second.
bool launch(const QString& target, Launcher& launcher)
{
    const QString argument = launchArgument(target);
    if (launcher.openWithDesktop(argument))
        return true;
    return launcher.startDetached(QStringLiteral("xdg-open"), {argument});
}

// The file an [About] address names, when it exists inside the program
// folder (links followed); otherwise an empty text.
QString fileInsideFolder(const QString& path, const ProgramFolder& folder)
{
    if (path.isEmpty() || folder.path().isEmpty())
        return QString();
    const QFileInfo file(QDir::isAbsolutePath(path) ? path : folder.resolve(path));
    const QString canonical = file.canonicalFilePath();
    const QString root = QFileInfo(folder.path()).canonicalFilePath();
    if (canonical.isEmpty() || root.isEmpty() || !file.isFile())
        return QString();
    return canonical.startsWith(root + u'/') ? canonical : QString();
}

// What an [About] address may open: the link itself for http and https, the
// file's path for a file inside the program folder, an empty text otherwise.
QString allowedAboutTarget(const QString& address, const ProgramFolder& folder)
{
    if (!looksLikeLink(address))
        return fileInsideFolder(address, folder);
    const QUrl url(address, QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid())
        return QString();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return url.host().isEmpty() ? QString() : address;
    if (scheme == QLatin1String("file"))
        return fileInsideFolder(url.toLocalFile(), folder);
    return QString();
}

} // namespace

bool SystemLauncher::openWithDesktop(const QString& target)
{
    const QUrl url = looksLikeLink(target) ? QUrl(target, QUrl::TolerantMode) : QUrl::fromLocalFile(target);
    return QDesktopServices::openUrl(url);
}

bool SystemLauncher::startDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

QString SystemLauncher::defaultApplication(const QString& mimeType)
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) {
        query.kill();
        return QString();
    }
    return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

void openHelpFile(const ProgramFolder& folder, Launcher& launcher, Notifier& notifier)
{
    const QString chm = folder.resolve(QStringLiteral("help.chm"));
    // CHM viewers register either name of the type.
    const bool chmViewer = !launcher.defaultApplication(QStringLiteral("application/vnd.ms-htmlhelp")).isEmpty()
        || !launcher.defaultApplication(QStringLiteral("application/x-chm")).isEmpty();
    if (!chm.isEmpty() && chmViewer && launch(chm, launcher))
        return;
    const QString html = folder.resolve(QStringLiteral("help/index.html"));
    if (!html.isEmpty() && launch(html, launcher))
        return;
    if (chm.isEmpty() && html.isEmpty()) {
        notifier.notice(QStringLiteral("help.chm不存在，请保证文件完整"), Notifier::Icon::Question, 0, kAppTitle);
        return;
    }
    // Neither opened: name both forms and why each did not open.
    const QString chmLine = chm.isEmpty() ? folder.file(QStringLiteral("help.chm")) + QStringLiteral("（不存在）")
                            : chmViewer   ? chm + QStringLiteral("（未能打开）")
                                          : chm + QStringLiteral("（没有可打开 CHM 文件的程序）");
    const QString htmlLine = html.isEmpty()
                                 ? folder.file(QStringLiteral("help/index.html")) + QStringLiteral("（不存在）")
                                 : html + QStringLiteral("（浏览器未能打开）");
    notifier.notice(QStringLiteral("无法打开帮助文件：\n%1\n%2").arg(chmLine, htmlLine), Notifier::Icon::Warning);
}

QString aboutAddress(const IniStore& ini, const QString& key)
{
    return ini.read(time_data::kAbout, key, QString()).trimmed();
}

void openLinkOrFile(const QString& target, Launcher& launcher, Notifier& notifier)
{
    if (target.trimmed().isEmpty())
        return;
    if (!launch(target, launcher))
        notifier.notice(QStringLiteral("无法打开：%1").arg(target), Notifier::Icon::Warning);
}

void openAboutAddress(const QString& address, const ProgramFolder& folder, Launcher& launcher,
                        Notifier& notifier)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return;
    const QString target = allowedAboutTarget(text, folder);
    if (target.isEmpty()) {
        qWarning().noquote() << "About address refused (neither a web link nor a file of the program folder):" << text;
        notifier.notice(QStringLiteral("无法打开：%1\n只能打开 http:// 或 https:// 网址，或程序文件夹中的文件。").arg(text),
                        Notifier::Icon::Warning);
        return;
    }
    openLinkOrFile(target, launcher, notifier);
}

} // namespace orvalen
