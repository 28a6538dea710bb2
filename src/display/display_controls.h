#pragma once
#include "display/display_element.h"

#include <QFont>
#include <array>
#include <cstddef>
#include <memory>

class QColor;
class QLabel;
class QString;
class QWidget;

namespace orvalen {

class BackgroundBox;
class ClockPanel;
class ElementLayout;
class MenuState;
class Panel;
class RunController;
class ScreenButtonRow;

// The text lines, indexed by their element number.
inline constexpr std::size_t kTitleLine = 0, kSubtitleLine = 1, kDateLine = 2, kPromptLine = 3, kScrollLine = 4;

// The display's controls: the background box and, on it, the text lines and
// their panels, the two clocks, the logo box and the row of on-screen
// buttons. The display window makes them once and owns them; its parts find
// the controls here, by name or by element.
struct DisplayControls {
    DisplayControls();
    ~DisplayControls();

    // Makes the controls in their made looks, sizes and places inside
    // `window`; the on-screen buttons follow the run state and the menus.
    void create(QWidget* window, ElementLayout& layout, const RunController& run, const MenuState& menus);

    bool isTextLine(const QWidget* w) const;
    QLabel* elementLabel(DisplayElement e) const;  // the element's text line, or none
    ClockPanel* elementClock(DisplayElement e) const;
    QWidget* elementBox(DisplayElement e) const;   // the element's box, or none

    BackgroundBox* backgroundBox = nullptr;        // the background box, parent of all elements
    std::array<QLabel*, 5> textLabels{};           // every text line's caption
    std::array<Panel*, 5> textPanels{};            // the panels of lines 1..4; the title has none
    ClockPanel* clock = nullptr;
    ClockPanel* overtimeClock = nullptr;
    Panel* logoBox = nullptr;
    std::unique_ptr<ScreenButtonRow> buttonRow;    // the on-screen buttons, following the run state
};

// A font as the controls are made with: the family as the display draws it.
QFont madeFont(const QString& family, double points);
// Text colour of a label, or fore colour of a panel; invalid is ignored.
void setForeColour(QWidget* w, const QColor& colour);

} // namespace orvalen
