#pragma once
#include "settings/settings_controls.h"
#include "stores/clock_plan.h"

#include <QDate>
#include <QWidget>
#include <array>
#include <optional>

class QCheckBox;
class QLabel;

namespace orvalen {

class NumberField;

// The 计时 page: the plan's length (or, for a long-term plan, its date), the
// continuous-reminder switch and the five stages with their switch and their
// time before the end (after it for the overtime stage).
class TimingPage : public QWidget {
    Q_OBJECT
public:
    // `stored` is the editor's copy of the stored plan: switching long-term
    // off or leaving simple mode gives back its stage switches.
    TimingPage(const ClockPlan& stored, SettingsNotice notice, std::function<QDate()> today, QWidget* parent = nullptr);

    void showTimes(const ClockPlan& plan);
    // The switches in order; the overtime row follows its switch at once.
    void showSwitches(const ClockPlan& plan);
    // Length, stage times, the date of a long-term plan and the switches.
    // False (and *error says which field) when a field is not a number or
    // the time or date it makes is not valid.
    bool writeInto(ClockPlan& plan, QString* error) const;

    bool longTerm() const;
    bool longTermEnabled() const;
    // The fill keeps the long-term switch disabled until the other switches
    // are set, so that setting it runs nothing.
    void setLongTermEnabled(bool enabled);
    // Long-term on: the date replaces the length, the stage switches clear
    // and lock; off: they show the stored plan's again.
    void showLongTerm(bool on);
    // Whether the overtime stage can be switched on (overtime action "超时计时"
    // of a plan that is not long-term); its row shows only then.
    void allowOvertimeLimit(bool allowed);
    void clearOvertimeLimit();
    // Alarms 1..4 switched on, for the check of the reminder times.
    std::array<bool, 4> alarmsUsed() const;
    void showSimple(bool simple);

signals:
    // Every change of the long-term switch, enabled or not.
    void longTermToggled(bool on);

private:
    struct StageRow {
        QCheckBox* on = nullptr;
        NumberField* minutes = nullptr;
        QLabel* minutesUnit = nullptr;
        NumberField* seconds = nullptr;
        QLabel* secondsUnit = nullptr;
    };
    StageRow& overtimeRow() { return m_stageRows[Stage::Overtime]; }
    const StageRow& overtimeRow() const { return m_stageRows[Stage::Overtime]; }
    void showOvertimeRow();
    void dateChanged(NumberField* field, bool leaving);
    void recheckDay();

    const ClockPlan& m_stored;
    SettingsNotice m_notice;
    std::function<QDate()> m_today;
    bool m_simple = false;
    QLabel* m_lengthCaption = nullptr;
    NumberField* m_lengthHours = nullptr;
    NumberField* m_lengthMinutes = nullptr;
    NumberField* m_lengthSeconds = nullptr;
    QCheckBox* m_continuousBox = nullptr;
    PerStage<StageRow> m_stageRows{}; // the timed stages' rows (none for the start and the end)
    QCheckBox* m_longTermBox = nullptr;
    QWidget* m_datePanel = nullptr;
    QLabel* m_dateCaption = nullptr;
    NumberField* m_dateYear = nullptr;
    NumberField* m_dateMonth = nullptr;
    NumberField* m_dateDay = nullptr;
};

} // namespace orvalen
