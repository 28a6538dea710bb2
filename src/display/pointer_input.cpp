// Pointer input on the display: the on-screen buttons, the right-click menus
// and, while the layout is being arranged, dragging elements and keeping
// their places.
#include "display/colour.h"
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/panel.h"
#include "display/position_store.h"

#include <QMouseEvent>
#include <QPointer>
#include <cmath>

namespace orvalen {
namespace {

// The pressed buttons as one number, as the handlers test them: 1 left,
// 2 right, 4 middle.
int button_code(Qt::MouseButtons b)
{
    int code = 0;
    if (b & Qt::LeftButton)
        code |= 1;
    if (b & Qt::RightButton)
        code |= 2;
    if (b & Qt::MiddleButton)
        code |= 4;
    return code;
}

} // namespace

void DisplayWindow::prepareElementMenu(bool weekdayRuleOnly)
{
    if (!weekdayRuleOnly) {
        for (auto& item : m_host.clockset)
            item.visible = true;
    }
    const ClockPlan& plan = m_module.clock_plan;
    MenuItemState& weekday = element_item(m_host, ElementAction::Weekday);
    if (!plan.longTerm)
        weekday.visible = false;
    else
        weekday.checked = plan.showsWeekday;
}

void DisplayWindow::dragStep(QWidget* moved, const QPointF& pos, DisplayElement element)
{
    m_draggedElement = element;
    setTwipsLeft(moved, twipsLeft(moved) - m_grabPoint.x() + pos.x());
    setTwipsTop(moved, twipsTop(moved) - m_grabPoint.y() + pos.y());
}

bool DisplayWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
        break;
    default:
        return QWidget::eventFilter(watched, event);
    }
    auto* w = qobject_cast<QWidget*>(watched);
    // A disabled control raises nothing; Qt hands the event to its container.
    if (!w || !w->isEnabled())
        return false;
    return handleMouse(w, event);
}

