#include "menus/element_menu.h"

#include "services/time_conversions.h"
#include "display/colour.h"
#include "display/display_window.h"
#include "menus/style_dialogs.h"
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "stores/run_state.h"

#include <QDebug>
#include <QLocale>
#include <cmath>
#include <vector>

namespace orvalen {
namespace {

const QString kDefaultSizes = QStringLiteral("80/50/100/50/30/30/");

} // namespace

QString rebuild_size_list(const QString& list, int entry, double size)
{
    QStringList parts = list.split(QLatin1Char('/'));
    if (parts.size() != 7 || !parts.last().isEmpty())
        parts = kDefaultSizes.split(QLatin1Char('/'));
    QString out;
    for (int i = 0; i < 6; ++i) {
        out += i == entry ? QString::number(size, 'g', 7) : parts[i];
        out += QLatin1Char('/');
    }
    return out;
}

ElementMenu::ElementMenu(AppContext& ctx, HostState& host, ModuleState& module, DisplayWindow& display,
                         StyleDialogs& dialogs)
    : m_ctx(ctx), m_host(host), m_module(module), m_display(display), m_dialogs(dialogs)
{
}

void ElementMenu::elementMenuChosen(ElementAction action)
{
    switch (action) {
    case ElementAction::Font: chooseFont(); break;
    case ElementAction::Colour: chooseColour(); break;
    case ElementAction::Centre: centre(); break;
    case ElementAction::Hide: hide(); break;
    case ElementAction::Weekday: toggleWeekday(); break;
    default: break;
    }
}

std::optional<DisplayElement> ElementMenu::selected() const
{
    return element_of_menu_number(m_module.selected_element);
}

// --- font ---------------------------------------------------------------------

void ElementMenu::chooseFont()
{
    const std::optional<DisplayElement> element = selected();
    if (!element || *element == DisplayElement::Logo)
        return; // the logo has no font
    const DisplayElement e = *element;
    const std::optional<QFont> chosen = m_dialogs.chooseFont(m_display.elementFont(e), m_display.elementText(e));
    if (!chosen || !std::isfinite(chosen->pointSizeF()) || chosen->pointSizeF() <= 0)
        return;
    m_display.setElementStyle(e, *chosen, m_display.elementColour(e));

    ClockPlan& plan = m_module.clock_plan;
    const QFont font = m_display.elementFont(e);
    switch (e) {
    case DisplayElement::DateLine:
        plan.stagefont = font.family();
        plan.stagecolour = colourText(e, plan.stagecolour);
        plan.sizethree = rebuild_size_list(plan.sizethree, 3, font.pointSizeF());
        store({{"stagefont", &plan.stagefont}, {"stagecolour", &plan.stagecolour}, {"sizethree", &plan.sizethree}});
        break;
    case DisplayElement::Clock:
        plan.sizethree = rebuild_size_list(plan.sizethree, 2, font.pointSizeF());
        plan.clockFont = font.family();
        plan.clockcolour = colourText(e, plan.clockcolour);
        store({{"clockFont", &plan.clockFont}, {"clockcolour", &plan.clockcolour}, {"sizethree", &plan.sizethree}});
        break;
    default:
        break;
    }
    m_display.repaintElement(e);
}

// --- colour -------------------------------------------------------------------

void ElementMenu::chooseColour()
{
    const std::optional<DisplayElement> element = selected();
    const std::optional<QColor> chosen = m_dialogs.chooseColour();
    if (!element || *element == DisplayElement::Logo || !chosen || !chosen->isValid())
        return; // the logo takes no colour
    const DisplayElement e = *element;
    const QColor colour = *chosen;
    m_display.setElementColour(e, colour);
    ClockPlan& plan = m_module.clock_plan;
    switch (e) {
    case DisplayElement::DateLine:
        plan.stagefont = m_display.elementFont(e).family();
        plan.stagecolour = colour_to_text(colour);
        store({{"stagefont", &plan.stagefont}, {"stagecolour", &plan.stagecolour}});
        break;
    case DisplayElement::Clock: {
        m_display.repaintElement(e);
        const QFont font = m_display.elementFont(e);
        plan.sizethree = rebuild_size_list(plan.sizethree, 2, font.pointSizeF()); // kept in memory only
        plan.clockFont = font.family();
        plan.clockcolour = colour_to_text(colour);
        store({{"clockcolour", &plan.clockcolour}});
        break;
    }
    case DisplayElement::OvertimeClock:
        m_display.repaintElement(e);
        break;
    default:
        break;
    }
}

// The stored colour text of an element: the plan's own text while the
// element still shows that colour (a system colour keeps its negative
// value), else the element's colour as a plain colour value.
QString ElementMenu::colourText(DisplayElement e, const QString& stored) const
{
    const QColor now = m_display.elementColour(e);
    const QColor before = colour_from_text(stored);
    if (before.isValid() && before.rgb() == now.rgb())
        return stored;
    return colour_to_text(now);
}

void ElementMenu::store(std::initializer_list<std::pair<const char*, const QString*>> values)
{
    // The values of one choice go to the store together, in one save.
    std::vector<std::pair<QString, RegistryStore::Value>> texts;
    for (const auto& [name, value] : values)
        texts.emplace_back(QLatin1String(name), RegistryStore::Value::ofText(*value));
    if (!m_ctx.registry.writeValues(texts))
        qWarning() << "Element menu: the font, colour and size could not be stored";
}

// --- centre, hide, weekday -----------------------------------------------------

void ElementMenu::centre()
{
    const ScreenMetrics& screen = m_display.screenMetrics();
    m_module.full_screen_width_px = screen.fullWidthPx;
    m_module.full_screen_height_px = screen.fullHeightPx;

    const std::optional<DisplayElement> element = selected();
    if (!element)
        return;
    const DisplayElement e = *element;
    const double left = float((m_display.twipsPerPixelX() * m_module.full_screen_width_px - m_display.elementRect(e).width()) / 2.0);
    m_display.setElementLeft(e, left);
    m_display.repaintElement(e);
    if (e == DisplayElement::DateLine)
        m_display.saveElementPosition(e);
}

void ElementMenu::hide()
{
    if (const std::optional<DisplayElement> element = selected())
        m_display.setElementShown(*element, false);
}

void ElementMenu::toggleWeekday()
{
    MenuItemState& item = element_item(m_host, ElementAction::Weekday);
    item.checked = !item.checked;
    const DisplayElement prompt = DisplayElement::Prompt;
    if (item.checked) {
        const QDate today = m_display.now().date();
        m_display.setElementText(prompt, weekday_name(today));
        m_display.setElementShown(prompt, true);
        m_display.repaintElement(prompt);
    } else {
        m_display.setElementText(prompt, QString());
    }
    m_display.setElementShown(prompt, !m_display.elementText(prompt).isEmpty());

    // Digit 2 of checkthree says whether the weekday shows; a text shorter
    // than two digits is padded first so the rewrite has its place.
    QString& flags = m_module.clock_plan.checkthree;
    if (flags.size() < 2)
        flags = flags.leftJustified(2, QLatin1Char('0'));
    flags = flags.left(1) + (item.checked ? QLatin1Char('1') : QLatin1Char('0')) + flags.mid(2);
    m_host.menusChanged();
}

} // namespace orvalen
