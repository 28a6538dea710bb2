#pragma once
#include "settings/settings_controls.h"
#include "stores/clock_plan.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvalen {

class HotkeyField;
class IniEdit;
class IniStore;
class NumberField;

// The 系统 page: time format, timing mode and overtime action with what
// follows from them (the overtime clock, the end text on the clock, the
// delayed restart), the hotkeys, the logo and the scrolling text. The lists
// keep each other consistent: the time of day has no seconds-only format and
// no reset, a long-term plan counts down and stops.
class SystemPage : public QWidget {
    Q_OBJECT
public:
    SystemPage(const ClockPlan& stored, SettingsNotice notice, QWidget* parent = nullptr);

    // The plan as the editor opens on it, and the settings file's values.
    void showPlan(const ClockPlan& plan);
    void showSettings(const IniStore& ini);
    // A saved row loaded into the editor.
    void showSavedPlan(const ClockPlan& plan);
    void writeInto(ClockPlan& plan) const;
    // The settings file's keys of this page, in one edit with the window's.
    void writeSettings(IniEdit& edit) const;

    // Whether the plan being edited is long-term (its switch on 计时).
    void setLongTerm(bool on) { m_longTerm = on; }
    // Long-term on: the day formats, counting down, stopping; off: the
    // stored plan's lists and switches.
    void showLongTerm(bool on);
    // `storedDelay` is the delay shown when full mode comes back.
    void showSimple(bool simple, const QString& storedDelay);
    void setLogo(const QString& file);

signals:
    // The overtime action in force (full mode); the overtime stage follows it.
    void overtimeActionShown(OvertimeAction action);
    void logoWanted();

private:
    void buildCountGroup(QGridLayout* grid);
    void buildHotkeyGroup(QGridLayout* grid);
    void buildLogoRow(QGridLayout* grid);
    void buildScrollRow(QGridLayout* grid);
    void connectControls();
    void showSwitches(const ClockPlan& plan);
    void fillFormatList(const QStringList& list);
    void formatChosen();
    void modeChosen();
    void overtimeChosen();
    void hotkeyClash(HotkeyField* field);

    const ClockPlan& m_stored;
    SettingsNotice m_notice;
    bool m_longTerm = false;
    bool m_simple = false;
    QComboBox* m_formatList = nullptr;
    QComboBox* m_modeList = nullptr;
    QComboBox* m_overtimeList = nullptr;
    QCheckBox* m_delayBox = nullptr;
    NumberField* m_delayField = nullptr;
    QLabel* m_delayCaption = nullptr;
    QCheckBox* m_overtimeClockBox = nullptr;
    QCheckBox* m_endTextBox = nullptr;
    HotkeyField* m_startKey = nullptr;
    HotkeyField* m_stopKey = nullptr;
    HotkeyField* m_pauseKey = nullptr;
    QCheckBox* m_planKeyCtrl = nullptr;
    QCheckBox* m_planKeyAlt = nullptr;
    QLabel* m_logoCaption = nullptr;
    QLineEdit* m_logoField = nullptr;
    QPushButton* m_logoButton = nullptr;
    QCheckBox* m_logoSizeBox = nullptr;
    QLabel* m_logoWidthCaption = nullptr;
    NumberField* m_logoWidth = nullptr;
    QLabel* m_logoHeightCaption = nullptr;
    NumberField* m_logoHeight = nullptr;
    QLabel* m_scrollCaption = nullptr;
    QLabel* m_scrollModeCaption = nullptr;
    QComboBox* m_scrollModeList = nullptr;
    QLabel* m_scrollWidthCaption = nullptr;
    NumberField* m_scrollWidth = nullptr;
    QLabel* m_scrollSpeedCaption = nullptr;
    NumberField* m_scrollSpeed = nullptr;
};

} // namespace orvalen
