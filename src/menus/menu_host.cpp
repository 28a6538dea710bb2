#include "menus/menu_host.h"

#include "display/display_window.h"
#include "display/position_store.h"
#include "platform/logged_call.h"
#include "platform/notifier.h"
#include "services/app_context.h"
#include "stores/registry_values.h"
#include "stores/run_state.h"
#include "timing/run_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>

namespace orvalen {

MenuHost::MenuHost(AppContext& ctx, HostState& host, ModuleState& module, QObject* parent)
    : QObject(parent), m_ctx(ctx), m_host(host), m_module(module)
{
    setObjectName(QStringLiteral("menuHost"));
    // Design state of the check marks; the display's load settles 7, 9 and
    // 10, the load below settles the weekday item.
    m_host.item(DesktopItem::AdjustMode).checked = true;
    m_host.item(DesktopItem::Buttons).checked = true;
    m_host.item(DesktopItem::ExtendedScreen).checked = true;
    element_item(m_host, ElementAction::Weekday).checked = true;
    buildMenus();
    connect(&m_host.run, &RunController::menusChanged, this, &MenuHost::syncMenus);
    syncMenus();
}

MenuHost::~MenuHost() = default;

void MenuHost::buildMenus()
{
    m_desktopMenu = std::make_unique<QMenu>(QStringLiteral("全屏时钟"));
    m_desktopMenu->setObjectName(QStringLiteral("desktopMenu"));
    for (int i = 0; i < 18; ++i) {
        if (i == 14)
            continue; // there is no item 14
        using enum DesktopItem;
        const auto item = DesktopItem(i);
        QAction* a = nullptr;
        if (item == StartSeparator || item == WindowSeparator) {
            a = m_desktopMenu->addSeparator();
        } else if (item == Plans) {
            m_planMenu = new QMenu(m_host.item(Plans).caption, m_desktopMenu.get());
            m_planMenu->setObjectName(QStringLiteral("planMenu"));
            a = m_desktopMenu->addMenu(m_planMenu);
        } else {
            a = m_desktopMenu->addAction(m_host.desktop[i].caption);
            a->setCheckable(item == AdjustMode || item == Buttons || item == ExtendedScreen);
            connect(a, &QAction::triggered, this, [this, i] {
                // A check mark changes only through the command itself.
                if (m_desktop[i]->isCheckable())
                    m_desktop[i]->setChecked(m_host.desktop[i].checked);
                run_logged("desktop menu item", [this, i] { desktopMenuChosen(i); });
            });
        }
        a->setObjectName(QStringLiteral("desktopItem%1").arg(i));
        m_desktop[i] = a;
    }

    m_elementMenu = std::make_unique<QMenu>(QStringLiteral("运行设置"));
    m_elementMenu->setObjectName(QStringLiteral("elementMenu"));
    for (int i = 0; i < 5; ++i) {
        QAction* a = m_elementMenu->addAction(m_host.clockset[i].caption);
        a->setObjectName(QStringLiteral("elementItem%1").arg(i));
        a->setCheckable(ElementAction(i) == ElementAction::Weekday);
        connect(a, &QAction::triggered, this, [this, i] {
            if (m_clockset[i]->isCheckable())
                m_clockset[i]->setChecked(m_host.clockset[i].checked);
            if (m_hooks.element)
                run_logged("element menu item", [this, i] { m_hooks.element->elementMenuChosen(ElementAction(i)); });
        });
        m_clockset[i] = a;
    }
}

QAction* MenuHost::desktopAction(int k) const
{
    return (k >= 0 && k < 18) ? m_desktop[k] : nullptr;
}

QAction* MenuHost::clocksetAction(int k) const
{
    return (k >= 0 && k < 5) ? m_clockset[k] : nullptr;
}

void MenuHost::syncMenus()
{
    for (int i = 0; i < 18; ++i) {
        QAction* a = m_desktop[i];
        if (!a)
            continue;
        const MenuItemState& s = m_host.desktop[i];
        if (!a->isSeparator() && a->text() != s.caption)
            a->setText(s.caption);
        a->setEnabled(s.enabled);
        a->setVisible(s.visible);
        if (a->isCheckable())
            a->setChecked(s.checked);
    }
    for (int i = 0; i < 5; ++i) {
        QAction* a = m_clockset[i];
        const MenuItemState& s = m_host.clockset[i];
        if (a->text() != s.caption)
            a->setText(s.caption);
        a->setEnabled(s.enabled);
        a->setVisible(s.visible);
        if (a->isCheckable())
            a->setChecked(s.checked);
    }
}

void MenuHost::load()
{
    if (m_hooks.plans)
        m_hooks.plans->change_clock_menu();
    const int mode = registry_values::clockmode(m_ctx.registry);
    m_host.run.setClockSource(mode);
    // The current plan as it is now: at program start the display has not
    // loaded it yet, so the weekday item starts unchecked.
    element_item(m_host, ElementAction::Weekday).checked = m_module.clock_plan.showsWeekday();
    m_host.menusChanged();
}

// --- DisplayHost ----------------------------------------------------------------

void MenuHost::desktopRun(int k) { desktopMenuChosen(k); }

void MenuHost::showReady()
{
    if (m_commands)
        m_commands->showReady();
}

void MenuHost::popupDesktopMenu(const QPoint& globalPos)
{
    if (m_hooks.plans)
        m_hooks.plans->ensureLoaded();
    syncMenus();
    m_desktopMenu->popup(globalPos);
}

void MenuHost::popupElementMenu(const QPoint& globalPos)
{
    syncMenus();
    m_elementMenu->popup(globalPos);
}

void MenuHost::registerHotkeys()
{
    if (m_hooks.hotkeys)
        m_hooks.hotkeys->registerHotkeys();
}

void MenuHost::releaseHotkeys()
{
    if (m_hooks.hotkeys)
        m_hooks.hotkeys->releaseHotkeys();
}

// --- the dispatcher -------------------------------------------------------------

bool MenuHost::ctrlDown() const
{
    if (m_ctrlDown)
        return m_ctrlDown();
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier);
}

