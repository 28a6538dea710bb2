#include "display/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace orvalen {

bool font_installed(const QString& family)
{
    if (family.trimmed().isEmpty())
        return false;
    const QStringList families = QFontDatabase::families();
    for (const QString& f : families) {
        if (f.compare(family, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QString display_family(const QString& family)
{
    return font_installed(family) ? family : kFallbackFamily;
}

void install_cjk_substitutions()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    // Installed CJK families, best first; fontconfig finds whichever exists.
    static const QStringList cjk{"WenQuanYi Micro Hei",      "WenQuanYi Micro Hei Mono",
                                 "Noto Sans CJK SC",         "Noto Serif CJK SC",
                                 "Source Han Sans SC",       "AR PL UMing CN",
                                 "AR PL UKai CN",            "Droid Sans Fallback"};
    QStringList present;
    for (const QString& f : cjk) {
        if (font_installed(f))
            present << f;
    }
    if (present.isEmpty())
        return;
    static const QStringList windowsNames{"宋体", "新宋体", "黑体", "楷体", "仿宋", "微软雅黑",
                                          "SimSun", "NSimSun", "SimHei", "KaiTi", "FangSong",
                                          "Microsoft YaHei"};
    for (const QString& name : windowsNames) {
        if (!font_installed(name))
            QFont::insertSubstitutions(name, present);
    }
}

} // namespace orvalen
