#include "plans/plan_panel.h"

#include "plans/plan_editor.h"
#include "plans/plan_export.h"
#include "plans/plan_loader.h"
#include "platform/notifier.h"
#include "services/app_context.h"
#include "services/environment_probes.h"
#include "services/help_links.h"
#include "services/text_path.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orvalen {

namespace {

const QString kCR = QStringLiteral("\r");
constexpr int kIdRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;
constexpr int kMovingTextRole = Qt::UserRole + 2;

// Releases the global hotkeys for one command and registers them again on
// every way out of it.
class HotkeysReleased {
public:
    explicit HotkeysReleased(HotkeyHooks* hotkeys) : m_hotkeys(hotkeys)
    {
        if (m_hotkeys)
            m_hotkeys->hotkey_del();
    }
    ~HotkeysReleased()
    {
        if (m_hotkeys)
            m_hotkeys->Hotkey_set();
    }
    HotkeysReleased(const HotkeysReleased&) = delete;
    HotkeysReleased& operator=(const HotkeysReleased&) = delete;

private:
    HotkeyHooks* m_hotkeys;
};

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    return item;
}

} // namespace

PlanPanel::PlanPanel(AppContext& ctx, PlanEditor& editor, ClockPlan& currentPlan, const MenuHooks& hooks,
                     QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_editor(editor), m_currentPlan(currentPlan), m_hooks(hooks), m_plans(ctx.folder)
{
    buildControls();
}

PlanPanel::~PlanPanel() = default;

void PlanPanel::buildControls()
{
    setObjectName(QStringLiteral("planPanel"));
    setAccessibleName(QStringLiteral("阶段设置"));

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("planList"));
    m_table->setAccessibleName(QStringLiteral("阶段列表"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("序号"), QStringLiteral("阶段名称"), QStringLiteral("动态文本")});
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setTabKeyNavigation(false);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->resizeSection(0, m_table->fontMetrics().horizontalAdvance(QStringLiteral("序号 0000")) + 12);
    header->resizeSection(1, m_table->fontMetrics().horizontalAdvance(QStringLiteral("阶段名称阶段名称阶段名称")));
    header->setStretchLastSection(true);
    m_table->installEventFilter(this);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this] { loadCurrent(); });

    auto* buttons = new QHBoxLayout;
    const std::array<QString, 5> captions{QStringLiteral("保存"), QStringLiteral("上移"), QStringLiteral("下移"),
                                          QStringLiteral("删除"), QStringLiteral("导出")};
    const std::array<void (PlanPanel::*)(), 5> commands{&PlanPanel::save, &PlanPanel::moveUp, &PlanPanel::moveDown,
                                                        &PlanPanel::deleteSelected, &PlanPanel::exportTable};
    const std::array<const char*, 5> objectNames{"saveButton", "upButton", "downButton", "deleteButton", "exportButton"};
    for (int i = 0; i < 5; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QString::fromLatin1(objectNames[i]));
        b->setAccessibleName(captions[i]);
        // A click takes the focus first, so the editor's field checks run
        // before the command.
        b->setFocusPolicy(Qt::StrongFocus);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, commands[i]);
        buttons->addWidget(b);
        m_buttons[i] = b;
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
}

void PlanPanel::setExportServices(SystemQuery* system, Launcher* launcher)
{
    m_system = system;
    m_launcher = launcher;
}

bool PlanPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_table && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            loadCurrent();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PlanPanel::tell(const PlanMessage& message)
{
    if (m_ctx.notifier)
        m_ctx.notifier->notice(message.text, Notifier::Icon::None, message.timeoutMs, message.title);
}

void PlanPanel::showFailure(const PlanMessage& message, const PlanTableResult& result, const char* what)
{
    qWarning().noquote() << "Plan panel:" << what << "failed:" << result.error;
    tell(result.status == PlanTableStatus::MissingFile ? PlanMessage{kMissingDeskDataText} : message);
}

