#include "startup/display_check.h"

#include <QByteArray>
#include <cstring>
#include <xcb/xcb.h>

namespace orvalen {

namespace {

QByteArray requestedPlatform(int argc, char** argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return QByteArray(argv[i + 1]);
    }
    return qgetenv("QT_QPA_PLATFORM");
}

bool xDisplayReachable()
{
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    const bool ok = connection && xcb_connection_has_error(connection) == 0;
    if (connection)
        xcb_disconnect(connection);
    return ok;
}

} // namespace

QString display_problem(int argc, char** argv)
{
    const QByteArray platform = requestedPlatform(argc, argv);
    const bool wayland = !qgetenv("WAYLAND_DISPLAY").isEmpty();
    const QByteArray display = qgetenv("DISPLAY");

    if (platform.startsWith("wayland"))
        return wayland ? QString() : QStringLiteral("Orvalen needs a graphical display: WAYLAND_DISPLAY is not set.");
    // offscreen, minimal, vnc and the like need no display server.
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return QString();
    if (display.isEmpty()) {
        if (wayland && platform.isEmpty())
            return QString();
        return QStringLiteral("Orvalen needs a graphical display: DISPLAY is not set.");
    }
    if (!xDisplayReachable() && !(wayland && platform.isEmpty()))
        return QStringLiteral("Orvalen needs a graphical display: cannot connect to the X display %1.")
            .arg(QString::fromLocal8Bit(display));
    return QString();
}

} // namespace orvalen
