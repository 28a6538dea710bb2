#pragma once
#include "settings/settings_controls.h"
#include "stores/clock_plan.h"

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace orvalen {

class NumberField;

// The 提醒 page: per stage (开始 .. 结束) whether the clock blinks, the prompt
// text shows and the sound plays, with the text and the sound file; how long
// a reminder lasts, and a list that plays a stage's sound to try it.
class ReminderPage : public QWidget {
    Q_OBJECT
public:
    ReminderPage(const ClockPlan& stored, SettingsNotice notice, QWidget* parent = nullptr);

    void showReminders(const ClockPlan& plan);
    void showDuration(int seconds);
    // Switches, texts and sound files; false (and *error names the field)
    // when the duration is not a number.
    bool writeInto(ClockPlan& plan, QString* error) const;
    // The duration as far as it is a number (0 when it is none).
    int duration() const;
    // The end stage's prompt text.
    QString endText() const;
    void setSoundFile(Stage stage, const QString& file);
    // Empties the try-out list and fills it with the stages of the mode.
    void showStageList();
    void showSimple(bool simple);

signals:
    // The operator wants a new sound for a stage.
    void soundFileWanted(Stage stage);
    // The operator chose a stage in the try-out list: its sound file's name.
    void soundPreviewWanted(const QString& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct StageRow {
        QLabel* name = nullptr;
        QCheckBox* blink = nullptr;
        QCheckBox* prompt = nullptr;
        QLineEdit* promptText = nullptr;
        QLineEdit* soundFile = nullptr;
        QToolButton* chooseSound = nullptr;
        QCheckBox* sound = nullptr;
    };
    void previewChosen(int index);

    const ClockPlan& m_stored;
    bool m_simple = false;
    PerStage<StageRow> m_stageRows{};
    QLabel* m_durationCaption = nullptr;
    NumberField* m_duration = nullptr;
    QLabel* m_durationUnit = nullptr;
    QComboBox* m_previewList = nullptr;
};

} // namespace orvalen
