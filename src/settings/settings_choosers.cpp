#include "settings/settings_window.h"

#include "display/element_view.h"
#include "services/app_context.h"
#include "platform/notifier.h"
#include "services/file_dialog.h"
#include "services/import_check.h"
#include "services/save_file.h"
#include "services/sound_player.h"
#include "settings/colour_swatch.h"
#include "settings/look_page.h"
#include "settings/settings_controls.h"
#include "settings/settings_rules.h"

#include <QColorDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QSet>
#include <QTimer>

namespace orvalen {

namespace {

const QStringList kPreferredFonts{"Arial Black", "Trebuchet MS", "Arial", "新宋体", "微软雅黑", "华文楷体", "黑体"};

} // namespace

void SettingsWindow::fillFontLists()
{
    m_fontTimer->stop();
    const AppContext& ctx = m_ctx;
    const QStringList families = QFontDatabase::families();
    QStringList installed;
    if (ctx.folder.exists(QStringLiteral("font/Arial Black.ttf"))) {
        installed = kPreferredFonts;
    } else {
        for (const QString& family : families)
            if (!family.contains(QLatin1Char('@')))
                installed << family;
    }
    m_look->fillFontLists(installed, kPreferredFonts, QSet<QString>(families.begin(), families.end()));
}

void SettingsWindow::chooseColour(ColourSwatch* swatch, bool clearsPicture)
{
    QColor chosen;
    if (m_links.chooseColour) {
        chosen = m_links.chooseColour();
    } else {
        for (int i = 0; i < QColorDialog::customCount(); ++i)
            QColorDialog::setCustomColor(i, Qt::black);
        chosen = QColorDialog::getColor(Qt::black, this, QStringLiteral("颜色"));
    }
    if (!chosen.isValid())
        return;
    swatch->setColour(PlanColour::fromColour(chosen));
    if (clearsPicture)
        swatch->clear();
}

QString SettingsWindow::importFile(FileKind kind)
{
    AppContext& ctx = m_ctx;
    const bool sound = kind == FileKind::Sound;
    const QString folder = ctx.folder.file(sound ? QStringLiteral("sounds") : QStringLiteral("picture"));
    QtFileChooser qtChooser(this);
    FileChooser& chooser = m_links.files ? *m_links.files : static_cast<FileChooser&>(qtChooser);
    const QString path = fileDialog(chooser, ctx.notifier, false, QStringLiteral("导入文件名称"),
                                     sound ? soundFilter() : pictureFilter(), QString(), QString(), folder);
    if (path.isEmpty()) {
        ctx.notifier.notice(sound ? QStringLiteral("没有选择文件") : QStringLiteral("没有加载图片"),
                            Notifier::Icon::Question);
        return QString();
    }
    const QString name = QFileInfo(path).fileName();
    if (name == QStringLiteral("lnk"))
        return QString();
    // Only a regular file the display can show or the player can play is
    // taken in; the copy is the program's own file, whatever the source's mode.
    const ImportKind importKind = sound ? ImportKind::Sound : ImportKind::Picture;
    const ImportSource source = readImportSource(path, importKind);
    if (source.result == ImportRead::Refused) {
        notice(importRefusal(path, importKind), 0);
        return QString();
    }
    QDir dir(folder);
    QString stored;
    if (source.result == ImportRead::Taken && dir.mkpath(QStringLiteral("."))) {
        // Other plans name files of this folder: an existing file is reused
        // only when it holds the same contents, and is never overwritten.
        const QStringList taken = dir.entryList(QDir::Files);
        for (int n = 1; stored.isEmpty(); ++n) {
            const QString candidate = numberedFileName(name, n);
            if (!taken.contains(candidate)) {
                if (saveFile(dir.filePath(candidate), source.data, nullptr, SaveReport::ByCaller))
                    stored = candidate;
                break;
            }
            if (fileHolds(dir.filePath(candidate), source.data))
                stored = candidate;
        }
    }
    if (stored.isEmpty())
        notice(QStringLiteral("没有进行选择"), 800);
    return stored;
}

void SettingsWindow::playPreview(const QString& soundFile)
{
    AppContext& ctx = m_ctx;
    const QString path = ctx.folder.file(QStringLiteral("sounds/") + soundFile);
    ctx.sound().stopSound(path);
    if (QFileInfo(path).isFile())
        ctx.sound().playSound(path);
}

} // namespace orvalen
