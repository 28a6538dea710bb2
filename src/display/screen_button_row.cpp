#include "display/screen_button_row.h"

#include "state/menu_state.h"
#include "stores/plan_colour.h"

#include <QPushButton>
#include <algorithm>

namespace orvalen {
namespace {

void setCaption(QPushButton* button, const QString& caption)
{
    if (button->text() == caption)
        return;
    button->setText(caption);
    button->setAccessibleName(caption.trimmed());
}

} // namespace

ScreenButtonRow::ScreenButtonRow(QWidget* parent, const RunController& run, const MenuState& menus)
    : m_run(run), m_menus(menus)
{
    setObjectName(QStringLiteral("screenButtonRow"));
    for (const ScreenButtonEntry& entry : kScreenButtons) {
        auto* b = new QPushButton(QString::fromUtf8(entry.caption), parent);
        b->setObjectName(screenButtonName(entry.button));
        b->setAccessibleName(screenButtonName(entry.button));
        // Drawn as plain text on the display: no frame, no focus frame, and
        // the display's background (a hover fills it).
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setBackgroundRole(QPalette::Window);
        b->setAutoFillBackground(false);
        connect(b, &QPushButton::clicked, this, [this, b, command = entry.command] {
            if (m_menus.adjustMode())
                return;
            // The audience sees the button as it was before the click.
            b->setAutoFillBackground(false);
            m_justClicked = b;
            emit commandChosen(command);
        });
        m_buttons[rowPlace(entry.button)] = b;
    }
    connect(&run, &RunController::stateChanged, this, &ScreenButtonRow::showRunState);
    connect(&menus, &MenuState::adjustModeChanged, this, &ScreenButtonRow::showAdjustMode);
    showRunState(run.state());
}

std::optional<ScreenButton> ScreenButtonRow::buttonOf(const QObject* w) const
{
    const auto it = std::find(m_buttons.begin(), m_buttons.end(), w);
    if (it == m_buttons.end())
        return std::nullopt;
    return kScreenButtons[std::size_t(it - m_buttons.begin())].button;
}

QFont ScreenButtonRow::font() const { return m_buttons.front()->font(); }

bool ScreenButtonRow::isShown() const { return !m_buttons.front()->isHidden(); }

void ScreenButtonRow::setShown(bool shown)
{
    for (QPushButton* b : m_buttons)
        b->setVisible(shown);
}

void ScreenButtonRow::pointerMovedOver(const QObject* w)
{
    if (w == m_justClicked)
        return;
    m_justClicked = nullptr;
    if (const auto b = buttonOf(w)) {
        QPushButton* over = button(*b);
        QPalette pal = over->palette();
        pal.setColor(QPalette::Window, colourFromValue(0x80000004LL, Qt::lightGray));
        over->setPalette(pal);
        over->setAutoFillBackground(true);
    }
}

void ScreenButtonRow::clearHighlights()
{
    for (QPushButton* b : m_buttons)
        b->setAutoFillBackground(false);
}

void ScreenButtonRow::showRunState(RunState state)
{
    for (const ScreenButtonEntry& entry : kScreenButtons) {
        QPushButton* b = button(entry.button);
        if (!(entry.keepsCaptionUnderWay && m_run.isUnderWay()))
            setCaption(b, screenButtonCaption(entry, state));
        b->setEnabled(commandEnabled(entry.command, state));
    }
}

void ScreenButtonRow::showAdjustMode(bool on)
{
    if (!on) {
        showRunState(m_run.state());
        return;
    }
    // Hidden buttons keep their flags until they are shown again.
    if (!isShown())
        return;
    for (QPushButton* b : m_buttons)
        b->setEnabled(true);
}

} // namespace orvalen
