#include "services/file_dialog.h"

#include "platform/notifier.h"
#include "services/file_dialog_view.h"

#include <QDir>
#include <QFileDialog>
#include <QStringList>

namespace orvalen {

QString dialogFilter(const QString& pipeFilter)
{
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns)
            p = p.trimmed();
        entries << QStringLiteral("%1 (%2)").arg(description, patterns.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}

QString fileDialog(FileChooser& chooser, Notifier& notifier, bool save, const QString& title,
                    const QString& filter, const QString& fileName, const QString& defaultExtension,
                    const QString& initialFolder)
{
    if (fileName.size() > 260) {
        notifier.notice(QStringLiteral("Filename Length Overflow"), Notifier::Icon::Warning, 0,
                        kAppTitle + QStringLiteral(" - FileDialog Function"));
        return QString();
    }
    FileDialogRequest request;
    request.save = save;
    request.title = title;
    request.filter = dialogFilter(filter);
    request.fileName = fileName;
    request.defaultExtension = defaultExtension;
    request.initialFolder = initialFolder;
    return chooser.choose(request);
}

QString QtFileChooser::choose(const FileDialogRequest& request)
{
    QFileDialog dialog(m_parent, request.title, request.initialFolder, request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // Qt's own dialog, whose texts are Chinese like the program's.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    fitFileDialogView(dialog);
    if (!request.defaultExtension.isEmpty()) {
        QString suffix = request.defaultExtension;
        if (suffix.startsWith(QLatin1Char('.')))
            suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
    }
    if (!request.fileName.isEmpty())
        dialog.selectFile(QDir::fromNativeSeparators(request.fileName));
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace orvalen
