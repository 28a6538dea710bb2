#include "startup/desktop_windows.h"

#include "about/about_window.h"
#include "background/background_window.h"
#include "display/display_window.h"
#include "menus/style_dialogs.h"
#include "services/file_dialog.h"
#include "services/help_links.h"
#include "statistics/statistics_window.h"

#include <QPointer>

namespace orvalen {

namespace {

class DesktopWindows final : public WindowHooks {
public:
    DesktopWindows(AppContext& ctx, DisplayWindow& display)
        : m_ctx(ctx), m_display(display), m_colours(&display), m_files(&display)
    {
    }
    ~DesktopWindows() override { unloadWindows(); }

    void showBackground() override
    {
        BackgroundWindow window(m_ctx, m_display, m_colours, m_files, &m_display);
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
    }

private:
    AppContext& m_ctx;
    DisplayWindow& m_display;
    SystemLauncher m_launcher;
    QtStyleDialogs m_colours;
    QtFileChooser m_files;
    QPointer<StatisticsWindow> m_statistics;
};

} // namespace

std::unique_ptr<WindowHooks> make_desktop_windows(AppContext& context, DisplayWindow& display)
{
    return std::make_unique<DesktopWindows>(context, display);
}

} // namespace orvalen
