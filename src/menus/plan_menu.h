#pragma once
#include "menus/menu_hooks.h"
#include "stores/clock_plan.h"

#include <QList>
#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <optional>

class QAction;
class QMenu;

namespace orvalen {

struct AppContext;
struct HostState;
class CurrentPlan;
class ElementView;
class PlanRepository;
class RunCommands;

// The plan submenu "阶段选择": one item per saved plan in ID
// order, captioned with the plan name, and the selection of a plan. A
// selection hands the row to the run commands, which make it the current
// plan (in memory only: nothing is stored) and set the display up again for
// it (a run under way goes on with it); the scrolling text becomes the row's.
// The chosen item alone gets the check mark, and currentrow is written:
// the item's position when the plan's end resets or goes on to the next
// plan, else a position past the last item (no clear steps on from it). A
// plan deleted since the last rebuild leaves the current plan as it is and
// the rest still runs; a row that cannot be read changes nothing and says
// so. The items are read when first needed and again at every change the
// saved plans announce.
class PlanMenu final : public PlanMenuHooks {
public:
    // `submenu` is the plan submenu that the menu host owns.
    // `commands` take a chosen plan in: they stop the count and set the
    // display up for it.
    PlanMenu(AppContext& ctx, PlanRepository& plans, HostState& host, CurrentPlan& currentPlan, RunCommands& commands,
             ElementView& display, QMenu* submenu);
    ~PlanMenu() override;

    // At program start: the saved plans are read when they are first needed
    // (the menu, the plan sequence) or when the start-up calls
    // ensureLoaded, once the key of DeskData.db is derived, whichever comes
    // first. Deriving that key costs more than the whole first frame. A
    // change of the saved plans rebuilds the items at once. The plan
    // hotkeys wait for the start-up's call.
    void deferLoad() { m_deferred = true; }
    void ensureLoaded() override;
    // Selects plan item `index` (menu, plan hotkeys, plan sequence, auto
    // cycle all come here).
    void selectPlan(int index) override;
    void planItemChosen(int index) { selectPlan(index); }

    // Saved plans found by the last rebuild (0 when there are none, although
    // item 0 always exists).
    int planCount() override;
    int checkedPlan() override;
    bool planListWaiting() const override { return m_deferred && m_stale; }

    // The items as the operator sees them.
    int itemCount();
    QString caption(int index);
    bool isChecked(int index);

private:
    // Rebuilds the items from the saved plans; the desktop menu's plan item
    // is shown and enabled only when there is at least one.
    void rebuild();
    void clearPlanItems();
    void loadPlanItems();
    QAction* addItem(const QString& caption);
    // The saved plan named `name` laid over `base`: nullopt with *missing
    // when there is no such row, nullopt with *error when the database or the
    // row could not be read whole.
    std::optional<ClockPlan> readPlan(const QString& name, const ClockPlan& base, QString* movetext,
                                      bool* missing, QString* error) const;

    AppContext& m_ctx;
    PlanRepository& m_plans;
    HostState& m_host;
    CurrentPlan& m_currentPlan;
    ElementView& m_display;
    RunCommands& m_commands;
    QPointer<QMenu> m_menu;
    bool m_hadMenu = false;
    QList<QAction*> m_items;
    int m_planCount = 0;
    bool m_deferred = false; // the list waits for the start-up or first use
    bool m_stale = true;     // the list has not been read since it was asked for
    QMetaObject::Connection m_plansChanged;
};

} // namespace orvalen
