#include "display/screen_button_row.h"

#include "display/display_element.h"
#include "state/menu_state.h"

#include <QLabel>

namespace orvalen {
namespace {

void setCaption(QLabel* button, const QString& caption)
{
    button->setText(caption);
    button->setAccessibleName(caption.trimmed());
}

} // namespace

ScreenButtonRow::ScreenButtonRow(const std::array<QLabel*, 5>& buttons, const RunController& run,
                                 const MenuState& menus, QObject* parent)
    : QObject(parent), m_buttons(buttons), m_run(run), m_menus(menus)
{
    setObjectName(QStringLiteral("screenButtonRow"));
    for (QLabel* b : m_buttons)
        b->setAccessibleName(b->text().trimmed());
    connect(&run, &RunController::stateChanged, this, &ScreenButtonRow::showRunState);
    connect(&menus, &MenuState::adjustModeChanged, this, &ScreenButtonRow::showAdjustMode);
    showRunState(run.state());
}

void ScreenButtonRow::click(ScreenButton button)
{
    if (!m_menus.adjustMode())
        emit clicked(button);
}

void ScreenButtonRow::showRunState(RunState state)
{
    QLabel* start = m_buttons[std::size_t(ScreenButton::Start)];
    // Under way the start button keeps its caption and waits, greyed.
    if (m_run.isUnderWay())
        start->setEnabled(false);
    else
        setCaption(start, state == RunState::Finished ? QStringLiteral(" 清零 ") : QStringLiteral(" 开始 "));
    setCaption(m_buttons[std::size_t(ScreenButton::Pause)],
               state == RunState::Paused ? QStringLiteral(" 继续 ") : QStringLiteral(" 暂停 "));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        if (i != std::size_t(ScreenButton::Start) || !m_run.isUnderWay())
            m_buttons[i]->setEnabled(commandEnabled(kButtonCommands[i], state));
    }
}

void ScreenButtonRow::showAdjustMode(bool on)
{
    if (!on) {
        showRunState(m_run.state());
        return;
    }
    // Hidden buttons keep their flags until they are shown again.
    if (m_buttons[0]->isHidden())
        return;
    for (QLabel* b : m_buttons)
        b->setEnabled(true);
}

} // namespace orvalen
