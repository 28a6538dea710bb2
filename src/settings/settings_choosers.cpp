#include "settings/settings_window.h"

#include "display/display_window.h"
#include "platform/notifier.h"
#include "services/file_dialog.h"
#include "services/import_check.h"
#include "services/sound_player.h"
#include "settings/colour_swatch.h"
#include "settings/settings_controls.h"
#include "settings/settings_rules.h"

#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QSet>
#include <QTimer>

namespace orvalen {

namespace {

const QStringList kPreferredFonts{"Arial Black", "Trebuchet MS", "Arial", "新宋体", "微软雅黑", "华文楷体", "黑体"};

bool same_contents(const QString& a, const QString& b)
{
    QFile fa(a), fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 16) != fb.read(1 << 16))
            return false;
    return true;
}

} // namespace

void SettingsWindow::fillFontLists()
{
    m_fontTimer->stop();
    const AppContext& ctx = m_display.context();
    const QStringList families = QFontDatabase::families();
    const QSet<QString> installedFamilies(families.begin(), families.end());
    QStringList installed;
    if (ctx.folder.exists(QStringLiteral("font/Arial Black.ttf"))) {
        installed = kPreferredFonts;
    } else {
        for (const QString& family : families)
            if (!family.contains(QLatin1Char('@')))
                installed << family;
    }
    const ClockPlan& p = m_stored;
    const QString planFonts[6] = {p.firstfont, p.secondfont, p.clockFont, p.stagefont, p.textfont, p.rollfont};
    for (int i = 0; i < 6; ++i) {
        QComboBox* list = styleFonts[i];
        QStringList entries = i == 3 ? kPreferredFonts : installed;
        // The plan's own name stays an entry, so an apply that leaves the
        // font alone stores it unchanged, installed or not.
        if (!planFonts[i].isEmpty() && !entries.contains(planFonts[i]))
            entries.prepend(planFonts[i]);
        refill_list(list, entries);
        for (int e = 0; e < list->count(); ++e) {
            // A name this desktop lacks is drawn in the family fontconfig
            // matches for it (a CJK font for the Chinese names), and says so.
            const QString name = list->itemText(e);
            if (!installedFamilies.contains(name))
                list->setItemData(e, QStringLiteral("显示为 ") + QFontInfo(QFont(name)).family(), Qt::ToolTipRole);
        }
        int chosen = list->findText(planFonts[i]);
        if (chosen < 0)
            chosen = list->findText(QStringLiteral("新宋体"));
        const QSignalBlocker block(list);
        list->setCurrentIndex(chosen);
    }
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
    swatch->setValue(qint64(chosen.red()) | (qint64(chosen.green()) << 8) | (qint64(chosen.blue()) << 16));
    if (clearsPicture)
        swatch->clear();
}

void SettingsWindow::importFile(int kind, QLineEdit* target, ColourSwatch* swatch)
{
    AppContext& ctx = m_display.context();
    const bool sound = kind == 0;
    const QString folder = ctx.folder.file(sound ? QStringLiteral("sounds") : QStringLiteral("picture"));
    QtFileChooser qtChooser(this);
    FileChooser& chooser = m_links.files ? *m_links.files : static_cast<FileChooser&>(qtChooser);
    const QString path = file_dialog(chooser, ctx.notifier, false, QStringLiteral("导入文件名称"),
                                     sound ? sound_filter() : picture_filter(), QString(), QString(), folder);
    if (path.isEmpty()) {
        ctx.notifier.notice(sound ? QStringLiteral("没有选择文件") : QStringLiteral("没有加载图片"),
                            Notifier::Icon::Question);
        return;
    }
    const QString name = QFileInfo(path).fileName();
    if (name == QStringLiteral("lnk"))
        return;
    // Only what the display can show or the player can play is taken in.
    if (QFileInfo(path).isFile() && !(sound ? sound_file_playable(path) : picture_file_readable(path))) {
        notice((sound ? QStringLiteral("无法导入：%1 不是能播放的声音文件（WAV 或 MP3）")
                      : QStringLiteral("无法导入：%1 不是能显示的图片文件"))
                   .arg(name),
               0);
        return;
    }
    QDir dir(folder);
    QString stored;
    if (dir.mkpath(QStringLiteral(".")) && QFileInfo(path).isReadable()) {
        // Other plans name files of this folder: an existing file is reused
        // only when it is the same file, and is never overwritten.
        const QStringList taken = dir.entryList(QDir::Files);
        for (int n = 1; stored.isEmpty(); ++n) {
            const QString candidate = numbered_file_name(name, n);
            if (!taken.contains(candidate)) {
                if (QFile::copy(path, dir.filePath(candidate)))
                    stored = candidate;
                break;
            }
            if (same_contents(path, dir.filePath(candidate)))
                stored = candidate;
        }
    }
    if (stored.isEmpty()) {
        notice(QStringLiteral("没有进行选择"), 800);
        return;
    }
    target->setText(stored);
    if (swatch)
        swatch->setValue(kWindowColour);
}

void SettingsWindow::playPreview(int index)
{
    static const int simpleStages[4] = {0, 3, 5, 6};
    const int stage = simpleBox->isChecked() ? (index < 4 ? simpleStages[index] : -1) : index;
    if (stage < 0 || stage > 6)
        return;
    AppContext& ctx = m_display.context();
    const QString path = ctx.folder.file(QStringLiteral("sounds/") + reminderTexts[7 + stage]->text());
    ctx.sound().stopSound(path);
    if (QFileInfo(path).isFile())
        ctx.sound().playSound(path);
}

} // namespace orvalen
