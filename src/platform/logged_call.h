#pragma once
#include <QDebug>
#include <exception>

namespace orvalen {

// Runs one handler that the event loop dispatches: a timer tick, a menu
// command or a hotkey. The handlers themselves report their errors where
// they happen; an exception that still comes out of a library call is
// logged with the handler's name here, since it must not unwind through
// Qt's event loop.
template <typename F>
void runLogged(const char* handler, F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        qWarning() << handler << "failed:" << e.what();
    }
}

} // namespace orvalen
