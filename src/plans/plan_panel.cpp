#include "plans/plan_panel.h"

#include "plans/plan_editor.h"
#include "plans/plan_export.h"
#include "plans/plan_loader.h"
#include "platform/notifier.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "services/help_links.h"
#include "services/row_table.h"
#include "stores/current_plan.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QShowEvent>
#include <QPushButton>
#include <QAbstractTableModel>
#include <QTableView>
#include <QVBoxLayout>

namespace orvalen {

namespace {

const QString kCR = QStringLiteral("\r");

// Releases the global hotkeys for one command and registers them again on
// every way out of it.
class HotkeysReleased {
public:
    explicit HotkeysReleased(HotkeyHooks* hotkeys) : m_hotkeys(hotkeys)
    {
        if (m_hotkeys)
            m_hotkeys->releaseHotkeys();
    }
    ~HotkeysReleased()
    {
        if (m_hotkeys)
            m_hotkeys->registerHotkeys();
    }
    HotkeysReleased(const HotkeysReleased&) = delete;
    HotkeysReleased& operator=(const HotkeysReleased&) = delete;

private:
    HotkeyHooks* m_hotkeys;
};

} // namespace

// The saved plans as the list shows them: 序号 (the position, three digits,
// four from 1000 on), 阶段名称 (up to its first line break or TAB) and
// 动态文本. Each row keeps its plan's stored ID and full name.
class PlanListModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setEntries(QList<PlanListEntry> entries)
    {
        beginResetModel();
        m_entries = std::move(entries);
        endResetModel();
    }
    PlanListEntry entry(int row) const { return m_entries.value(row); }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(m_entries.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_entries.size())
            return {};
        const PlanListEntry& e = m_entries[index.row()];
        switch (index.column()) {
        case 0:
            return QStringLiteral("%1").arg(index.row() + 1, 3, 10, QLatin1Char('0'));
        case 1:
            return cutAtControlChar(e.name);
        default:
            return e.movingText;
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const std::array<QString, 3> headers{QStringLiteral("序号"), QStringLiteral("阶段名称"),
                                                    QStringLiteral("动态文本")};
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 3)
            return headers[section];
        return QAbstractTableModel::headerData(section, orientation, role);
    }

private:
    QList<PlanListEntry> m_entries;
};

