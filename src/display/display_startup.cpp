// The display's start-up: the current plan, the clock texts, the element
// styles, the background, the logo, the idle menu state and the ticks.
#include "display/clock_panel.h"
#include "display/clock_texts.h"
#include "stores/plan_colour.h"
#include "display/display_background.h"
#include "display/display_host.h"
#include "display/display_logo.h"
#include "display/display_startup.h"
#include "display/display_values.h"
#include "display/display_styler.h"
#include "display/display_window.h"
#include "display/logo_video.h"
#include "display/made_text_sizes.h"
#include "display/marquee_ticker.h"
#include "display/panel.h"
#include "display/panel_painter.h"
#include "display/prompt_ticker.h"
#include "platform/clock.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "state/run_state.h"
#include "services/time_conversions.h"
#include "stores/ini_store.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QScopedValueRollback>
#include <QScreen>

namespace orvalen {

QDateTime DisplayWindow::now() const
{
    return m_ctx.clock.now();
}

bool DisplayWindow::isRunning() const
{
    // A long-term plan runs on its own tick, which counts nothing.
    return m_host.run.state() == RunState::Running && !m_currentPlan.plan().longTerm;
}

void DisplayWindow::load()
{
    m_placesRecordWaits = true;
    DisplayStartUp startUp(*this);
    startUp.loadPlanAndStyles();
    startUp.loadLookAndState();
}

// --- the start-up steps ----------------------------------------------------------

DisplayStartUp::DisplayStartUp(DisplayWindow& window) : m_w(window) {}

void DisplayStartUp::loadPlanAndStyles()
{
    for (Panel* p : {m_w.m_controls.clock, m_w.m_controls.overtimeClock})
        p->setBorderStyle(0);
    m_w.m_layout.setLeft(m_w.m_controls.backgroundBox, 0);
    m_w.m_layout.setTop(m_w.m_controls.backgroundBox, 0);
    m_w.m_displayHost.registerHotkeys();
    const ClockPlan& plan = m_w.m_currentPlan.plan();

    const QTime timeOfDay = m_w.now().time();
    const QColor clockColour = plan.clockcolour.colour();
    const double clockSize = drawnFontSize(plan, StyleSlot::Clock);
    m_w.m_styler->setClockText(m_w.m_controls.clock, initialClockText(plan, timeOfDay));
    m_w.m_styler->styleClock(m_w.m_controls.clock, plan.clockFont, clockColour, clockSize);
    m_w.m_styler->setClockText(m_w.m_controls.overtimeClock, initialOvertimeText(plan, timeOfDay));
    m_w.m_styler->styleClock(m_w.m_controls.overtimeClock, plan.clockFont, clockColour, clockSize);
    m_w.m_controls.overtimeClock->hide();

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
        QLabel* label = m_w.m_controls.textLabels[s.index];
        m_w.m_styler->setCaption(label, s.caption);
        m_w.m_styler->styleElement(label, s.font, s.colour.colour(), drawnFontSize(plan, s.slot),
                         s.index == kDateLine ? m_w.m_controls.textPanels[kDateLine] : nullptr);
        if (s.index == kTitleLine) {
            if (label->text().isEmpty())
                label->hide();
        } else if (s.index == kSubtitleLine) {
            m_w.m_controls.textPanels[kSubtitleLine]->setVisible(!label->text().isEmpty());
        } else if (label->text().isEmpty()) {
            m_w.m_controls.textPanels[s.index]->hide();
        }
    }

    m_w.m_marquee->readSettings(m_w.m_ctx.ini);
    m_w.m_styler->autoSize(m_w.m_controls.textLabels[kScrollLine]);
    // A width of zero or below cannot be given to the panel; it keeps its own.
    if (m_w.m_marquee->width() > 0)
        m_w.m_painter->sizeScrollPanel();
}

void DisplayStartUp::loadLookAndState()
{
    const ClockPlan& plan = m_w.m_currentPlan.plan();
    {
        // The background, filling the screen, showing and the idle state
        // each ask for a layout; the one below serves them all.
        const QScopedValueRollback<bool> oneLayout(m_w.m_inLayout, true);
        if (!isOn(plan.stageLooks)) {
            m_w.m_background->applyBackground(plan.clockcolour, plan.backgroundColour, plan.backgroundPicture);
        } else {
            const StageLook& look = plan.stages[Stage::Start].look;
            m_w.m_background->applyBackground(look.timeColour, look.backgroundColour, look.backgroundPicture);
        }
        if (!m_w.m_fixedScreen) {
            m_w.m_screen = ScreenMetrics::fromPrimaryScreen();
            m_w.m_layout.setTwipsPerPixel(m_w.m_screen.tppX, m_w.m_screen.tppY);
        }
        m_w.fillScreen(QGuiApplication::primaryScreen());
        m_w.show();
        m_w.fitBackgroundBox();
        m_w.m_painter->paintClockAt(toInt16(m_w.m_controls.clock->textFont().pointSizeF()).value_or(0));
        m_w.m_painter->paintOvertimeClockAt(toInt16(m_w.m_controls.overtimeClock->textFont().pointSizeF()).value_or(0));
        m_w.m_logo->load(DisplayLogo::Load::StartUp);
        m_w.m_controls.textPanels[kScrollLine]->hide();
        applyIdleMenuState();
    }
    m_w.relayout();
    m_w.m_prompt->setInterval(100);
    // A long-term plan's set-up is the engine's, once the display is loaded.
    if (plan.longTerm)
        m_w.m_marquee->setRunning(false);
}

void DisplayStartUp::applyIdleMenuState()
{
    m_w.m_displayHost.showReady();
    // The marks the run state does not decide.
    MenuState& menus = m_w.m_host.menus;
    menus.setAdjustMode(false);
    const int buttons = toInt16(leadingNumber(m_w.m_ctx.ini.read(time_data::kClockSite,
                                                                 time_data::pictureLeftKey(int(DisplayElement::ButtonsFlag)),
                                                                 time_data::kButtonsShownDefault)))
                            .value_or(0);
    // The buttons command turns the mark over, shows the buttons to match
    // and keeps the flag.
    menus.setButtonsShown(buttons != 1);
    m_w.m_displayHost.desktopRun(DesktopItem::Buttons);
    menus.setExtendedScreen(false);
}

} // namespace orvalen
