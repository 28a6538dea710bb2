#pragma once
#include <QString>

class QWidget;

namespace orvalen {

class Notifier;

// What the open/save dialog is asked for.
struct FileDialogRequest {
    bool save = false;
    QString title;
    QString filter;      // Qt form: "声音文件 (*.wav *.mp3);;所有文件 (*.*)"
    QString fileName;    // initial name
    QString defaultExtension;
    QString initialFolder;
};

// Shows the dialog; returns the full chosen path or an empty text.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual QString choose(const FileDialogRequest& request) = 0;
};

// The real dialog (QFileDialog) over the given parent window.
class QtFileChooser final : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : m_parent(parent) {}
    QString choose(const FileDialogRequest& request) override;

private:
    QWidget* m_parent;
};

// "desc|pat1;pat2|desc2|pat" -> "desc (pat1 pat2);;desc2 (pat)".
QString dialogFilter(const QString& pipeFilter);

// The shared open/save dialog. filter is in the "desc|patterns|..." form. An
// initial name longer than 260 characters gives the message "Filename Length
// Overflow" and no dialog. Returns the chosen path or an empty text.
QString fileDialog(FileChooser& chooser, Notifier& notifier, bool save, const QString& title,
                    const QString& filter, const QString& fileName, const QString& defaultExtension,
                    const QString& initialFolder);

} // namespace orvalen
