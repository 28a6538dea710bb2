#include "startup/desktop_windows.h"

#include "about/about_window.h"
#include "background/background_window.h"
#include "display/display_window.h"
#include "menus/style_dialogs.h"
#include "plans/plan_panel.h"
#include "services/file_dialog.h"
#include "services/help_links.h"
#include "settings/settings_window.h"
#include "startup/program_windows.h"
#include "statistics/statistics_window.h"
#include "timing/global_hotkeys.h"
#include "timing/run_commands.h"

#include <QPointer>

namespace orvalen {

namespace {

class DesktopWindows final : public WindowHooks {
public:
    explicit DesktopWindows(const ProgramParts& parts)
        : m_parts(parts), m_ctx(parts.context), m_display(parts.display), m_colours(&m_display), m_files(&m_display)
    {
    }
    ~DesktopWindows() override { unloadWindows(); }

    void showSettings() override
    {
        if (m_settings)
            return;
        SettingsLinks links;
        links.hotkeys = &m_parts.hotkeyHooks;
        links.plans = &m_parts.plans;
        links.holdHotkeys = [this](bool held) { m_parts.hotkeys.setHeld(held); };
        SettingsWindow window(m_ctx, m_parts.currentPlan, m_parts.commands, m_display.elementView(), links);
        window.setPlanPanel(new PlanPanel(m_ctx, m_parts.savedPlans, window, m_parts.currentPlan,
                                          &m_parts.hotkeyHooks, &window));
        m_settings = &window;
        window.exec();
        m_settings = nullptr;
    }

    void showBackground() override
    {
        BackgroundWindow window(m_ctx, m_parts.currentPlan, m_display.backgroundView(), m_colours, m_files, &m_display);
        window.exec();
    }
    void showStatistics() override
    {
        StatisticsWindow window(m_ctx, m_launcher, &m_display);
        m_statistics = &window;
        window.exec();
    }
    void showAbout() override
    {
        AboutWindow window(m_ctx, m_launcher, &m_display);
        window.exec();
    }
    void unloadWindows() override
    {
        if (m_statistics)
            m_statistics->reject();
        if (m_settings)
            m_settings->reject();
    }

private:
    ProgramParts m_parts;
    AppContext& m_ctx;
    DisplayWindow& m_display;
    SystemLauncher m_launcher;
    QtStyleDialogs m_colours;
    QtFileChooser m_files;
    QPointer<StatisticsWindow> m_statistics;
    QPointer<SettingsWindow> m_settings;
};

} // namespace

std::unique_ptr<WindowHooks> makeDesktopWindows(const ProgramParts& parts)
{
    return std::make_unique<DesktopWindows>(parts);
}

} // namespace orvalen
