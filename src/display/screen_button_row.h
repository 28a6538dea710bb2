#pragma once
#include "state/run_controller.h"

#include <QObject>
#include <array>

class QPushButton;
class QWidget;

namespace orvalen {

class MenuState;

// The on-screen buttons, left to right.
enum class ScreenButton { Start, Stop, Pause, Settings, Exit };

// The row of on-screen buttons: five flat buttons that follow the run state
// by themselves. The start button reads " 清零 " after a run, the pause
// button " 继续 " while paused, and each button can be clicked when its
// command can run. While the layout is being arranged every shown button
// can be taken, to be dragged, and a click runs nothing.
class ScreenButtonRow : public QObject {
    Q_OBJECT
public:
    // The buttons are made inside `parent`, which owns them.
    ScreenButtonRow(QWidget* parent, const RunController& run, const MenuState& menus);

    // Left to right as ScreenButton.
    const std::array<QPushButton*, 5>& buttons() const { return m_buttons; }

signals:
    void clicked(ScreenButton button);

private:
    void showRunState(RunState state);
    void showAdjustMode(bool on);

    std::array<QPushButton*, 5> m_buttons{};
    const RunController& m_run;
    const MenuState& m_menus;
};

} // namespace orvalen
