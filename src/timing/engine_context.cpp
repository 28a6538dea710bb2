#include "timing/engine_context.h"

#include "display/count_view.h"
#include "services/app_context.h"
#include "services/sound_player.h"
#include "stores/current_plan.h"
#include "state/run_state.h"
#include "state/run_controller.h"

namespace orvalen {
namespace {

struct StageFlags {
    bool alarm;      // an alarm or the seconds count-down
    bool on;         // the plan has the stage switched on (always the start and the end)
    bool continuous; // the final count-down of a continuous reminder
};

StageFlags stageFlags(const ClockPlan& p, Stage stage)
{
    return {isAlarm(stage), isTimed(stage) ? p.stageOn(stage) : true,
            stage == Stage::SecondsCountDown && p.continuousReminder};
}

} // namespace

EngineTimers::EngineTimers(TimerFactory& factory)
{
    struct Setting {
        std::unique_ptr<EngineTimer>* timer;
        const char* name;
        int interval;
    };
    const Setting settings[] = {{&countdownTick, "countdownTick", 500}, {&countupTick, "countupTick", 500},
                                {&blinkTick, "blinkTick", 1000},        {&countSetup, "countSetup", 100},
                                {&clockSetup, "clockSetup", 100},       {&longTermTick, "longTermTick", 0},
                                {&restartTick, "restartTick", 1000},    {&networkTimeTick, "networkTimeTick", 60000}};
    for (const Setting& s : settings) {
        *s.timer = factory.create(QString::fromLatin1(s.name));
        (*s.timer)->setInterval(s.interval);
        (*s.timer)->setEnabled(false);
    }
}

EngineTimers::~EngineTimers()
{
    for (auto* t : {&countdownTick, &countupTick, &blinkTick, &countSetup, &clockSetup, &longTermTick, &restartTick,
                    &networkTimeTick}) {
        (*t)->setEnabled(false);
        (*t)->setHandler({});
    }
}

void EngineTimers::stopCounting()
{
    countdownTick->setEnabled(false);
    countupTick->setEnabled(false);
}

QString EngineContext::soundPath(const QString& name) const
{
    const ProgramFolder& folder = app.folder;
    const QString relative = QStringLiteral("sounds/") + name;
    const QString found = name.trimmed().isEmpty() ? QString() : folder.resolve(relative);
    return found.isEmpty() ? folder.file(relative) : found;
}

void EngineContext::stageCue(Stage stage, int finalSeconds) const
{
    stageLooks(stage, finalSeconds);
    stageSound(stage);
}

void EngineContext::stageLooks(Stage stage, int finalSeconds) const
{
    const ClockPlan& p = plan.plan();
    const auto [alarm, on, continuous] = stageFlags(p, stage);

    if (stage != Stage::Start && on && p.blinksAt(stage)) {
        timers.blinksLeft = continuous ? finalSeconds * 2 : p.tixingtime * 2;
        timers.blinkTick->setEnabled(true);
    }
    host.run.runStateWriter().enterStage(stage);
    view.rewindPrompt();
    if (stage != Stage::End)
        view.setPromptTicking(true);
    if (stage != Stage::Start && (on || !alarm) && isOn(p.stageLooks))
        view.applyStageLook(stage);
}

void EngineContext::stageSound(Stage stage) const
{
    const ClockPlan& p = plan.plan();
    const auto [alarm, on, continuous] = stageFlags(p, stage);

    SoundPlayer& sound = app.sound();
    if (alarm) {
        if (on && p.playsSoundAt(stage)) {
            sound.stopSound(soundPath(p.stages[previousStage(stage)].sound));
            if (continuous)
                sound.playWaveLoop(soundPath(p.stages[Stage::SecondsCountDown].sound));
            else
                sound.playSound(soundPath(p.stages[stage].sound));
        }
        return;
    }
    if (stage >= Stage::Overtime)
        sound.stopSound(soundPath(p.stages[Stage::SecondsCountDown].sound));
    if (on && p.playsSoundAt(stage))
        sound.playSound(soundPath(p.stages[stage].sound));
}

} // namespace orvalen
