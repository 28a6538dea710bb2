#pragma once
#include <functional>

class QWindow;

namespace orvalen {

// Calls `then` once from the event loop after `window` has shown its first
// frame: after its first exposure, which paints it, and after the window
// system has drawn that paint, so that nothing `then` does (loading
// libraries, starting threads) holds the frame up. When there is no window
// or it shows already, after what was painted so far has been drawn.
void afterFirstFrame(QWindow* window, std::function<void()> then);

} // namespace orvalen
