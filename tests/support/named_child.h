#pragma once
#include <QObject>
#include <QString>

namespace orvalen::test {

// The first child control of type T that screen readers know by `name`
// (its accessible name), as an operator finds it; null when there is none.
template <typename T>
T* namedChild(const QObject& parent, const QString& name)
{
    for (T* child : parent.findChildren<T*>())
        if (child->accessibleName() == name)
            return child;
    return nullptr;
}

} // namespace orvalen::test
