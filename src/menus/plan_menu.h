#pragma once
#include "menus/menu_hooks.h"
#include "stores/clock_plan.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <optional>

class QAction;
class QMenu;

namespace orvalen {

struct AppContext;
struct HostState;
struct ModuleState;
class DisplayWindow;

// The plan submenu "阶段选择" (menu_often): one item per saved plan of table
// deskclock in ID order, captioned with the plan name, and the selection of a
// plan: the row becomes the current plan (in memory only), the item gets the
// check mark, the sequence position currentrow is written and the display is
// set up again for the new plan.
class PlanMenu final : public PlanMenuHooks {
public:
    // `submenu` is the QMenu of desktop(5) that the menu host owns.
    PlanMenu(AppContext& ctx, HostState& host, ModuleState& module, DisplayWindow& display, QMenu* submenu);
    ~PlanMenu() override;

    // Rebuilds the items from the saved plans; desktop(5) is shown and
    // enabled only when there is at least one.
    void change_clock_menu() override;
    // Selects plan item `index` (menu, plan hotkeys, plan sequence, auto
    // cycle all come here).
    void nextmenu_often(int index) override;
    void menu_often_Click(int index) { nextmenu_often(index); }

    // Saved plans found by the last rebuild (0 when there are none, although
    // item 0 always exists).
    int planCount() const override { return m_planCount; }
    int checkedPlan() const override;

    // The items as the operator sees them.
    int itemCount() const { return m_items.size(); }
    QString caption(int index) const;
    bool isChecked(int index) const;

private:
    void clear_often_menu();
    void load_often_menu();
    QAction* addItem(const QString& caption);
    // The saved plan named `name` laid over `base`: nullopt with *missing
    // when there is no such row, nullopt with *error when the database or the
    // row could not be read whole.
    std::optional<ClockPlan> readPlan(const QString& name, const ClockPlan& base, QString* movetext,
                                      bool* missing, QString* error) const;
    void resetPauseCaptions();

    AppContext& m_ctx;
    HostState& m_host;
    ModuleState& m_module;
    DisplayWindow& m_display;
    QPointer<QMenu> m_menu;
    bool m_hadMenu = false;
    QList<QAction*> m_items;
    int m_planCount = 0;
};

} // namespace orvalen
