#pragma once
#include "menus/menu_hooks.h"
#include "plans/plan_save_checks.h"
#include "stores/plan_repository.h"

#include <QWidget>
#include <array>
#include <memory>

class QPushButton;
class QTableView;

namespace orvalen {

struct AppContext;
class Launcher;
class CurrentPlan;
class PlanEditor;
class PlanListModel;

// The plan panel of the settings window (阶段设置): the saved plans as a
// table (序号, 阶段名称, 动态文本) and the buttons 保存, 上移, 下移, 删除 and 导出.
// Saving stores the editor's contents as a new plan; the moves and the
// delete change the order and the IDs of the saved plans; a double click or
// Enter on a row loads that plan into the editor. Save, moves and delete run
// with the global hotkeys released and registered again afterwards; the
// saved plans announce each change themselves.
class PlanPanel final : public QWidget {
    Q_OBJECT
public:
    enum class Button { Save, Up, Down, Delete, Export };

    // `currentPlan` is the plan held in memory (loading a plan re-reads its
    // date line font and colour); `hotkeys` releases and registers the
    // hotkeys (may be null).
    PlanPanel(AppContext& ctx, PlanRepository& plans, PlanEditor& editor, CurrentPlan& currentPlan,
              HotkeyHooks* hotkeys, QWidget* parent = nullptr);
    ~PlanPanel() override;

    // What the export opens files with and asks for the spreadsheet program;
    // the desktop's own unless given (it must outlive the panel).
    void setExportLauncher(Launcher* launcher);

    // Fills the list from the saved plans. Runs by itself each time the panel
    // is shown.
    void reload();

    // The buttons' commands.
    void save();
    void moveUp();
    void moveDown();
    void deleteSelected();
    void exportTable();
    // Loads the plan of the current row into the editor.
    void loadCurrent();

    QTableView* table() const { return m_table; }
    QPushButton* button(Button which) const { return m_buttons[int(which)]; }
    // The saved plan shown in `row`.
    PlanListEntry entryAt(int row) const;
    int rowCount() const;
    int currentRow() const; // -1 when there is none

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void tell(const PlanMessage& message);
    void showFailure(const PlanMessage& message, const PlanResult& result, const char* what);
    QList<int> selectedRows() const;
    void selectRow(int row);
    void move(int step);

    AppContext& m_ctx;
    PlanEditor& m_editor;
    CurrentPlan& m_currentPlan;
    PlanRepository& m_plans;
    HotkeyHooks* m_hotkeys = nullptr;
    PlanListModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    std::array<QPushButton*, 5> m_buttons{};
    std::unique_ptr<Launcher> m_ownLauncher;
    Launcher* m_launcher = nullptr;
};

} // namespace orvalen
