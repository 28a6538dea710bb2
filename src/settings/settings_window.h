#pragma once
#include "plans/plan_editor.h"
#include "settings/precise_page.h"
#include "stores/clock_plan.h"

#include <QColor>
#include <QDialog>
#include <functional>

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QTimer;
class QVBoxLayout;

namespace orvalen {

struct AppContext;
class ColourSwatch;
class CurrentPlan;
class LayoutView;
class FileChooser;
class HotkeyHooks;
class LookPage;
class PlanSequence;
class ReminderPage;
class RunCommands;
class SystemPage;
class TimingPage;

// What the settings window needs of the rest of the program besides the
// program's context, the current plan and the display window.
struct SettingsLinks {
    HotkeyHooks* hotkeys = nullptr;          // released and registered again by apply
    PlanSequence* plans = nullptr;           // the plan submenu, for the auto-cycle switch
    std::function<void(bool)> holdHotkeys;   // run hotkeys do nothing while the window is open
    FileChooser* files = nullptr;            // null: the Qt file dialog
    std::function<QColor()> chooseColour;    // null: the Qt colour dialog
};

// The settings window "设置": the editor of the current plan on five pages
// (计时, 提醒, 界面, 系统, 精准设置), with simple mode, the layout editor of
// the display's elements, and the place of the saved-plan panel. "应用"
// checks the editor and makes it the current plan; "关闭" leaves without.
// Each page fills itself from the plan and writes itself back; the window
// keeps the switches that reach across pages in step.
class SettingsWindow : public QDialog, public PlanEditor {
    Q_OBJECT
public:
    // `commands` take the applied plan in: they stop the count and set the
    // display up again.
    SettingsWindow(AppContext& ctx, CurrentPlan& currentPlan, RunCommands& commands, LayoutView& display,
                   SettingsLinks links, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // Puts the saved-plan panel into the area that "阶段设置" shows.
    void setPlanPanel(QWidget* panel);

    // PlanEditor
    std::optional<ClockPlan> editedPlan(QString* error) const override;
    QString planName() const override;
    QString movingText() const override;
    void clearNameFields() override;
    void focusNameField() override;
    void loadSavedPlan(const SavedPlan& saved, const StoredDateLineStyle& dateLine) override;

    // "应用": true when the plan was checked, stored and the display set up.
    bool apply();
    // Shows page 0..4 (the tab bar follows).
    void showPage(int page);
    int currentPage() const;
    // The font lists (also run by a one-shot timer after opening).
    void fillFontLists();
    // Layout editor: one step of the held button on the chosen element.
    void layoutStep(LayoutMove move);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void done(int result) override;

private:
    void buildBottom(QVBoxLayout* editor, QHBoxLayout* outer);
    void wirePages();
    void fillFromCurrentPlan();
    // A loaded row's switches and list choices become the editor's stored
    // ones: switching long-term off or simple mode off gives back the row's.
    void takeSwitchesOf(const ClockPlan& row);

    void longTermSwitched(bool on);
    void longTermChanged();
    void overtimeActionShown(OvertimeAction action);
    void simpleModeChanged();
    QString storedDelay() const;
    void cycleChanged(bool on);
    void chooseColour(ColourSwatch* swatch, bool clearsPicture);
    enum class FileKind { Sound, Picture, Logo };
    // Copies a chosen file into the program's folder; its stored name, or
    // empty when nothing was taken in.
    QString importFile(FileKind kind);
    void playPreview(const QString& soundFile);
    void layoutTargetChosen(int target);
    void resizingChanged(bool on);
    void resizeStep(int target, int direction);
    void repaintAndSave(int target);
    void unloadTidy();
    void notice(const QString& text, int timeoutMs, const QString& title = QString());
    bool storeAll(const ClockPlan& plan);

    AppContext& m_ctx;
    CurrentPlan& m_currentPlan;
    RunCommands& m_commands;
    LayoutView& m_display;
    SettingsLinks m_links;
    ClockPlan m_stored;          // editor-local copy of the stored plan
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_pages = nullptr;
    TimingPage* m_timing = nullptr;
    ReminderPage* m_reminders = nullptr;
    LookPage* m_look = nullptr;
    SystemPage* m_system = nullptr;
    PrecisePage* m_precise = nullptr;
    QCheckBox* m_simpleBox = nullptr;
    QCheckBox* m_planPanelBox = nullptr;
    QPushButton* m_applyButton = nullptr;
    QPushButton* m_closeButton = nullptr;
    QWidget* m_planArea = nullptr;
    QVBoxLayout* m_planAreaLayout = nullptr;
    QCheckBox* m_cycleBox = nullptr;
    QWidget* m_nameFields = nullptr;
    QLineEdit* m_planNameField = nullptr;
    QLineEdit* m_movingTextField = nullptr;
    QWidget* m_planPanel = nullptr;
    QTimer* m_fontTimer = nullptr;
    QString m_timePreview;
    bool m_unloaded = false;
};

} // namespace orvalen