PlanListEntry PlanPanel::entryAt(int row) const
{
    const QTableWidgetItem* item = m_table->item(row, 0);
    if (!item)
        return {};
    PlanListEntry entry;
    const QVariant id = item->data(kIdRole);
    if (id.isValid())
        entry.id = id.toLongLong();
    entry.name = item->data(kNameRole).toString();
    entry.movingText = item->data(kMovingTextRole).toString();
    return entry;
}

void PlanPanel::reload()
{
    QList<PlanListEntry> entries;
    const PlanTableResult result = m_plans.list(&entries);
    if (!result.ok())
        showFailure(PlanMessage{QStringLiteral("受限制或操作系统是精简版本，不支持本功能")}, result, "listing the plans");

    m_table->setUpdatesEnabled(false);
    m_table->clearContents();
    m_table->setRowCount(int(entries.size()));
    for (int k = 0; k < entries.size(); ++k) {
        const PlanListEntry& entry = entries[k];
        // The number is the position; from 1000 on it has four digits.
        QTableWidgetItem* number = cell(QStringLiteral("%1").arg(k + 1, 3, 10, QLatin1Char('0')));
        if (entry.id)
            number->setData(kIdRole, *entry.id);
        number->setData(kNameRole, entry.name);
        number->setData(kMovingTextRole, entry.movingText);
        m_table->setItem(k, 0, number);
        m_table->setItem(k, 1, cell(cut_at_control_char(entry.name)));
        m_table->setItem(k, 2, cell(entry.movingText));
    }
    m_table->setUpdatesEnabled(true);
}

QList<int> PlanPanel::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PlanPanel::selectRow(int row)
{
    if (row < 0 || row >= m_table->rowCount())
        return;
    m_table->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollToItem(m_table->item(row, 0));
}

void PlanPanel::planSubmenuChanged()
{
    if (m_hooks.plans)
        m_hooks.plans->change_clock_menu();
}

void PlanPanel::save()
{
    HotkeysReleased released(m_hooks.hotkeys);
    if (!m_plans.fileExists()) {
        tell(PlanMessage{kMissingDeskDataText});
        return;
    }
    const QString name = m_editor.planName();
    QString planError;
    const std::optional<ClockPlan> plan = m_editor.editedPlan(&planError);
    const SaveCheckResult checks = check_plan_save(
        name, [&](QString* error) { return clock_name_is_free(m_ctx.folder, name, error); }, plan, planError);
    for (const PlanMessage& message : checks.messages)
        tell(message);
    switch (checks.verdict) {
    case SaveVerdict::Save:
        break;
    case SaveVerdict::RefusedFocusName:
        m_editor.focusNameField();
        return;
    case SaveVerdict::Refused:
        return;
    case SaveVerdict::Failed:
        qWarning().noquote() << "Plan panel: saving" << name << "failed:" << checks.error;
        return;
    }

    const PlanTableResult result = m_plans.save(name, m_editor.movingText(), *plan);
    if (result.status == PlanTableStatus::NameTaken) {
        tell(name_taken_message(name));
        m_editor.focusNameField();
        return;
    }
    if (!result.ok()) {
        showFailure(save_failed_message(), result, "saving the plan");
        return;
    }
    reload();
    if (m_table->rowCount() > 0)
        m_table->scrollToItem(m_table->item(m_table->rowCount() - 1, 0));
    planSubmenuChanged();
    m_editor.clearNameFields();
}

void PlanPanel::moveUp()
{
    move(-1);
}

void PlanPanel::moveDown()
{
    move(+1);
}

