#include "menus/style_dialogs.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QListView>
#include <QStringListModel>

namespace orvalen {
namespace {

bool drawsByItself(const QString& family, const QString& text)
{
    QFont font(family);
    font.setStyleStrategy(QFont::NoFontMerging); // no borrowed glyphs
    const QFontMetrics metrics(font);
    for (const char32_t c : text.toUcs4()) {
        if (!QChar::isSpace(c) && QChar::isPrint(c) && !metrics.inFontUcs4(c))
            return false;
    }
    return true;
}

// Qt's dialog filters families only by pitch or scalability, so its family
// list (the first of its three lists) is given the offered families here,
// as far as the dialog lists them for its writing system, and `current`
// (or the first family) is selected.
void offerFamilies(QListView* list, const QStringList& offered, const QString& current)
{
    auto* model = list ? qobject_cast<QStringListModel*>(list->model()) : nullptr;
    if (!model)
        return;
    const QStringList listed = model->stringList();
    QStringList families;
    for (const QString& f : offered) {
        if (listed.contains(f))
            families << f;
    }
    model->setStringList(families);
    if (families.isEmpty())
        return;
    const qsizetype row = families.indexOf(current);
    list->setCurrentIndex(model->index(int(row < 0 ? 0 : row)));
}

} // namespace

QStringList fontFamiliesFor(const QString& text)
{
    QStringList families;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family))
            continue;
        if (QFontDatabase::isFixedPitch(family) || drawsByItself(family, text))
            families << family;
    }
    return families;
}

std::optional<QFont> QtStyleDialogs::chooseFont(const QFont& initial, const QString& text)
{
    QFontDialog dialog(m_parent);
    dialog.setOption(QFontDialog::DontUseNativeDialog); // a native dialog has its own list
    dialog.setWindowTitle(QStringLiteral("字体"));
    dialog.setCurrentFont(initial);

    const QStringList offered = fontFamiliesFor(text);
    // A family the plan names but that is not installed is drawn by a
    // substitute: that one is the element's font in the list.
    const QString current = offered.contains(initial.family()) ? initial.family() : QFontInfo(initial).family();
    const QList<QListView*> lists = dialog.findChildren<QListView*>(Qt::FindDirectChildrenOnly);
    QListView* familyList = lists.isEmpty() ? nullptr : lists.first();
    offerFamilies(familyList, offered, current);
    // Another writing system makes the dialog list its families afresh
    // (on either signal of its combo box); the offer follows after that.
    const auto reoffer = [&dialog, familyList, offered] {
        offerFamilies(familyList, offered, dialog.currentFont().family());
    };
    for (QComboBox* writingSystems : dialog.findChildren<QComboBox*>()) {
        QObject::connect(writingSystems, &QComboBox::currentIndexChanged, &dialog, reoffer);
        QObject::connect(writingSystems, &QComboBox::activated, &dialog, reoffer);
    }

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
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
