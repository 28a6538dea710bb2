#pragma once
#include "state/run_controller.h"

#include <QObject>
#include <array>

class QLabel;

namespace orvalen {

class MenuState;

// The on-screen buttons, left to right.
enum class ScreenButton { Start, Stop, Pause, Settings, Exit };

// The row of on-screen buttons follows the run state by itself: the start
// button reads " 清零 " after a run, the pause button " 继续 " while paused,
// and each button can be clicked when its command can run. While the layout
// is being arranged every shown button can be taken, to be dragged.
class ScreenButtonRow : public QObject {
    Q_OBJECT
public:
    // `buttons` are the five controls, left to right as ScreenButton.
    ScreenButtonRow(const std::array<QLabel*, 5>& buttons, const RunController& run, const MenuState& menus,
                    QObject* parent = nullptr);

    // A button was clicked: announces it, unless the layout is being arranged.
    void click(ScreenButton button);

signals:
    void clicked(ScreenButton button);

private:
    void showRunState(RunState state);
    void showAdjustMode(bool on);

    std::array<QLabel*, 5> m_buttons;
    const RunController& m_run;
    const MenuState& m_menus;
};

} // namespace orvalen
