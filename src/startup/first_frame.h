#pragma once
#include <functional>

class QWindow;

namespace orvalen {

// Calls `then` once from the event loop after `window` has shown its first
// frame (after its first exposure, which paints it); at once from the event
// loop when there is no window or it shows already.
void afterFirstFrame(QWindow* window, std::function<void()> then);

} // namespace orvalen
