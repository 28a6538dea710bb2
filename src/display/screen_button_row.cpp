#include "display/screen_button_row.h"

#include "display/display_element.h"
#include "display/screen_buttons.h"
#include "state/menu_state.h"

#include <QPushButton>

namespace orvalen {
namespace {

void setCaption(QPushButton* button, const QString& caption)
{
    button->setText(caption);
    button->setAccessibleName(caption.trimmed());
}

} // namespace

ScreenButtonRow::ScreenButtonRow(QWidget* parent, const RunController& run, const MenuState& menus)
    : m_run(run), m_menus(menus)
{
    setObjectName(QStringLiteral("screenButtonRow"));
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const QString caption = screenButtonCaptions().at(qsizetype(i));
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(caption.trimmed());
        b->setAccessibleName(caption.trimmed());
        // Drawn as plain text on the display: no frame, no focus frame, and
        // the display's background (a hover fills it).
        b->setFlat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setBackgroundRole(QPalette::Window);
        b->setAutoFillBackground(false);
        connect(b, &QPushButton::clicked, this, [this, i] {
            if (!m_menus.adjustMode())
                emit clicked(ScreenButton(i));
        });
        m_buttons[i] = b;
    }
    connect(&run, &RunController::stateChanged, this, &ScreenButtonRow::showRunState);
    connect(&menus, &MenuState::adjustModeChanged, this, &ScreenButtonRow::showAdjustMode);
    showRunState(run.state());
}

void ScreenButtonRow::showRunState(RunState state)
{
    QPushButton* start = m_buttons[std::size_t(ScreenButton::Start)];
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
    for (QPushButton* b : m_buttons)
        b->setEnabled(true);
}

} // namespace orvalen