PlanPanel::PlanPanel(AppContext& ctx, PlanRepository& plans, PlanEditor& editor, CurrentPlan& currentPlan,
                     HotkeyHooks* hotkeys, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_editor(editor), m_currentPlan(currentPlan), m_plans(plans), m_hotkeys(hotkeys)
{
    buildControls();
}

PlanPanel::~PlanPanel() = default;

void PlanPanel::buildControls()
{
    setObjectName(QStringLiteral("planPanel"));
    setAccessibleName(QStringLiteral("阶段设置"));

    m_model = new PlanListModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setObjectName(QStringLiteral("planList"));
    m_table->setAccessibleName(QStringLiteral("阶段列表"));
    setUpRowTable(*m_table);
    QHeaderView* header = m_table->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->resizeSection(0, m_table->fontMetrics().horizontalAdvance(QStringLiteral("序号 0000")) + 12);
    header->resizeSection(1, m_table->fontMetrics().horizontalAdvance(QStringLiteral("阶段名称阶段名称阶段名称")));
    header->setStretchLastSection(true);
    m_table->installEventFilter(this);
    connect(m_table, &QTableView::doubleClicked, this, [this] { loadCurrent(); });

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

void PlanPanel::setExportLauncher(Launcher* launcher)
{
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

void PlanPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Each showing lists the plans as they are stored now; a window coming
    // back from being minimised is no new showing.
    if (!event->spontaneous())
        reload();
}

void PlanPanel::tell(const PlanMessage& message)
{
    m_ctx.notifier.notice(message.text, Notifier::Icon::None, message.timeoutMs, message.title);
}

void PlanPanel::showFailure(const PlanMessage& message, const PlanResult& result, const char* what)
{
    qWarning().noquote() << "Plan panel:" << what << "failed:" << result.error;
    tell(result.status == PlanStatus::MissingFile ? PlanMessage{kMissingDeskDataText}
                                                  : namingMissingLibrary(message, result));
}

PlanListEntry PlanPanel::entryAt(int row) const
{
    return m_model->entry(row);
}

int PlanPanel::rowCount() const
{
    return m_model->rowCount();
}

int PlanPanel::currentRow() const
{
    return m_table->currentIndex().isValid() ? m_table->currentIndex().row() : -1;
}

void PlanPanel::reload()
{
    QList<PlanListEntry> entries;
    const PlanResult result = m_plans.list(&entries);
    if (!result.ok()) {
        showFailure(PlanMessage{QStringLiteral("受限制或操作系统是精简版本，不支持本功能")}, result, "listing the plans");
        entries.clear();
    }

    m_model->setEntries(std::move(entries));
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
    if (row < 0 || row >= rowCount())
        return;
    const QModelIndex index = m_model->index(row, 0);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void PlanPanel::save()
{
    HotkeysReleased released(m_hotkeys);
    if (!m_plans.fileExists()) {
        tell(PlanMessage{kMissingDeskDataText});
        return;
    }
    const QString name = m_editor.planName();
    QString planError;
    const std::optional<ClockPlan> plan = m_editor.editedPlan(&planError);
    const SaveCheckResult checks = checkPlanSave(
        name, [&](QString* error) { return m_plans.nameLookup(name, error); }, plan, planError);
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

    const PlanResult result = m_plans.save(name, m_editor.movingText(), *plan);
    if (result.status == PlanStatus::NameTaken) {
        tell(nameTakenMessage(name));
        m_editor.focusNameField();
        return;
    }
    if (!result.ok()) {
        showFailure(saveFailedMessage(result.refusal), result, "saving the plan");
        return;
    }
    reload();
    m_table->scrollToBottom();
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
    HotkeysReleased released(m_hotkeys);
    const int count = rowCount();
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

    const PlanResult result = m_plans.move(entryAt(row), step);
    if (!result.ok()) {
        showFailure(result.status == PlanStatus::NotFound
                        ? PlanMessage{QStringLiteral("找不到该记录")}
                        : PlanMessage{QStringLiteral("移动未完成，阶段顺序保持不变") + kCR + kCR + result.error},
                    result, "moving the plan");
    }
    reload();
    if (result.ok())
        selectRow(row + step);
    m_table->setFocus();
}

void PlanPanel::deleteSelected()
{
    HotkeysReleased released(m_hotkeys);
    if (!m_plans.fileExists()) {
        tell(PlanMessage{kMissingDeskDataText});
        return;
    }
    if (rowCount() == 0) {
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
    if (!m_ctx.notifier.ask(QStringLiteral("确定删除数据吗？"), QStringLiteral("提示"))) {
        m_table->setFocus();
        return;
    }

    QList<PlanListEntry> entries;
    for (auto it = selected.crbegin(); it != selected.crend(); ++it)
        entries << entryAt(*it);
    const PlanResult result = m_plans.remove(entries);
    if (!result.ok()) {
        showFailure(result.status == PlanStatus::NotFound ? PlanMessage{QStringLiteral("找不到该记录")}
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
}

void PlanPanel::exportTable()
{
    if (!m_launcher) {
        m_ownLauncher = std::make_unique<SystemLauncher>();
        m_launcher = m_ownLauncher.get();
    }
    exportPlanTable(m_plans, m_ctx.folder, *m_launcher, m_ctx.notifier);
}

void PlanPanel::loadCurrent()
{
    if (rowCount() == 0) {
        tell({QStringLiteral("没有录入数据"), 800, QString()});
        return;
    }
    const int row = currentRow();
    if (row < 0)
        return;
    QString error;
    const std::optional<PlanMessage> message =
        loadNamedPlan(m_plans, m_ctx.registry, m_currentPlan, m_editor, entryAt(row).name, &error);
    if (message) {
        qWarning().noquote() << "Plan panel: loading the plan failed:" << error;
        tell(*message);
        return;
    }
    m_table->setFocus();
}

} // namespace orvalen