void PlanPanel::move(int step)
{
    HotkeysReleased released(m_hooks.hotkeys);
    const int count = m_table->rowCount();
    if (count == 0) {
        tell({step < 0 ? QStringLiteral("没有录入数据") : QStringLiteral("没有录入时钟名称"), 800, QString()});
        return;
    }
    const QList<int> selected = selectedRows();
    if (selected.size() > 1) {
        tell({QStringLiteral("上下移动请只选中一行数据"), 1500, QString()});
        return;
    }
    if (selected.isEmpty()) {
        tell({QStringLiteral("请选中要移动的数据行"), 800, QString()});
        return;
    }
    const int row = selected.first();
    if (step < 0 && row == 0) {
        tell({QStringLiteral("已经是第一行了"), 800, QString()});
        m_table->setFocus();
        return;
    }
    if (step > 0 && row == count - 1) {
        tell({QStringLiteral("已经是最后一行了"), 800, QString()});
        m_table->setFocus();
        return;
    }

    const PlanTableResult result = m_plans.move(entryAt(row), step);
    if (!result.ok()) {
        showFailure(result.status == PlanTableStatus::NotFound
                        ? PlanMessage{QStringLiteral("找不到该记录")}
                        : PlanMessage{QStringLiteral("移动未完成，阶段顺序保持不变") + kCR + kCR + result.error},
                    result, "moving the plan");
    }
    reload();
    if (result.ok())
        selectRow(row + step);
    m_table->setFocus();
    planSubmenuChanged();
}

void PlanPanel::deleteSelected()
{
    HotkeysReleased released(m_hooks.hotkeys);
    if (!m_plans.fileExists()) {
        tell(PlanMessage{kMissingDeskDataText});
        return;
    }
    if (m_table->rowCount() == 0) {
        tell({QStringLiteral("没有记录可删除"), 800, QString()});
        return;
    }
    const QList<int> selected = selectedRows();
    if (selected.isEmpty()) {
        tell({QStringLiteral("请鼠标选中待删除的行") + kCR + kCR + QStringLiteral("同时按下shift按钮可连续多选") + kCR + kCR
                  + QStringLiteral("同时按下Ctrl按钮可间隔多选"),
              3000, QString()});
        return;
    }
    if (!m_ctx.notifier || !m_ctx.notifier->ask(QStringLiteral("确定删除数据吗？"), QStringLiteral("提示"))) {
        m_table->setFocus();
        return;
    }

    QList<PlanListEntry> entries;
    for (auto it = selected.crbegin(); it != selected.crend(); ++it)
        entries << entryAt(*it);
    const PlanTableResult result = m_plans.remove(entries);
    if (!result.ok()) {
        showFailure(result.status == PlanTableStatus::NotFound ? PlanMessage{QStringLiteral("找不到该记录")}
                                                               : PlanMessage{QStringLiteral("请使用最新版本的程序"), 800, {}},
                    result, "deleting plans");
    }
    reload();
    if (result.ok()) {
        // The row above the last deleted one stays selected; the first row
        // when there is none above.
        const int above = selected.last() - int(selected.size());
        selectRow(above < 1 ? 0 : above);
    }
    m_table->setFocus();
    planSubmenuChanged();
}

void PlanPanel::exportTable()
{
    if (!m_system) {
        m_ownSystem = std::make_unique<RealSystemQuery>();
        m_system = m_ownSystem.get();
    }
    if (!m_launcher) {
        m_ownLauncher = std::make_unique<SystemLauncher>();
        m_launcher = m_ownLauncher.get();
    }
    if (m_ctx.notifier)
        export_plan_table(m_plans, m_ctx.folder, *m_system, *m_launcher, *m_ctx.notifier);
}

void PlanPanel::loadCurrent()
{
    if (m_table->rowCount() == 0) {
        tell({QStringLiteral("没有录入数据"), 800, QString()});
        return;
    }
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    QString error;
    const std::optional<PlanMessage> message =
        load_named_plan(m_plans, m_ctx.registry, m_currentPlan, m_editor, entryAt(row).name, &error);
    if (message) {
        qWarning().noquote() << "Plan panel: loading the plan failed:" << error;
        tell(*message);
        return;
    }
    m_table->setFocus();
}

} // namespace orvalen
