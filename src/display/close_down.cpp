// Closing the display.
#include "display/display_host.h"
#include "display/display_window.h"
#include "display/display_logo.h"

#include <QCloseEvent>

namespace orvalen {

void DisplayWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_displayHost.stopRunOnClose();
    m_displayHost.releaseHotkeys();
    // Any logo video stops and is released, shown or not.
    m_logo->releaseVideo();
}

void DisplayWindow::closeEvent(QCloseEvent* event)
{
    unload();
    event->accept();
}

} // namespace orvalen
