// Pointer input on the display: the on-screen buttons, the right-click menus
// and, while the layout is being arranged, dragging elements and keeping
// their places.
#include "display/clock_panel.h"
#include "display/colour.h"
#include "display/display_host.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <cmath>

namespace orvalen {
namespace {

// The pressed buttons as one number, as the handlers test them: 1 left,
// 2 right, 4 middle.
int buttonCode(Qt::MouseButtons b)
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

ElementMenuItems DisplayWindow::prepareElementMenu()
{
    ElementMenuItems items;
    if (!m_currentPlan.plan().longTerm)
        items.weekday = false;
    return items;
}

void DisplayWindow::dragStep(QWidget* moved, const QPointF& pos, DisplayElement element)
{
    m_draggedElement = element;
    m_layout.setLeft(moved, m_layout.left(moved) - m_grabPoint.x() + pos.x());
    m_layout.setTop(moved, m_layout.top(moved) - m_grabPoint.y() + pos.y());
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
    const int button = down || up ? buttonCode(me->button()) : buttonCode(me->buttons());
    const QPointF pos = me->position();
    const QPoint global = me->globalPosition().toPoint();
    const bool drag = move && button == 1 && m_host.menus.adjustMode();
    // A place is saved once its drag ends: a notice of a failed save never
    // comes up in the middle of a drag.
    const bool dragEnded = up && m_draggedElement;
    if (move && m_clickedButton >= 0 && w != m_screenButtons[std::size_t(m_clickedButton)])
        m_clickedButton = -1;
    if (dragEnded) {
        saveElementPosition(*m_draggedElement);
        m_draggedElement.reset();
    }

    // The background.
    if (w == m_backgroundBox) {
        if (down && button == 2)
            m_displayHost.popupDesktopMenu(global);
        if (move) {
            for (QLabel* b : m_screenButtons)
                b->setAutoFillBackground(false);
        }
        return true;
    }

    // The on-screen buttons.
    for (int i = 0; i < 5; ++i) {
        if (w != m_screenButtons[std::size_t(i)])
            continue;
        if (down) {
            m_grabPoint = pos;
            m_pressedButton = button == 1 ? i : -1;
            if (button == 2)
                m_displayHost.popupDesktopMenu(global);
        } else if (move) {
            // A clicked button stays plain while the pointer rests on it.
            if (m_clickedButton != i) {
                QPalette pal = w->palette();
                pal.setColor(QPalette::Window, colour_from_value(0x80000004LL, Qt::lightGray));
                w->setPalette(pal);
                w->setAutoFillBackground(true);
            }
            if (drag) {
                dragStep(w, pos, DisplayElement(int(DisplayElement::StartButton) + i));
            }
        } else if (up) {
            const bool click = button == 1 && m_pressedButton == i && w->rect().contains(me->position().toPoint());
            m_pressedButton = -1;
            if (click) {
                // The audience sees the button as it was before the click.
                w->setAutoFillBackground(false);
                m_clickedButton = i;
            }
            if (click && !m_host.menus.adjustMode()) {
                const DesktopItem k = kButtonCommands[std::size_t(i)];
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
    if (w == m_textLabels[kTitleLine]) {
        if (down) {
            m_grabPoint = pos;
            const ElementMenuItems items = prepareElementMenu();
            if (button == 2)
                m_displayHost.popupElementMenu(global, DisplayElement::MainTitle, items);
        } else if (drag) {
            dragStep(w, pos, DisplayElement::MainTitle);
        }
        return true;
    }

    // The text labels inside their panels: the panel moves.
    for (int i = 1; i <= 4; ++i) {
        if (w != m_textLabels[std::size_t(i)])
            continue;
        Panel* panel = m_textPanels[std::size_t(i)];
        const auto element = DisplayElement(i);
        if (down) {
            m_grabPoint = pos;
            ElementMenuItems items = prepareElementMenu();
            if (i <= 3) {
                m_layout.setWidth(panel, m_layout.width(w));
                paintTextPanel(std::size_t(i));
            } else {
                panel->setBorderStyle(1);
            }
            if (button == 2) {
                if (i == 4)
                    items.centre = false;
                m_displayHost.popupElementMenu(global, element, items);
            }
        } else if (drag) {
            dragStep(panel, pos, element);
            paintTextPanel(std::size_t(i));
        } else if (up) {
            panel->setBorderStyle(0);
            paintTextPanel(std::size_t(i));
        }
        return true;
    }

    // The text panels themselves.
    for (int i = 1; i <= 4; ++i) {
        if (w != m_textPanels[std::size_t(i)])
            continue;
        const auto element = DisplayElement(i);
        if (down) {
            m_grabPoint = pos;
            ElementMenuItems items = prepareElementMenu();
            if (button == 1) {
                if (i <= 3) {
                    m_layout.setWidth(w, m_layout.width(m_textLabels[std::size_t(i)]));
                    m_layout.setHeight(w, m_layout.height(m_textLabels[std::size_t(i)]));
                } else {
                    m_textPanels[kScrollLine]->setBorderStyle(1);
                }
            } else if (button == 2) {
                if (i >= 3)
                    items.centre = false;
                m_displayHost.popupElementMenu(global, element, items);
            }
        } else if (drag) {
            dragStep(w, pos, element);
        } else if (up) {
            m_textPanels[std::size_t(i)]->setBorderStyle(0);
            paintTextPanel(std::size_t(i));
        }
        return true;
    }

    if (w == m_clock) {
        if (down) {
            m_grabPoint = pos;
            const ElementMenuItems items = prepareElementMenu();
            if (button == 2) {
                m_displayHost.popupElementMenu(global, DisplayElement::Clock, items);
            }
        } else if (drag) {
            dragStep(w, pos, DisplayElement::Clock);
        } else if (up) {
            m_clock->setBorderStyle(0);
            const QString& endText = m_currentPlan.plan().stages[6].prompt;
            const bool showsEnd = !endText.isEmpty() && m_clock->text() == endText;
            const double size = showsEnd ? m_endFont.pointSizeF() : m_clock->textFont().pointSizeF();
            paintClockAt(toInt16(size).value_or(0));
        }
        return true;
    }

    if (w == m_overtimeClock) {
        if (down) {
            m_grabPoint = pos;
            if (button == 2) {
                m_displayHost.popupElementMenu(global, DisplayElement::OvertimeClock, ElementMenuItems{});
            }
        } else if (drag) {
            dragStep(w, pos, DisplayElement::OvertimeClock);
            paintOvertimeClockAt(toInt16(m_overtimeClock->textFont().pointSizeF()).value_or(0));
        } else if (up) {
            m_overtimeClock->setBorderStyle(0);
            paintOvertimeClockAt(toInt16(m_overtimeClock->textFont().pointSizeF()).value_or(0));
        }
        return true;
    }

    if (w == m_logoBox) {
        if (down) {
            m_grabPoint = pos;
            ElementMenuItems items = prepareElementMenu();
            if (button == 2) {
                items.font = items.colour = items.centre = false;
                m_displayHost.popupElementMenu(global, DisplayElement::Logo, items);
            }
        } else if (drag) {
            dragStep(w, pos, DisplayElement::Logo);
        } else if (up && !dragEnded) {
            saveElementPosition(DisplayElement::Logo);
        }
        return true;
    }

    // Anything else inside the panels (a logo video): let the panel have it.
    return false;
}

} // namespace orvalen
