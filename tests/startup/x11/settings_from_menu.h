#pragma once
#include "settings/settings_window.h"
#include "support/menu_items.h"
#include "support/named_child.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace orvalen::test {

template <typename T>
T* find_widget()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<T*>(w))
            return t;
    return nullptr;
}

// Opens the settings window by `open` (the desktop menu's 设置 unless given)
// and runs `inside` while the modal window is open; the window is closed
// afterwards.
inline void with_settings(const std::function<void(SettingsWindow&)>& inside,
                          const std::function<void()>& open = [] { desktopMenuItem(DesktopItem::Settings)->trigger(); })
{
    bool ran = false;
    int waits = 0;
    std::function<void()> act = [&] {
        auto* w = find_widget<SettingsWindow>();
        if (!w || !w->isVisible()) {
            if (++waits < 200) // not open yet: look again once the loop has run
                QTimer::singleShot(10, qApp, act);
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        inside(*w);
        ran = true;
        namedChild<QPushButton>(*w, "关闭")->click();
    };
    QMetaObject::invokeMethod(qApp, act, Qt::QueuedConnection);
    open();
    EXPECT_TRUE(ran);
}

} // namespace orvalen::test
