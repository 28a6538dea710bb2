#include "settings/settings_controls.h"

#include "settings/colour_swatch.h"
#include "settings/number_field.h"

#include <QLabel>
#include <QToolButton>

namespace orvalen {

QLabel* makeLabel(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

QCheckBox* makeBox(const QString& text, QWidget* parent, const QString& name)
{
    auto* b = new QCheckBox(text, parent);
    b->setAccessibleName(name.isEmpty() ? text.simplified() : name);
    return b;
}

QToolButton* makeDots(const QString& name, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(QStringLiteral(".."));
    b->setAccessibleName(name);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

NumberField* makeTimeField(int max, const QString& name, QWidget* parent)
{
    auto* f = new NumberField(0, max, 1, parent);
    f->setAccessibleName(name);
    NumberField::Rule r;
    r.typingMax = r.leaveMax = max;
    r.typingNotice = r.leaveNotice = QStringLiteral("取值范围0-%1之间").arg(max);
    f->setRule(r);
    return f;
}

void showColourOrPicture(ColourSwatch* swatch, const PlanColour& colour, const QString& picture, bool emptyText)
{
    if (picture.size() > 3) {
        swatch->setColour(kWindowColour);
        swatch->setText(picture);
    } else {
        swatch->setColour(colour);
        if (emptyText)
            swatch->clear();
    }
}

} // namespace orvalen
