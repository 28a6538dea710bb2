#include "state/run_controller.h"

#include <QDebug>
#include <algorithm>

namespace orvalen {
namespace {

const char* stateName(RunState state)
{
    switch (state) {
    case RunState::Ready: return "ready";
    case RunState::Running: return "running";
    case RunState::Paused: return "paused";
    case RunState::Finished: return "finished";
    }
    return "unknown";
}

} // namespace

bool RunController::moveTo(RunState to, std::initializer_list<RunState> from, const char* command)
{
    if (std::find(from.begin(), from.end(), m_state) == from.end()) {
        qWarning().nospace() << "Run state: " << command << " does not fit a run that is " << stateName(m_state)
                             << "; nothing changes";
        return false;
    }
    if (m_state != to) {
        m_state = to;
        emit stateChanged(to);
    }
    return true;
}

} // namespace orvalen
