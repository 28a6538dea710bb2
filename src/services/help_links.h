#pragma once
#include <QString>
#include <QStringList>

namespace orvalen {

class IniStore;
class Notifier;
class ProgramFolder;

// Starts other programs for links and documents. Always an argument list,
// never a shell command line.
class Launcher {
public:
    virtual ~Launcher() = default;
    // Opens a link or a local file with the desktop's default application.
    virtual bool openWithDesktop(const QString& target) = 0;
    // Starts a program detached; true when it started.
    virtual bool startDetached(const QString& program, const QStringList& arguments) = 0;
    // The desktop file of the application registered for a MIME type, or an
    // empty text when none is.
    virtual QString defaultApplication(const QString& mimeType) { return QString(); }
};

// QDesktopServices, and QProcess for the detached start.
class SystemLauncher final : public Launcher {
public:
    bool openWithDesktop(const QString& target) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
    QString defaultApplication(const QString& mimeType) override; // xdg-mime
};

// Opens the help: help.chm of the program folder when the desktop has a
// program for CHM files, otherwise the same pages as HTML (help/index.html)
// in the default browser. When neither is there, one message says so:
// "help.chm不存在，请保证文件完整" when both are missing, otherwise a message
// naming help.chm and help/index.html and why neither opened.
void openHelpFile(const ProgramFolder& folder, Launcher& launcher, Notifier& notifier);

// An address kept in section [About] of TimeData.db: `url` (the about
// window's picture), `link6` and `link16` (the Ctrl-held desktop menu items).
// Empty when it is not set; the program carries no address of its own.
QString aboutAddress(const IniStore& ini, const QString& key);

// Opens a link or a file with the desktop's default action; when that
// fails, with xdg-open, the target passed as one argument.
void openLinkOrFile(const QString& target, Launcher& launcher, Notifier& notifier);

// Opens an address read from [About] only when it is an http:// or https://
// link or an existing file inside the program folder (a name relative to the
// folder, an absolute path or a file: link). Anything else (a file elsewhere,
// another scheme such as javascript:, a bare word) opens nothing and gives
// one message naming the address.
void openAboutAddress(const QString& address, const ProgramFolder& folder, Launcher& launcher,
                        Notifier& notifier);

} // namespace orvalen