bool DisplayWindow::handleMouse(QWidget* w, QEvent* event)
{
    auto* me = static_cast<QMouseEvent*>(event);
    const QEvent::Type type = event->type() == QEvent::MouseButtonDblClick ? QEvent::MouseButtonPress : event->type();
    const bool down = type == QEvent::MouseButtonPress;
    const bool up = type == QEvent::MouseButtonRelease;
    const bool move = type == QEvent::MouseMove;
    const int button = down || up ? button_code(me->button()) : button_code(me->buttons());
    const QPointF pos(me->position().x() * twipsPerPixelX(), me->position().y() * twipsPerPixelY());
    const QPoint global = me->globalPosition().toPoint();
    const bool drag = move && button == 1 && m_host.adjust_mode();
    MenuItemState& centreItem = element_item(m_host, ElementAction::Centre);
    // A place is saved once its drag ends: a notice of a failed save never
    // comes up in the middle of a drag.
    const bool dragEnded = up && m_draggedElement;
    if (dragEnded) {
        saveElementPosition(*m_draggedElement);
        m_draggedElement.reset();
    }

    // The background.
    if (w == m_backgroundBox) {
        if (down && button == 2)
            m_displayHost.popupDesktopMenu(global);
        if (move) {
            for (QLabel* b : screenButtons)
                b->setAutoFillBackground(false);
        }
        return true;
    }

    // The on-screen buttons.
    for (int i = 0; i < 5; ++i) {
        if (w != screenButtons[i])
            continue;
        if (down) {
            m_grabPoint = pos;
            m_pressedButton = button == 1 ? i : -1;
            if (button == 2)
                m_displayHost.popupDesktopMenu(global);
        } else if (move) {
            QPalette pal = w->palette();
            pal.setColor(QPalette::Window, colour_from_value(0x80000004LL, Qt::lightGray));
            w->setPalette(pal);
            w->setAutoFillBackground(true);
            if (drag) {
                dragStep(w, pos, DisplayElement(int(DisplayElement::StartButton) + i));
            }
        } else if (up) {
            const bool click = button == 1 && m_pressedButton == i && w->rect().contains(me->position().toPoint());
            m_pressedButton = -1;
            if (click && !m_host.adjust_mode()) {
                const int k = int(kButtonCommands[std::size_t(i)]);
                QPointer<DisplayWindow> self(this);
                // Runs once this event is done: the command may close the window.
                QMetaObject::invokeMethod(
                    this, [self, k] {
                        if (self)
                            self->m_displayHost.desktopRun(k);
                    },
                    Qt::QueuedConnection);
            }
        }
        return true;
    }

    // The title.
    if (w == textLabels[kTitleLine]) {
        if (down) {
            m_grabPoint = pos;
            m_module.selected_element = menu_number_of(DisplayElement::MainTitle);
            prepareElementMenu();
            if (button == 2)
                m_displayHost.popupElementMenu(global);
        } else if (drag) {
            dragStep(w, pos, DisplayElement::MainTitle);
        }
        return true;
    }

    // The text labels inside their panels: the panel moves.
    for (int i = 1; i <= 4; ++i) {
        if (w != textLabels[i])
            continue;
        Panel* panel = textPanels[i];
        const auto element = DisplayElement(i);
        if (down) {
            m_grabPoint = pos;
            m_module.selected_element = menu_number_of(element);
            prepareElementMenu();
            if (i <= 3) {
                setTwipsWidth(panel, twipsWidth(w));
                paintTextPanels(i);
            } else {
                panel->setBorderStyle(1);
            }
            if (button == 2) {
                if (i == 4) {
                    centreItem.visible = false;
                }
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(panel, pos, element);
            paintTextPanels(i);
        } else if (up) {
            panel->setBorderStyle(0);
            paintTextPanels(i);
        }
        return true;
    }

    // The text panels themselves.
    for (int i = 1; i <= 4; ++i) {
        if (w != textPanels[i])
            continue;
        const auto element = DisplayElement(i);
        if (down) {
            m_grabPoint = pos;
            prepareElementMenu();
            if (button == 1) {
                if (i <= 3) {
                    setTwipsWidth(w, twipsWidth(textLabels[i]));
                    setTwipsHeight(w, twipsHeight(textLabels[i]));
                } else {
                    textPanels[kScrollLine]->setBorderStyle(1);
                }
            } else if (button == 2) {
                m_module.selected_element = menu_number_of(element);
                if (i >= 3) {
                    centreItem.visible = false;
                }
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos, element);
        } else if (up) {
            textPanels[i]->setBorderStyle(0);
            paintTextPanels(i);
        }
        return true;
    }

    if (w == clockPanel) {
        if (down) {
            m_grabPoint = pos;
            prepareElementMenu();
            if (button == 2) {
                m_module.selected_element = menu_number_of(DisplayElement::Clock);
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos, DisplayElement::Clock);
        } else if (up) {
            clockPanel->setBorderStyle(0);
            const QString& endText = m_module.clock_plan.stages[6].prompt;
            const bool showsEnd = !endText.isEmpty() && clockText->text() == endText;
            const double size = (showsEnd ? endTextMeasure : clockText)->font().pointSizeF();
            paintClock(clockText->text(), to_int16(size).value_or(0));
        }
        return true;
    }

    if (w == overtimePanel) {
        if (down) {
            m_grabPoint = pos;
            for (auto& item : m_host.clockset)
                item.visible = true;
            if (button == 2) {
                m_module.selected_element = menu_number_of(DisplayElement::OvertimeClock);
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos, DisplayElement::OvertimeClock);
            paintOvertimeClock(overtimeText->text(), to_int16(overtimeText->font().pointSizeF()).value_or(0));
        } else if (up) {
            overtimePanel->setBorderStyle(0);
            paintOvertimeClock(overtimeText->text(), to_int16(overtimeText->font().pointSizeF()).value_or(0));
        }
        return true;
    }

    if (w == logoBox) {
        if (down) {
            m_grabPoint = pos;
            prepareElementMenu();
            if (button == 2) {
                m_module.selected_element = menu_number_of(DisplayElement::Logo);
                for (ElementAction a : {ElementAction::Font, ElementAction::Colour, ElementAction::Centre})
                    element_item(m_host, a).visible = false;
                prepareElementMenu(true);
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos, DisplayElement::Logo);
        } else if (up && !dragEnded) {
            saveElementPosition(DisplayElement::Logo);
        }
        return true;
    }

    // Hidden labels and anything else inside the panels: let the panel have it.
    return false;
}

} // namespace orvalen
