#pragma once
#include "display/screen_buttons.h"
#include "state/run_controller.h"

#include <QObject>
#include <array>
#include <optional>

class QFont;
class QPushButton;
class QWidget;

namespace orvalen {

class MenuState;

// The row of on-screen buttons, made from kScreenButtons: flat buttons that
// follow the run state by themselves. Each reads its caption for the state
// and can be clicked when its command can run; a click asks for the command.
// While the layout is being arranged every shown button can be taken, to be
// dragged, and a click runs nothing.
class ScreenButtonRow : public QObject {
    Q_OBJECT
public:
    // The buttons are made inside `parent`, which owns them.
    ScreenButtonRow(QWidget* parent, const RunController& run, const MenuState& menus);

    // Left to right as kScreenButtons.
    const std::array<QPushButton*, kScreenButtonCount>& buttons() const { return m_buttons; }
    QPushButton* button(ScreenButton b) const { return m_buttons[rowPlace(b)]; }
    // The button `w` is, if it is one of the row.
    std::optional<ScreenButton> buttonOf(const QObject* w) const;
    // The font the captions are drawn in (one for the whole row).
    QFont font() const;

    // The buttons show and hide together.
    bool isShown() const;
    void setShown(bool shown);

    // The pointer moved over `w`: a button of the row under it is filled
    // with the highlight, except the one just clicked, which looks as
    // before the click until the pointer has been over something else.
    void pointerMovedOver(const QObject* w);
    // The pointer crossed the background: every highlight goes.
    void clearHighlights();

signals:
    // A button was clicked outside the layout arranging: its command runs.
    void commandChosen(DesktopItem command);

private:
    void showRunState(RunState state);
    void showAdjustMode(bool on);

    std::array<QPushButton*, kScreenButtonCount> m_buttons{};
    const QPushButton* m_justClicked = nullptr; // plain until the pointer leaves it
    const RunController& m_run;
    const MenuState& m_menus;
};

} // namespace orvalen
