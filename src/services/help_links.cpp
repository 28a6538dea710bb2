#include "services/help_links.h"

#include "platform/notifier.h"
#include "services/program_folder.h"

#include <QDesktopServices>
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

void open_help_file(const ProgramFolder& folder, Launcher& launcher, Notifier& notifier)
{
    const QString path = folder.resolve(QStringLiteral("help.chm"));
    if (path.isEmpty()) {
        notifier.notice(QStringLiteral("help.chm不存在，请保证文件完整"), Notifier::Icon::Question, 0, kAppTitle);
        return;
    }
    if (!launch(path, launcher))
        notifier.notice(QStringLiteral("无法打开帮助文件：%1").arg(path), Notifier::Icon::Warning);
}

void open_url(const QString& target, Launcher& launcher, Notifier& notifier)
{
    if (target.trimmed().isEmpty())
        return;
    if (!launch(target, launcher))
        notifier.notice(QStringLiteral("无法打开：%1").arg(target), Notifier::Icon::Warning);
}

} // namespace orvalen
