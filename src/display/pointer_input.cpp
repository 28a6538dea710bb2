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

constexpr int kButtonCommands[5] = {0, 1, 2, 6, 17};

} // namespace

void DisplayWindow::prepareElementMenu(bool weekdayRuleOnly)
{
    auto& items = m_host.clockset;
    if (!weekdayRuleOnly) {
        for (auto& item : items)
            item.visible = true;
    }
    const ClockPlan& plan = m_module.clock_plan;
    if (!plan.isLongTerm())
        items[4].visible = false;
    else
        items[4].checked = plan.showsWeekday();
    m_host.menusChanged();
}

void DisplayWindow::saveAt(int element, QWidget* w)
{
    const auto left = to_int32(twipsLeft(w));
    const auto top = to_int32(twipsTop(w));
    if (left && top)
        save_element_position(m_ctx, element, *left, *top);
}

void DisplayWindow::dragStep(QWidget* moved, const QPointF& pos)
{
    setTwipsLeft(moved, twipsLeft(moved) - grab_point.x() + pos.x());
    setTwipsTop(moved, twipsTop(moved) - grab_point.y() + pos.y());
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
    auto& items = m_host.clockset;

    // The background.
    if (w == backgroundBox) {
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
            grab_point = pos;
            m_pressedButton = button == 1 ? i : -1;
            if (button == 2)
                m_displayHost.popupDesktopMenu(global);
        } else if (move) {
            QPalette pal = w->palette();
            pal.setColor(QPalette::Window, colour_from_value(0x80000004LL, Qt::lightGray));
            w->setPalette(pal);
            w->setAutoFillBackground(true);
            if (drag) {
                dragStep(w, pos);
                saveAt(10 + i, w);
            }
        } else if (up) {
            const bool click = button == 1 && m_pressedButton == i && w->rect().contains(me->position().toPoint());
            m_pressedButton = -1;
            if (click && !m_host.adjust_mode()) {
                const int k = kButtonCommands[i];
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
    if (w == textLabels[0]) {
        if (down) {
            grab_point = pos;
            m_module.selected_element = 0;
            prepareElementMenu();
            if (button == 2)
                m_displayHost.popupElementMenu(global);
        } else if (drag) {
            dragStep(w, pos);
            saveAt(0, w);
        }
        return true;
    }

    // The text labels inside their panels: the panel moves.
    for (int i = 1; i <= 4; ++i) {
        if (w != textLabels[i])
            continue;
        Panel* panel = textPanels[i];
        if (down) {
            grab_point = pos;
            m_module.selected_element = i;
            prepareElementMenu();
            if (i <= 3) {
                setTwipsWidth(panel, twipsWidth(w));
                paintTextPanels(i);
            } else {
                panel->setBorderStyle(1);
            }
            if (button == 2) {
                if (i == 4) {
                    items[2].visible = false;
                    m_host.menusChanged();
                }
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(panel, pos);
            saveAt(i, panel);
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
        if (down) {
            grab_point = pos;
            prepareElementMenu();
            if (button == 1) {
                if (i <= 3) {
                    setTwipsWidth(w, twipsWidth(textLabels[i]));
                    setTwipsHeight(w, twipsHeight(textLabels[i]));
                } else {
                    textPanels[4]->setBorderStyle(1);
                }
            } else if (button == 2) {
                m_module.selected_element = i;
                if (i >= 3) {
                    items[2].visible = false;
                    m_host.menusChanged();
                }
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos);
            saveAt(i, w);
        } else if (up) {
            textPanels[i]->setBorderStyle(0);
            paintTextPanels(i);
        }
        return true;
    }

    if (w == clockPanel) {
        if (down) {
            grab_point = pos;
            prepareElementMenu();
            if (button == 2) {
                m_module.selected_element = 5;
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos);
            saveAt(5, w);
        } else if (up) {
            clockPanel->setBorderStyle(0);
            const QString& endText = m_module.clock_plan.stageText[6];
            const bool showsEnd = !endText.isEmpty() && clockText->text() == endText;
            const double size = (showsEnd ? endTextMeasure : clockText)->font().pointSizeF();
            paintClock(clockText->text(), to_int16(size).value_or(0));
        }
        return true;
    }

    if (w == overtimePanel) {
        if (down) {
            grab_point = pos;
            for (auto& item : items)
                item.visible = true;
            m_host.menusChanged();
            if (button == 2) {
                m_module.selected_element = 6;
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos);
            saveAt(7, w);
            paintOvertimeClock(overtimeText->text(), to_int16(overtimeText->font().pointSizeF()).value_or(0));
        } else if (up) {
            overtimePanel->setBorderStyle(0);
            paintOvertimeClock(overtimeText->text(), to_int16(overtimeText->font().pointSizeF()).value_or(0));
        }
        return true;
    }

    if (w == logoBox) {
        if (down) {
            grab_point = pos;
            prepareElementMenu();
            if (button == 2) {
                m_module.selected_element = 7;
                for (int k : {0, 1, 2})
                    items[k].visible = false;
                prepareElementMenu(true);
                m_displayHost.popupElementMenu(global);
            }
        } else if (drag) {
            dragStep(w, pos);
        } else if (up) {
            saveAt(6, w);
        }
        return true;
    }

    // Hidden labels and anything else inside the panels: let the panel have it.
    return false;
}

} // namespace orvalen
