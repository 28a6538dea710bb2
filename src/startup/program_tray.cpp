#include "startup/program_tray.h"

#include "display/display_host.h"
#include "services/tray_icon.h"

#include <QCursor>
#include <QEvent>
#include <QWidget>

namespace orvalen {

ProgramTray::ProgramTray(QWidget& display, DisplayHost& host)
    : m_display(display), m_host(host), m_icon(std::make_unique<TrayIcon>())
{
    connect(m_icon.get(), &TrayIcon::clicked, this, &ProgramTray::clicked);
    m_icon->add(display.windowIcon());
    m_icon->setIcon(display.windowIcon());
    m_icon->setTip(display.windowTitle());
    display.installEventFilter(this);
}

ProgramTray::~ProgramTray()
{
    m_display.removeEventFilter(this);
    remove();
}

void ProgramTray::remove()
{
    if (m_icon) {
        m_icon->remove();
        m_icon.reset();
    }
}

bool ProgramTray::eventFilter(QObject* watched, QEvent* event)
{
    // The display accepts every close: the program ends with it.
    if (watched == &m_display && event->type() == QEvent::Close)
        remove();
    return QObject::eventFilter(watched, event);
}

void ProgramTray::clicked(int button, bool isDouble)
{
    // Only a single right click does something; the program shows no
    // balloon, so a left click has none to close.
    if (!isDouble && button == 2)
        m_host.popupDesktopMenu(QCursor::pos());
}

} // namespace orvalen
