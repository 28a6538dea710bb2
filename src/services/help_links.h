#pragma once
#include <QString>
#include <QStringList>

namespace orvalen {

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
};

// QDesktopServices, and QProcess for the detached start.
class SystemLauncher final : public Launcher {
public:
    bool openWithDesktop(const QString& target) override;
    bool startDetached(const QString& program, const QStringList& arguments) override;
};

// Opens help.chm of the program folder. A missing file gives
// "help.chm不存在，请保证文件完整"; a file nothing could open gives a message
// too.
void open_help_file(const ProgramFolder& folder, Launcher& launcher, Notifier& notifier);

// Opens a link or a file with the desktop's default action; when that
// fails, with xdg-open, the target passed as one argument.
void open_url(const QString& target, Launcher& launcher, Notifier& notifier);

} // namespace orvalen
