#pragma once
#include "menus/menu_item_names.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace orvalen::test {

// The running program's desktop menu "全屏时钟" (nullptr when there is none).
inline QMenu* programDesktopMenu()
{
    for (QWidget* w : QApplication::allWidgets())
        if (w->objectName() == QLatin1String("desktopMenu"))
            return qobject_cast<QMenu*>(w);
    return nullptr;
}

// The item of `menu` that runs `item`, found by its name.
inline QAction* menuItem(const QMenu& menu, DesktopItem item)
{
    return menu.findChild<QAction*>(QLatin1String(desktopItemName(item)));
}

inline QAction* menuItem(const QMenu& menu, ElementAction item)
{
    return menu.findChild<QAction*>(QLatin1String(elementItemName(item)));
}

// The item of the running program's desktop menu that runs `item`.
inline QAction* desktopMenuItem(DesktopItem item)
{
    QMenu* menu = programDesktopMenu();
    return menu ? menuItem(*menu, item) : nullptr;
}

} // namespace orvalen::test
