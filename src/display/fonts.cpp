#include "display/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace orvalen {

bool fontInstalled(const QString& family)
{
    if (family.trimmed().isEmpty())
        return false;
    // The program adds no fonts of its own, so the list read once holds;
    // building it anew for every styled text costs the start-up.
    static const QSet<QString> installed = [] {
        QSet<QString> names;
        for (const QString& f : QFontDatabase::families())
            names.insert(f.toCaseFolded());
        return names;
    }();
    return installed.contains(family.toCaseFolded());
}

QString displayFamily(const QString& family)
{
    return fontInstalled(family) ? family : kFallbackFamily;
}

void installCjkSubstitutions()
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
        if (fontInstalled(f))
            present << f;
    }
    if (present.isEmpty())
        return;
    static const QStringList windowsNames{"宋体", "新宋体", "黑体", "楷体", "仿宋", "微软雅黑",
                                          "SimSun", "NSimSun", "SimHei", "KaiTi", "FangSong",
                                          "Microsoft YaHei"};
    for (const QString& name : windowsNames) {
        if (!fontInstalled(name))
            QFont::insertSubstitutions(name, present);
    }
}

double screenTextScale(int widthPx, int heightPx)
{
    if (widthPx <= 0 || heightPx <= 0)
        return 1.0;
    return std::min(widthPx / 1920.0, heightPx / 1080.0);
}

double pointSizeToFit(QFont font, const QString& text, double points, double maxWidthPx)
{
    if (text.isEmpty() || !(points > 0) || !(maxWidthPx > 0))
        return points;
    auto widthAt = [&](double size) {
        font.setPointSizeF(size);
        return QFontMetricsF(font).horizontalAdvance(text);
    };
    const double width = widthAt(points);
    if (width <= maxWidthPx)
        return points;
    // Glyph widths grow almost in proportion to the size; the rounding of
    // single glyphs is caught by stepping down until the text fits.
    double size = std::max(1.0, std::floor(points * maxWidthPx / width * 4.0) / 4.0);
    while (size > 1.0 && widthAt(size) > maxWidthPx)
        size = std::max(1.0, size - 0.25);
    return size;
}

} // namespace orvalen
