// Closing the display, and clicks on the tray icon.
#include "display/display_host.h"
#include "display/display_window.h"
#include "display/logo_video.h"
#include "services/tray_icon.h"

#include <QCloseEvent>
#include <QCursor>

namespace orvalen {

void DisplayWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_displayHost.releaseHotkeys();
    // Any logo video stops and is released, shown or not.
    releaseLogoVideo();
    if (m_trayIcon) {
        m_trayIcon->DelTrayIcon();
        m_trayIcon.reset();
    }
}

void DisplayWindow::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

void DisplayWindow::trayIconClicked(int button, bool isDouble)
{
    if (isDouble)
        return;
    if (button == 1) {
        if (m_trayIcon)
            m_trayIcon->delicon();
    } else if (button == 2) {
        m_displayHost.popupDesktopMenu(QCursor::pos());
    }
}

} // namespace orvalen
