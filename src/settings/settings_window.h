#pragma once
#include "plans/plan_editor.h"
#include "stores/clock_plan.h"

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTimer;
class QToolButton;
class QVBoxLayout;

namespace orvalen {

class ColourSwatch;
class LayoutView;
class FileChooser;
class HotkeyHooks;
class RunCommands;
class HotkeyField;
class NumberField;
class PlanSequence;

// What the settings window needs of the rest of the program besides the
// display window (which brings the context, the run state and the plan).
struct SettingsLinks {
    HotkeyHooks* hotkeys = nullptr;          // released and registered again by apply
    PlanSequence* plans = nullptr;           // the plan submenu, for the auto-cycle switch
    std::function<void()> showReady;         // the ready state of the menus and buttons
    RunCommands* commands = nullptr;         // stops the count and sets the display up again
    std::function<void(bool)> holdHotkeys;   // run hotkeys do nothing while the window is open
    FileChooser* files = nullptr;            // null: the Qt file dialog
    std::function<QColor()> chooseColour;    // null: the Qt colour dialog
};

// The settings window "设置": the editor of the current plan on five pages
// (计时, 提醒, 界面, 系统, 精准设置), with simple mode, the layout editor of
// the display's elements, and the place of the saved-plan panel. "应用"
// checks the editor and makes it the current plan; "关闭" leaves without.
//
// Controls are public and indexed as the plan tables describe them, so the
// plan panel, the tests and the handlers address them by index.
class SettingsWindow : public QDialog, public PlanEditor {
    Q_OBJECT
public:
    SettingsWindow(LayoutView& display, SettingsLinks links, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // Puts the saved-plan panel into the area that "阶段设置" shows.
    void setPlanPanel(QWidget* panel);

    // PlanEditor
    std::optional<ClockPlan> editedPlan(QString* error) const override;
    QString planName() const override;
    QString movingText() const override;
    void clearNameFields() override;
    void focusNameField() override;
    void loadSavedPlan(const SavedPlan& saved, const std::optional<QString>& registryStageFont,
                       const std::optional<QString>& registrySizeList) override;

    // "应用": true when the plan was checked, stored and the display set up.
    bool apply();
    // Shows page 0..4 (the tab bar follows).
    void showPage(int page);
    int currentPage() const;
    // The font lists (also run by a one-shot timer after opening).
    void fillFontLists();

    // Interlocks, run by the controls' own value changes and called directly
    // where one handler runs another.
    void stageBoxChanged(int index);
    void displayBoxChanged(int index);
    void formatChosen();
    void modeChosen();
    void overtimeChosen();
    void simpleModeChanged();
    // Layout editor: one repeat step of the held button (0 centre, 1 up or
    // larger, 2 left, 3 right, 4 down or smaller).
    void layoutStep(int button);
    void layoutTargetChosen(int index);

    // --- page 1 计时 ---
    QLabel* durationCaption = nullptr;
    std::array<NumberField*, 14> timeFields{};       // 1..13 (h, m, s of the length; m, s of stages 1..5)
    std::array<QLabel*, 18> timeUnits{};             // unit labels of the time fields (1..12, 17)
    std::array<QCheckBox*, 7> stageBoxes{};
    QWidget* datePanel = nullptr;
    QLabel* dateCaption = nullptr;
    std::array<NumberField*, 3> dateFields{};        // year, month, day
    // --- page 2 提醒 ---
    std::array<QLabel*, 7> stageNames{};
    std::array<QCheckBox*, 21> reminderBoxes{};      // 0..6 prompt, 7..13 sound, 14..20 blink
    std::array<QLineEdit*, 14> reminderTexts{};      // 0..6 prompts, 7..13 sound file names
    std::array<QToolButton*, 14> soundButtons{};     // 7..13
    NumberField* reminderDuration = nullptr;
    QLabel* reminderDurationUnit = nullptr;
    QComboBox* previewList = nullptr;
    // --- page 3 界面 ---
    std::array<QLabel*, 6> styleNames{};
    std::array<QComboBox*, 6> styleFonts{};
    std::array<ColourSwatch*, 6> styleColours{};
    std::array<QComboBox*, 6> styleSizes{};
    std::array<QCheckBox*, 6> displayBoxes{};
    std::array<QLineEdit*, 2> titleTexts{};          // main title, subtitle
    QLabel* backgroundCaption = nullptr;
    std::array<ColourSwatch*, 15> stageSwatches{};   // 0..6 time colours, 7..13 stage backgrounds, 14 overall background
    std::array<QToolButton*, 15> pictureButtons{};   // 7..14
    // --- page 4 系统 ---
    QComboBox* formatList = nullptr;
    QComboBox* modeList = nullptr;
    QComboBox* overtimeList = nullptr;
    QComboBox* scrollModeList = nullptr;
    std::array<QCheckBox*, 4> systemBoxes{};         // overtime clock, prompt at end, delay, custom logo size
    NumberField* delayField = nullptr;
    QLabel* delayCaption = nullptr;
    std::array<HotkeyField*, 3> hotkeyFields{};      // start, stop, pause
    std::array<QCheckBox*, 2> planHotkeyBoxes{};     // Ctrl, Alt
    QLineEdit* logoField = nullptr;
    QPushButton* logoButton = nullptr;
    NumberField* logoWidth = nullptr;
    NumberField* logoHeight = nullptr;
    NumberField* scrollWidth = nullptr;
    NumberField* scrollSpeed = nullptr;
    // --- page 5 精准设置 ---
    QComboBox* layoutTarget = nullptr;
    std::array<QPushButton*, 5> layoutButtons{};
    QCheckBox* resizeBox = nullptr;
    // --- bottom row and plan area ---
    QCheckBox* simpleBox = nullptr;
    QCheckBox* planPanelBox = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* closeButton = nullptr;
    QCheckBox* cycleBox = nullptr;
    QLineEdit* planNameField = nullptr;
    QLineEdit* movingTextField = nullptr;

    // The time preview of the layout editor (shown on the display's clock).
    QString timePreview() const { return m_timePreview; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTimingPage(QWidget* page);
    void buildReminderPage(QWidget* page);
    void buildLookPage(QWidget* page);
    void buildSystemPage(QWidget* page);
    void buildPrecisePage(QWidget* page);
    void buildBottom(QVBoxLayout* editor, QHBoxLayout* outer);
    void wireHandlers();

    void fillFromCurrentPlan();
    void fillFormatList(const QStringList& list);
    void showTimes(const ClockPlan& p);
    void showReminders(const ClockPlan& p);
    void showColoursAndTitles(const ClockPlan& p);
    void setSwatchWithPicture(ColourSwatch* swatch, const QString& colour, const QString& picture, bool emptyText);
    void timeFieldChanged(int index);
    void dateChanged(int index, bool leaving);
    void recheckDay();
    void hotkeyClash(int index);
    void cycleChanged(bool on);
    void chooseColour(ColourSwatch* swatch, bool clearsPicture);
    void importFile(int kind, QLineEdit* target, ColourSwatch* swatch);
    void playPreview(int index);
    void unloadTidy();
    void notice(const QString& text, int timeoutMs, const QString& title = QString());
    bool storeAll(const ClockPlan& plan);
    void resizeStep(int target, int direction);
    void repaintAndSave(int target);

    LayoutView& m_display;
    SettingsLinks m_links;
    ClockPlan m_stored;          // editor-local copy of the plan's stored digits
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_planArea = nullptr;
    QVBoxLayout* m_planAreaLayout = nullptr;
    QWidget* m_planPanel = nullptr;
    QWidget* m_nameFields = nullptr;
    QLabel* m_durationCaption = nullptr;
    QTimer* m_fontTimer = nullptr;
    QTimer* m_layoutRepeat = nullptr;
    int m_heldButton = -1;
    QString m_timePreview;
    bool m_unloaded = false;
    // Row widgets switched together by simple mode.
    std::array<QWidget*, 14> m_timeFieldBoxes{};
    QList<QWidget*> m_logoRow, m_scrollRow;
    QLabel* m_logoSizeCaption[2]{};
    QLabel* m_scrollCaption[4]{};
    friend class SettingsFill;
};

} // namespace orvalen
