#include "menus/plan_menu.h"

#include "display/element_view.h"
#include "platform/logged_call.h"
#include "platform/notifier.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "stores/current_plan.h"
#include "stores/ini_store.h"
#include "stores/plan_repository.h"
#include "timing/run_commands.h"
#include "state/run_state.h"
#include "stores/time_data_keys.h"

#include <QAction>
#include <QDebug>
#include <QMenu>
#include <QProxyStyle>
#include <utility>

namespace orvalen {
namespace {

const QString kSelectionFailed = QStringLiteral("操作系统是精简版本，不支持本功能");

// A menu shows "&" as a mnemonic marker; a plan name shows as it is.
QString menuText(const QString& name)
{
    QString text = name;
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

// A plan submenu taller than the screen scrolls (arrows at its ends and the
// mouse wheel) instead of spreading over the screen in columns, so every plan
// can be reached.
class ScrollingMenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == QStyle::SH_Menu_Scrollable)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PlanMenu::PlanMenu(AppContext& ctx, PlanRepository& plans, HostState& host, CurrentPlan& currentPlan,
                   RunCommands& commands, ElementView& display, QMenu* submenu)
    : m_ctx(ctx), m_plans(plans), m_host(host), m_currentPlan(currentPlan), m_display(display), m_commands(commands),
      m_menu(submenu),
      m_hadMenu(submenu)
{
    m_plansChanged = QObject::connect(&plans, &PlanRepository::changed, [this] { rebuild(); });
    if (submenu) {
        auto* style = new ScrollingMenuStyle;
        style->setParent(submenu);
        submenu->setStyle(style);
    }
    // Item 0 always exists; it reads "1" until the plans are read.
    addItem(QStringLiteral("1"));
}

PlanMenu::~PlanMenu()
{
    QObject::disconnect(m_plansChanged);
    // Without a submenu the items are ours; with one they go with it unless
    // it is still there.
    if (m_menu || !m_hadMenu) {
        for (QAction* a : std::as_const(m_items))
            delete a;
    }
}

QAction* PlanMenu::addItem(const QString& caption)
{
    auto* a = new QAction(menuText(caption), m_menu.data());
    a->setData(caption);
    a->setCheckable(true);
    a->setObjectName(QStringLiteral("planItem%1").arg(m_items.size()));
    const int index = m_items.size();
    QObject::connect(a, &QAction::triggered, a, [this, index] {
        // The check mark moves only when the selection says so.
        for (int i = 0; i < m_items.size(); ++i)
            m_items[i]->setChecked(m_items[i]->property("planChecked").toBool());
        runLogged("plan menu item", [this, index] { planItemChosen(index); });
    });
    if (m_menu)
        m_menu->addAction(a);
    m_items << a;
    return a;
}

QString PlanMenu::caption(int index)
{
    ensureLoaded();
    return (index >= 0 && index < m_items.size()) ? m_items[index]->data().toString() : QString();
}

bool PlanMenu::isChecked(int index)
{
    ensureLoaded();
    return index >= 0 && index < m_items.size() && m_items[index]->property("planChecked").toBool();
}

int PlanMenu::planCount()
{
    ensureLoaded();
    return m_planCount;
}

int PlanMenu::itemCount()
{
    ensureLoaded();
    return m_items.size();
}

int PlanMenu::checkedPlan()
{
    ensureLoaded();
    for (int i = m_items.size() - 1; i >= 0; --i) {
        if (isChecked(i))
            return i;
    }
    return -1;
}

void PlanMenu::rebuild()
{
    m_stale = true;
    ensureLoaded();
}

void PlanMenu::ensureLoaded()
{
    const bool deferred = std::exchange(m_deferred, false);
    if (!m_stale)
        return;
    m_stale = false;
    // A load put off past the display's load finds the plan item as the
    // display's idle state showed it; it stays shown, and only whether it
    // can be chosen follows the plans just read.
    const bool shown = m_host.menus.planItemShown();
    clearPlanItems();
    loadPlanItems();
    if (deferred)
        m_host.menus.setPlanItem(shown, m_host.menus.planItemEnabled());
}

void PlanMenu::clearPlanItems()
{
    while (m_items.size() > 1) {
        QAction* a = m_items.takeLast();
        if (m_menu)
            m_menu->removeAction(a);
        delete a;
    }
    m_items[0]->setProperty("planChecked", false);
    m_items[0]->setChecked(false);
    m_planCount = 0;
}

void PlanMenu::loadPlanItems()
{
    m_host.menus.setPlanItem(false, false);
    QList<PlanListEntry> entries;
    const PlanResult listed = m_plans.list(&entries);
    if (!listed.ok() && listed.status != PlanStatus::MissingFile)
        qWarning().noquote() << "Plan submenu: the plans cannot be read:" << listed.error;
    for (int i = 0; i < entries.size(); ++i) {
        if (i == 0)
            m_host.menus.setPlanItem(true, true);
        const QString& name = entries[i].name;
        QAction* a = i == 0 ? m_items[0] : addItem(name);
        a->setText(menuText(name));
        a->setData(name);
        a->setVisible(true);
        m_planCount = i + 1;
    }
}

std::optional<ClockPlan> PlanMenu::readPlan(const QString& name, const ClockPlan& base, QString* movetext,
                                            bool* missing, QString* error) const
{
    PlanRow row;
    const PlanResult read = m_plans.read(name, base, &row);
    *missing = read.status == PlanStatus::NotFound;
    if (!read.ok()) {
        *error = read.error;
        return std::nullopt;
    }
    *movetext = row.movingText;
    return row.plan;
}

void PlanMenu::selectPlan(int index)
{
    ensureLoaded();
    if (index < 0 || index >= m_items.size()) {
        qWarning() << "Plan selection: there is no plan item" << index;
        return;
    }
    m_display.showElementPlaceholders(false);

    const QString name = caption(index);
    QString movetext;
    QString error;
    bool missing = false;
    const std::optional<ClockPlan> plan = readPlan(name, m_currentPlan.plan(), &movetext, &missing, &error);
    if (!plan && !missing) {
        // Nothing of the selection is applied: the current plan, the check
        // mark and the sequence position stay as they were.
        qWarning().noquote() << "Plan selection of" << name << "failed:" << error;
        m_ctx.notifier.notice(kSelectionFailed);
        return;
    }

    // A plan deleted since the last rebuild leaves the current plan as it
    // is; the rest of the selection still runs.
    // The run commands take the plan in and set the display up for it.
    m_commands.takePlan(plan ? *plan : m_currentPlan.plan(), PlanTaken::KeepRun);
    if (plan)
        m_display.setElementText(DisplayElement::ScrollingText, movetext);
    for (int i = 0; i < m_items.size(); ++i) {
        m_items[i]->setProperty("planChecked", i == index);
        m_items[i]->setChecked(i == index);
    }

    const int lastIndex = m_items.size() - 1;
    const OvertimeAction action = m_currentPlan.plan().overtimeAction;
    const bool restarts = action == OvertimeAction::Reset || action == OvertimeAction::NextPlan;
    const int position = restarts ? index + 1 : lastIndex + time_data::kCurrentRowPastLastWhenChosen;
    if (!m_ctx.ini.write(time_data::kMarquee, time_data::kCurrentRow, QString::number(position)))
        qWarning() << "Plan selection: currentrow could not be written to" << m_ctx.ini.file();
}

} // namespace orvalen
