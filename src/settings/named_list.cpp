#include "settings/named_list.h"

#include <QAccessibleWidget>

namespace orvalen {

namespace {

class NamedListAccessible final : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override
    {
        auto* list = static_cast<QComboBox*>(widget());
        if (t == QAccessible::Name)
            return list->accessibleName();
        if (t == QAccessible::Value)
            return list->currentText();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* namedListFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("orvalen::NamedList") && object && object->isWidgetType())
        return new NamedListAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void NamedList::installAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(namedListFactory);
        return true;
    }();
    (void)installed;
}

} // namespace orvalen
