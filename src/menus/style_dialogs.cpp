#include "menus/style_dialogs.h"

#include <QColorDialog>
#include <QFontDialog>

namespace orvalen {

std::optional<QFont> QtStyleDialogs::chooseFont(const QFont& initial)
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent, QStringLiteral("字体"),
                                            QFontDialog::MonospacedFonts);
    if (!ok)
        return std::nullopt;
    return font;
}

std::optional<QColor> QtStyleDialogs::chooseColour()
{
    // Every opening starts afresh: custom colours the operator made last time
    // are gone.
    for (int i = 0; i < QColorDialog::customCount(); ++i)
        QColorDialog::setCustomColor(i, QColor(Qt::black));
    const QColor colour = QColorDialog::getColor(QColor(Qt::black), m_parent, QStringLiteral("颜色"));
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

} // namespace orvalen
