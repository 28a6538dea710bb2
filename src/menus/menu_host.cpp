#include "menus/menu_host.h"

#include "stores/position_store.h"
#include "menus/menu_item_names.h"
#include "platform/logged_call.h"
#include "platform/notifier.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "stores/position_store.h"
#include "state/run_state.h"
#include "timing/run_commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>

namespace orvalen {
namespace {

// Between a run command's word and its hotkey's key text.
const QString kHotkeyGap(8, QLatin1Char(' '));

} // namespace

MenuHost::MenuHost(AppContext& ctx, HostState& host, const CurrentPlan& currentPlan, RunCommands& commands,
                   QObject* parent)
    : QObject(parent), m_ctx(ctx), m_host(host), m_currentPlan(currentPlan), m_commands(commands)
{
    setObjectName(QStringLiteral("menuHost"));
    buildMenus();
    connect(&m_host.run, &RunController::stateChanged, this, &MenuHost::showState);
    connect(&m_host.menus, &MenuState::changed, this, &MenuHost::showState);
    connect(&m_host.menus, &MenuState::adjustModeChanged, this, &MenuHost::showState);
    showState();
}

MenuHost::~MenuHost() = default;

QAction* MenuHost::addCommand(DesktopItem item, const QString& caption, bool checkable)
{
    QAction* a = m_desktopMenu->addAction(caption);
    a->setObjectName(QLatin1String(desktopItemName(item)));
    a->setCheckable(checkable);
    connect(a, &QAction::triggered, this, [this, item] {
        // A check mark changes only through the command itself.
        showState();
        runLogged("desktop menu item", [this, item] { runDesktopItem(item); });
    });
    return a;
}

QAction* MenuHost::addElementCommand(ElementAction item, const QString& caption)
{
    QAction* a = m_elementMenu->addAction(caption);
    a->setObjectName(QLatin1String(elementItemName(item)));
    a->setCheckable(item == ElementAction::Weekday);
    connect(a, &QAction::triggered, this, [this, item] {
        showState();
        if (m_hooks.element)
            runLogged("element menu item", [this, item] { m_hooks.element->elementMenuChosen(item, m_menuElement); });
    });
    return a;
}

void MenuHost::buildMenus()
{
    using enum DesktopItem;
    m_desktopMenu = std::make_unique<QMenu>(QStringLiteral("全屏时钟"));
    m_desktopMenu->setObjectName(QStringLiteral("desktopMenu"));
    m_start = addCommand(Start, QStringLiteral("开始"));
    m_stop = addCommand(Stop, QStringLiteral("停止"));
    m_pause = addCommand(Pause, QStringLiteral("暂停"));
    m_reset = addCommand(Reset, QStringLiteral("复位"));
    m_reset->setVisible(false);
    m_desktopMenu->addSeparator();
    m_planMenu = new QMenu(QStringLiteral("阶段选择"), m_desktopMenu.get());
    m_planMenu->setObjectName(QStringLiteral("planMenu"));
    m_plans = m_desktopMenu->addMenu(m_planMenu);
    m_plans->setObjectName(QLatin1String(desktopItemName(Plans)));
    m_settings = addCommand(Settings, QStringLiteral("设置"));
    m_adjustMode = addCommand(AdjustMode, QStringLiteral("允许调整"), true);
    m_background = addCommand(Background, QStringLiteral("背景设置"));
    m_buttons = addCommand(Buttons, QStringLiteral("按钮"), true);
    m_extendedScreen = addCommand(ExtendedScreen, QStringLiteral("扩展屏显示"), true);
    m_desktopMenu->addSeparator();
    m_minimise = addCommand(Minimise, QStringLiteral("最小化"));
    m_statistics = addCommand(Statistics, QStringLiteral("统计"));
    m_help = addCommand(Help, QStringLiteral("帮助"));
    m_about = addCommand(About, QStringLiteral("在线帮助"));
    m_exit = addCommand(Exit, QStringLiteral("退出"));

    m_elementMenu = std::make_unique<QMenu>(QStringLiteral("运行设置"));
    m_elementMenu->setObjectName(QStringLiteral("elementMenu"));
    m_font = addElementCommand(ElementAction::Font, QStringLiteral("设置字体"));
    m_colour = addElementCommand(ElementAction::Colour, QStringLiteral("设置颜色"));
    m_centre = addElementCommand(ElementAction::Centre, QStringLiteral("居中"));
    m_hide = addElementCommand(ElementAction::Hide, QStringLiteral("隐藏"));
    m_weekday = addElementCommand(ElementAction::Weekday, QStringLiteral("显示星期"));
}

QAction* MenuHost::action(DesktopItem item) const
{
    switch (item) {
    case DesktopItem::Start: return m_start;
    case DesktopItem::Stop: return m_stop;
    case DesktopItem::Pause: return m_pause;
    case DesktopItem::Reset: return m_reset;
    case DesktopItem::Plans: return m_plans;
    case DesktopItem::Settings: return m_settings;
    case DesktopItem::AdjustMode: return m_adjustMode;
    case DesktopItem::Background: return m_background;
    case DesktopItem::Buttons: return m_buttons;
    case DesktopItem::ExtendedScreen: return m_extendedScreen;
    case DesktopItem::Minimise: return m_minimise;
    case DesktopItem::Statistics: return m_statistics;
    case DesktopItem::Help: return m_help;
    case DesktopItem::About: return m_about;
    case DesktopItem::Exit: return m_exit;
    default: return nullptr;
    }
}

QAction* MenuHost::action(ElementAction item) const
{
    switch (item) {
    case ElementAction::Font: return m_font;
    case ElementAction::Colour: return m_colour;
    case ElementAction::Centre: return m_centre;
    case ElementAction::Hide: return m_hide;
    case ElementAction::Weekday: return m_weekday;
    default: return nullptr;
    }
}

QString MenuHost::runCaption(DesktopItem command, const QString& word) const
{
    const std::optional<QString> key = m_host.menus.hotkeyText(command);
    return key ? word + kHotkeyGap + *key : word;
}

void MenuHost::showState()
{
    const RunState state = m_host.run.state();
    const MenuState& menus = m_host.menus;
    const bool idle = !m_host.run.isUnderWay();
    using enum DesktopItem;

    m_start->setText(runCaption(Start, state == RunState::Finished ? QStringLiteral("清零") : QStringLiteral("开始")));
    m_stop->setText(runCaption(Stop, QStringLiteral("停止")));
    m_pause->setText(runCaption(Pause, state == RunState::Paused ? QStringLiteral("继续") : QStringLiteral("暂停")));
    for (DesktopItem item : {Start, Stop, Pause, Reset, Settings, Exit})
        action(item)->setEnabled(commandEnabled(item, state));
    for (QAction* a : {m_statistics, m_help, m_about, m_exit})
        a->setVisible(idle);

    m_plans->setVisible(menus.planItemShown());
    m_plans->setEnabled(menus.planItemEnabled());
    m_adjustMode->setChecked(menus.adjustMode());
    m_buttons->setChecked(menus.buttonsShown());
    m_extendedScreen->setChecked(menus.extendedScreen());
    m_minimise->setText(menus.displayMinimised() ? QStringLiteral("最大化") : QStringLiteral("最小化"));
    m_weekday->setChecked(menus.weekdayChecked());
}

void MenuHost::load()
{
    m_commands.readClockSource();
    // The current plan as it is now: at program start the stores have not
    // loaded it yet, so the weekday item starts unchecked; the element menu
    // sets it when the plan comes.
    m_host.menus.setWeekdayChecked(isOn(m_currentPlan.plan().showsWeekday));
}

// --- DisplayHost ----------------------------------------------------------------

void MenuHost::showReady()
{
    m_commands.showReady();
}

void MenuHost::popupDesktopMenu(const QPoint& globalPos)
{
    if (m_hooks.plans)
        m_hooks.plans->ensureLoaded();
    m_desktopMenu->popup(globalPos);
}

void MenuHost::popupElementMenu(const QPoint& globalPos, DisplayElement element, const ElementMenuItems& items)
{
    m_menuElement = element;
    m_font->setVisible(items.font);
    m_colour->setVisible(items.colour);
    m_centre->setVisible(items.centre);
    m_hide->setVisible(items.hide);
    m_weekday->setVisible(items.weekday);
    m_elementMenu->popup(globalPos);
}

void MenuHost::stopRunOnClose()
{
    m_commands.stopTiming();
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

void MenuHost::runDesktopItem(DesktopItem command)
{
    WindowHooks* windows = m_hooks.windows;
    switch (command) {
    case DesktopItem::Start:
        m_commands.startTiming();
        break;
    case DesktopItem::Stop:
        m_commands.stopTiming();
        break;
    case DesktopItem::Pause:
        m_commands.pauseTiming();
        break;
    case DesktopItem::Settings:
        if (windows) {
            if (ctrlDown())
                windows->openArticleLink(int(command));
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
                windows->openArticleLink(int(command));
            else
                windows->showAbout();
        }
        break;
    case DesktopItem::Exit:
        exitProgram();
        break;
    default:
        break; // the reset item, the separators and the plan item run nothing
    }
}

void MenuHost::setDisplay(DisplayWindowControl* display, QObject* lifetime)
{
    m_display = display;
    m_displayLifetime = lifetime;
}

void MenuHost::toggleAdjustMode()
{
    MenuState& menus = m_host.menus;
    menus.setAdjustMode(!menus.adjustMode());
    DisplayWindowControl* display = this->display();
    if (!display)
        return;
    display->showElementPlaceholders(menus.adjustMode());
}

void MenuHost::toggleButtons()
{
    MenuState& menus = m_host.menus;
    const bool shown = !menus.buttonsShown();
    menus.setButtonsShown(shown);
    if (DisplayWindowControl* display = this->display())
        display->setButtonsShown(shown);
    saveElementPosition(m_ctx.ini, m_ctx.registry, int(DisplayElement::ButtonsFlag), shown ? 1 : 0, 0);
}

void MenuHost::toggleExtendedScreen()
{
    MenuState& menus = m_host.menus;
    const bool extended = !menus.extendedScreen();
    menus.setExtendedScreen(extended);
    DisplayWindowControl* display = this->display();
    if (!display)
        return;
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* primary = QGuiApplication::primaryScreen();
    QScreen* target = primary;
    if (extended) {
        for (QScreen* s : screens)
            if (s != primary) {
                target = s;
                break;
            }
    }
    display->moveToScreen(target);
    if (extended && target == primary) {
        // No second screen: say so and take the check mark back.
        m_ctx.notifier.notice(QStringLiteral("没有连接扩展屏，请确认"));
        menus.setExtendedScreen(false);
    }
}

void MenuHost::toggleMinimised()
{
    DisplayWindowControl* display = this->display();
    if (!display)
        return;
    if (display->fillsScreen())
        display->minimise();
    else
        display->restoreFullScreen();
}

void MenuHost::exitProgram()
{
    if (DisplayWindowControl* display = this->display())
        display->closeDisplay();
    if (m_hooks.windows)
        m_hooks.windows->unloadWindows();
    if (m_quit)
        m_quit();
    else
        QCoreApplication::quit();
}

} // namespace orvalen