void MenuHost::desktopMenuChosen(int k)
{
    WindowHooks* windows = m_hooks.windows;
    switch (DesktopItem(k)) {
    case DesktopItem::Start:
        if (m_commands)
            m_commands->start_timing();
        break;
    case DesktopItem::Stop:
        if (m_commands)
            m_commands->stop_timing();
        break;
    case DesktopItem::Pause:
        if (m_commands)
            m_commands->pause_timing();
        break;
    case DesktopItem::Settings:
        if (windows) {
            if (ctrlDown())
                windows->openArticleLink(k);
            else
                windows->showSettings();
        }
        break;
    case DesktopItem::AdjustMode:
        toggleAdjustMode();
        break;
    case DesktopItem::Background:
        if (windows)
            windows->showBackground();
        break;
    case DesktopItem::Buttons:
        toggleButtons();
        break;
    case DesktopItem::ExtendedScreen:
        toggleExtendedScreen();
        break;
    case DesktopItem::Minimise:
        toggleMinimised();
        break;
    case DesktopItem::Statistics:
        if (windows)
            windows->showStatistics();
        break;
    case DesktopItem::Help:
        if (windows)
            windows->openHelp();
        break;
    case DesktopItem::About:
        if (windows) {
            if (ctrlDown())
                windows->openArticleLink(k);
            else
                windows->showAbout();
        }
        break;
    case DesktopItem::Exit:
        exitProgram();
        break;
    default:
        break; // 3, 4, 5, 11, 14 and anything outside 0..17 do nothing
    }
}

void MenuHost::toggleAdjustMode()
{
    MenuItemState& item = m_host.item(DesktopItem::AdjustMode);
    item.checked = !item.checked;
    m_host.menusChanged();
    if (!m_display)
        return;
    m_display->showElementPlaceholders(item.checked);
    // Buttons can be dragged while adjusting; their clicks do nothing then.
    std::array<bool, 5> enabled{true, true, true, true, true};
    if (item.checked) {
        if (!m_display->buttonsShown())
            return;
    } else {
        for (std::size_t i = 0; i < enabled.size(); ++i)
            enabled[i] = m_host.item(kButtonCommands[i]).enabled;
    }
    m_display->setButtonsEnabled(enabled);
}

void MenuHost::toggleButtons()
{
    MenuItemState& item = m_host.item(DesktopItem::Buttons);
    item.checked = !item.checked;
    m_host.menusChanged();
    if (m_display)
        m_display->setButtonsShown(item.checked);
    save_element_position(m_ctx, int(DisplayElement::ButtonsFlag), item.checked ? 1 : 0, 0);
}

void MenuHost::toggleExtendedScreen()
{
    MenuItemState& item = m_host.item(DesktopItem::ExtendedScreen);
    item.checked = !item.checked;
    m_host.menusChanged();
    if (!m_display)
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    QScreen* target = primary;
    if (item.checked) {
        for (QScreen* s : screens)
            if (s != primary) {
                target = s;
                break;
            }
    }
    m_display->showNormal();
    if (target) {
        if (QWindow* w = m_display->windowHandle())
            w->setScreen(target);
    }
    m_display->fillScreen(target);
    m_display->show();
    if (item.checked && target == primary) {
        // No second screen: say so and take the check mark back.
        m_ctx.notifier.notice(QStringLiteral("没有连接扩展屏，请确认"));
        item.checked = false;
        m_host.menusChanged();
    }
}

void MenuHost::toggleMinimised()
{
    if (!m_display)
        return;
    // A minimised display keeps its full-screen flag beside the minimised one.
    if (!m_display->isMinimized() && (m_display->isFullScreen() || m_display->isMaximized())) {
        m_display->showMinimized();
    } else {
        m_display->fillScreen();
        m_display->show();
    }
}

void MenuHost::exitProgram()
{
    if (m_display)
        m_display->close();
    if (m_hooks.windows)
        m_hooks.windows->unloadWindows();
    if (m_quit)
        m_quit();
    else
        QCoreApplication::quit();
}

} // namespace orvalen
