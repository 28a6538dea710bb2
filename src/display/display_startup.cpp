// The display's start-up: the current plan, the clock texts, the element
// styles, the background, the screen, the logo, the idle menu state and the
// ticks.
#include "display/display_startup.h"

#include "display/clock_panel.h"
#include "display/clock_texts.h"
#include "display/display_background.h"
#include "display/display_controls.h"
#include "display/display_host.h"
#include "display/display_logo.h"
#include "display/display_styler.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/element_layout.h"
#include "display/made_text_sizes.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "display/prompt_ticker.h"
#include "platform/clock.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "state/menu_state.h"
#include "state/run_state.h"
#include "stores/current_plan.h"
#include "stores/ini_store.h"
#include "stores/plan_colour.h"
#include "stores/time_data_keys.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScopedValueRollback>

namespace orvalen {

bool DisplayWindow::isRunning() const
{
    // A long-term plan runs on its own tick, which counts nothing.
    return m_host.run.state() == RunState::Running && !m_currentPlan.plan().longTerm;
}

void DisplayWindow::load()
{
    m_placesRecordWaits = true;
    DisplayStartUp startUp(m_controls, m_layout, *m_styler, *m_painter, *m_marquee, m_ctx, m_host.menus,
                           m_currentPlan, m_displayHost);
    startUp.loadPlanAndStyles();
    {
        // The background, filling the screen, showing and the idle state
        // each ask for a layout; the one below serves them all.
        const QScopedValueRollback<bool> oneLayout(m_inLayout, true);
        m_background->applyStageBackground(Stage::Start);
        followPrimaryScreen();
        fillScreen(QGuiApplication::primaryScreen());
        show();
        fitBackgroundBox();
        m_painter->paintClockAt(toInt16(m_controls.clock->textFont().pointSizeF()).value_or(0));
        m_painter->paintOvertimeClockAt(toInt16(m_controls.overtimeClock->textFont().pointSizeF()).value_or(0));
        m_logo->load(DisplayLogo::Load::StartUp);
        m_controls.textPanels[kScrollLine]->hide();
        startUp.applyIdleMenuState();
    }
    relayout();
    m_prompt->setInterval(100);
    // A long-term plan's set-up is the engine's, once the display is loaded.
    if (m_currentPlan.plan().longTerm)
        m_marquee->setRunning(false);
}

// --- the start-up steps ----------------------------------------------------------

DisplayStartUp::DisplayStartUp(DisplayControls& controls, ElementLayout& layout, DisplayStyler& styler,
                               PanelPainter& painter, MarqueeTicker& marquee, AppContext& ctx, MenuState& menus,
                               const CurrentPlan& currentPlan, DisplayHost& displayHost)
    : m_controls(controls), m_layout(layout), m_styler(styler), m_painter(painter), m_marquee(marquee), m_ctx(ctx),
      m_menus(menus), m_currentPlan(currentPlan), m_displayHost(displayHost)
{
}

void DisplayStartUp::loadPlanAndStyles()
{
    for (Panel* p : {m_controls.clock, m_controls.overtimeClock})
        p->setBorderStyle(0);
    m_layout.setLeft(m_controls.backgroundBox, 0);
    m_layout.setTop(m_controls.backgroundBox, 0);
    m_displayHost.registerHotkeys();
    const ClockPlan& plan = m_currentPlan.plan();

    const QTime timeOfDay = m_ctx.clock.now().time();
    const QColor clockColour = plan.clockcolour.colour();
    const double clockSize = drawnFontSize(plan, StyleSlot::Clock);
    m_styler.setClockText(m_controls.clock, initialClockText(plan, timeOfDay));
    m_styler.styleClock(m_controls.clock, plan.clockFont, clockColour, clockSize);
    m_styler.setClockText(m_controls.overtimeClock, initialOvertimeText(plan, timeOfDay));
    m_styler.styleClock(m_controls.overtimeClock, plan.clockFont, clockColour, clockSize);
    m_controls.overtimeClock->hide();

    // The five text elements: caption, font (fallback "宋体"), colour, size, visibility.
    struct TextStyle {
        std::size_t index;
        QString caption;
        QString font;
        PlanColour colour;
        StyleSlot slot;
    };
    const TextStyle styles[] = {
        {kTitleLine, plan.firsttext, plan.firstfont, plan.firstcolour, StyleSlot::MainTitle},
        {kSubtitleLine, plan.secondtext, plan.secondfont, plan.secondcolour, StyleSlot::Subtitle},
        {kDateLine, QString(), plan.stagefont, plan.stagecolour, StyleSlot::DateLine},
        {kPromptLine, QString(), plan.textfont, plan.textcolour, StyleSlot::Prompt},
        {kScrollLine, QString(), plan.rollfont, plan.rollcolour, StyleSlot::ScrollingText}};
    for (const TextStyle& s : styles) {
        QLabel* label = m_controls.textLabels[s.index];
        m_styler.setCaption(label, s.caption);
        m_styler.styleElement(label, s.font, s.colour.colour(), drawnFontSize(plan, s.slot),
                              s.index == kDateLine ? m_controls.textPanels[kDateLine] : nullptr);
        if (s.index == kTitleLine) {
            if (label->text().isEmpty())
                label->hide();
        } else if (s.index == kSubtitleLine) {
            m_controls.textPanels[kSubtitleLine]->setVisible(!label->text().isEmpty());
        } else if (label->text().isEmpty()) {
            m_controls.textPanels[s.index]->hide();
        }
    }

    m_marquee.readSettings(m_ctx.ini);
    m_styler.autoSize(m_controls.textLabels[kScrollLine]);
    // A width of zero or below cannot be given to the panel; it keeps its own.
    if (m_marquee.width() > 0)
        m_painter.sizeScrollPanel();
}

void DisplayStartUp::applyIdleMenuState()
{
    m_displayHost.showReady();
    // The marks the run state does not decide.
    m_menus.setAdjustMode(false);
    const int buttons = toInt16(leadingNumber(m_ctx.ini.read(time_data::kClockSite,
                                                                 time_data::pictureLeftKey(int(DisplayElement::ButtonsFlag)),
                                                                 time_data::kButtonsShownDefault)))
                            .value_or(0);
    // The buttons command turns the mark over, shows the buttons to match
    // and keeps the flag.
    m_menus.setButtonsShown(buttons != 1);
    m_displayHost.runDesktopItem(DesktopItem::Buttons);
    m_menus.setExtendedScreen(false);
}

} // namespace orvalen
