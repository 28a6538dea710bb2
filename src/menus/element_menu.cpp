#include "menus/element_menu.h"

#include "services/time_conversions.h"
#include "display/colour.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"
#include "menus/style_dialogs.h"
#include "platform/registry_store.h"
#include "services/app_context.h"
#include "stores/run_state.h"

#include <QDebug>
#include <QLabel>
#include <QLocale>
#include <QPalette>
#include <cmath>

namespace orvalen {
namespace {

const QString kDefaultSizes = QStringLiteral("80/50/100/50/30/30/");

int round_half_even(double v)
{
    return int(std::nearbyint(v));
}

QColor label_colour(const QLabel* label)
{
    return label->palette().color(QPalette::Active, QPalette::WindowText);
}

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

void ElementMenu::elementMenuChosen(int index)
{
    switch (index) {
    case 0: chooseFont(); break;
    case 1: chooseColour(); break;
    case 2: centre(); break;
    case 3: hide(); break;
    case 4: toggleWeekday(); break;
    default: break;
    }
}

// --- font ---------------------------------------------------------------------

void ElementMenu::applyFont(QWidget* w, const QFont& chosen, const QColor& colour)
{
    if (!w)
        return;
    m_display.setFontName(w, chosen.family());
    QFont f = w->font();
    f.setItalic(chosen.italic());
    f.setWeight(chosen.weight());
    w->setFont(f);
    // The dialog's point size as it is: no pixel round trip that would grow
    // the size at every use on a screen that is not 96 dpi.
    m_display.setFontSize(w, chosen.pointSizeF());
    m_display.setForeColour(w, colour);
    if (auto* label = qobject_cast<QLabel*>(w); label && m_display.isAutoSize(label))
        m_display.autoSize(label);
}

void ElementMenu::chooseFont()
{
    const int element = m_module.selected_element;
    if (element < 0 || element > 6)
        return; // the logo has no font
    QLabel* label = element <= 4 ? m_display.textLabels[element] : element == 5 ? m_display.clockText : m_display.overtimeText;
    QWidget* panel = element >= 1 ? elementBox(element) : nullptr;
    if (!label)
        return;

    const std::optional<QFont> chosen = m_dialogs.chooseFont(label->font(), label->text());
    if (!chosen || !std::isfinite(chosen->pointSizeF()) || chosen->pointSizeF() <= 0)
        return;
    const QColor colour = label_colour(label);
    applyFont(label, *chosen, colour);
    applyFont(panel, *chosen, colour);

    ClockPlan& plan = m_module.clock_plan;
    const double size = label->font().pointSizeF();
    switch (element) {
    case 1: case 3: case 4:
        m_display.paintTextPanels(element);
        break;
    case 2:
        plan.stagefont = label->font().family();
        plan.stagecolour = colourText(label, plan.stagecolour);
        plan.sizethree = rebuild_size_list(plan.sizethree, 3, size);
        store({"stagefont", "stagecolour", "sizethree"});
        m_display.paintTextPanels(2);
        break;
    case 5:
        plan.sizethree = rebuild_size_list(plan.sizethree, 2, size);
        plan.clockFont = label->font().family();
        plan.clockcolour = colourText(label, plan.clockcolour);
        store({"clockFont", "clockcolour", "sizethree"});
        m_display.paintClock(label->text(), round_half_even(size));
        break;
    case 6:
        m_display.paintOvertimeClock(label->text(), round_half_even(size));
        break;
    default:
        break;
    }
}

// --- colour -------------------------------------------------------------------

void ElementMenu::applyColour(QWidget* w, const QColor& colour)
{
    if (w)
        m_display.setForeColour(w, colour);
}

void ElementMenu::chooseColour()
{
    const int element = m_module.selected_element;
    const std::optional<QColor> chosen = m_dialogs.chooseColour();
    if (!chosen || !chosen->isValid())
        return;
    const QColor colour = *chosen;
    ClockPlan& plan = m_module.clock_plan;
    switch (element) {
    case 0:
        applyColour(m_display.textLabels[0], colour);
        break;
    case 1: case 2: case 3: case 4:
        applyColour(m_display.textLabels[element], colour);
        applyColour(m_display.textPanels[element], colour);
        if (element == 2) {
            plan.stagefont = m_display.textLabels[2]->font().family();
            plan.stagecolour = colour_to_text(colour);
            store({"stagefont", "stagecolour"});
        }
        break;
    case 5: {
        QLabel* clock = m_display.clockText;
        applyColour(clock, colour);
        applyColour(m_display.clockPanel, colour);
        const double size = clock->font().pointSizeF();
        m_display.paintClock(clock->text(), round_half_even(size));
        plan.sizethree = rebuild_size_list(plan.sizethree, 2, size); // kept in memory only
        plan.clockFont = clock->font().family();
        plan.clockcolour = colour_to_text(colour);
        store({"clockcolour"});
        break;
    }
    case 6:
        applyColour(m_display.overtimeText, colour);
        applyColour(m_display.overtimePanel, colour);
        m_display.paintOvertimeClock(m_display.overtimeText->text(), round_half_even(m_display.overtimeText->font().pointSizeF()));
        break;
    default:
        break; // the logo takes no colour
    }
}

// The stored colour text of a label: the plan's own text while the label
// still shows that colour (a system colour keeps its negative value), else
// the label's colour as a plain colour value.
QString ElementMenu::colourText(QLabel* label, const QString& stored) const
{
    const QColor now = label_colour(label);
    const QColor before = colour_from_text(stored);
    if (before.isValid() && before.rgb() == now.rgb())
        return stored;
    return colour_to_text(now);
}

QString& ElementMenu::fieldByName(const char* name)
{
    ClockPlan& plan = m_module.clock_plan;
    const QLatin1String n(name);
    if (n == QLatin1String("stagefont"))
        return plan.stagefont;
    if (n == QLatin1String("stagecolour"))
        return plan.stagecolour;
    if (n == QLatin1String("clockFont"))
        return plan.clockFont;
    if (n == QLatin1String("clockcolour"))
        return plan.clockcolour;
    return plan.sizethree;
}

void ElementMenu::store(std::initializer_list<const char*> names)
{
    if (!m_ctx.registry)
        return;
    for (const char* name : names) {
        if (!m_ctx.registry->writeText(QLatin1String(name), fieldByName(name)))
            qWarning() << "Element menu: value" << name << "could not be stored";
    }
}

// --- centre, hide, weekday -----------------------------------------------------

QWidget* ElementMenu::elementBox(int element) const
{
    switch (element) {
    case 0: return m_display.textLabels[0];
    case 1: case 2: case 3: case 4: return m_display.textPanels[element];
    case 5: return m_display.clockPanel;
    case 6: return m_display.overtimePanel;
    case 7: return m_display.logoBox;
    default: return nullptr;
    }
}

void ElementMenu::centre()
{
    const ScreenMetrics& screen = m_display.screenMetrics();
    m_module.full_screen_width_px = screen.fullWidthPx;
    m_module.full_screen_height_px = screen.fullHeightPx;

    const int element = m_module.selected_element;
    QWidget* w = elementBox(element);
    if (!w)
        return;
    const double left = float((m_display.twipsPerPixelX() * m_module.full_screen_width_px - m_display.twipsWidth(w)) / 2.0);
    m_display.setTwipsLeft(w, left);

    switch (element) {
    case 1: case 2: case 3: case 4:
        m_display.paintTextPanels(element);
        if (element == 2)
            save_element_position(m_ctx, 2, round_half_even(left), round_half_even(m_display.twipsTop(w)));
        break;
    case 5:
        m_display.paintClock(m_display.clockText->text(), round_half_even(m_display.clockText->font().pointSizeF()));
        break;
    case 6:
        m_display.paintOvertimeClock(m_display.overtimeText->text(), round_half_even(m_display.overtimeText->font().pointSizeF()));
        break;
    default:
        break;
    }
}

void ElementMenu::hide()
{
    const int element = m_module.selected_element;
    QWidget* w = elementBox(element);
    if (w)
        w->setVisible(false);
}

void ElementMenu::toggleWeekday()
{
    MenuItemState& item = m_host.clockset[4];
    item.checked = !item.checked;
    QLabel* prompt = m_display.textLabels[3];
    Panel* panel = m_display.textPanels[3];
    if (item.checked) {
        const QDate today = m_display.now().date();
        m_display.setCaption(prompt, weekday_name(today));
        panel->setVisible(true);
        m_display.paintTextPanels(3);
    } else {
        m_display.setCaption(prompt, QString());
    }
    panel->setVisible(!prompt->text().isEmpty());

    // Digit 2 of checkthree says whether the weekday shows; a text shorter
    // than two digits is padded first so the rewrite has its place.
    QString& flags = m_module.clock_plan.checkthree;
    if (flags.size() < 2)
        flags = flags.leftJustified(2, QLatin1Char('0'));
    flags = flags.left(1) + (item.checked ? QLatin1Char('1') : QLatin1Char('0')) + flags.mid(2);
    m_host.menusChanged();
}

} // namespace orvalen
