#include "startup/display_check.h"

#include <QByteArray>
#include <QDir>
#include <QLibraryInfo>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
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

// A Wayland compositor listens on $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY (or on
// the absolute path WAYLAND_DISPLAY names).
bool waylandReachable()
{
    const QByteArray name = qgetenv("WAYLAND_DISPLAY");
    if (name.isEmpty())
        return false;
    QByteArray path = name;
    if (!name.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        path = runtime + '/' + name;
    }
    sockaddr_un address{};
    if (size_t(path.size()) >= sizeof(address.sun_path))
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return ok;
}

bool waylandPluginInstalled()
{
    const QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + QStringLiteral("/platforms"));
    return !platforms.entryList({QStringLiteral("libqwayland*.so")}, QDir::Files).isEmpty();
}

} // namespace

QString displayProblem(int argc, char** argv)
{
    const QByteArray platform = requestedPlatform(argc, argv);
    const QByteArray waylandName = qgetenv("WAYLAND_DISPLAY");
    const QByteArray display = qgetenv("DISPLAY");
    const auto waylandProblem = [&]() -> QString {
        if (waylandName.isEmpty())
            return QStringLiteral("Orvalen needs a graphical display: WAYLAND_DISPLAY is not set.");
        if (!waylandReachable())
            return QStringLiteral("Orvalen needs a graphical display: cannot connect to the Wayland display %1.")
                .arg(QString::fromLocal8Bit(waylandName));
        if (!waylandPluginInstalled())
            return QStringLiteral("Orvalen needs a graphical display: the Qt Wayland platform plugin is not installed.");
        return QString();
    };

    if (platform.startsWith("wayland"))
        return waylandProblem();
    // offscreen, minimal, vnc and the like need no display server.
    if (!platform.isEmpty() && !platform.startsWith("xcb"))
        return QString();
    if (!display.isEmpty() && xDisplayReachable())
        return QString();
    if (platform.isEmpty() && !waylandName.isEmpty() && waylandProblem().isEmpty()) {
        // Only Wayland is there: Qt is told so, or it would try X and abort.
        qputenv("QT_QPA_PLATFORM", "wayland");
        return QString();
    }
    QString problem = display.isEmpty()
        ? QStringLiteral("Orvalen needs a graphical display: DISPLAY is not set")
        : QStringLiteral("Orvalen needs a graphical display: cannot connect to the X display %1")
              .arg(QString::fromLocal8Bit(display));
    if (platform.isEmpty() && !waylandName.isEmpty())
        problem += QStringLiteral(", and the Wayland display %1 cannot be used").arg(QString::fromLocal8Bit(waylandName));
    return problem + QLatin1Char('.');
}

} // namespace orvalen
