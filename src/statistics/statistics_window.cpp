#include "statistics/statistics_window.h"

#include "platform/engine_timer.h"
#include "platform/notifier.h"
#include "services/app_context.h"
#include "services/spreadsheet_export.h"
#include "stores/registry_values.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace orvalen {

namespace {

const QStringList& header_titles()
{
    static const QStringList titles{QStringLiteral("序号"), QStringLiteral("设置时间"), QStringLiteral("实用时间"),
                                    QStringLiteral("超时时间"), QStringLiteral("暂停时间"), QStringLiteral("阶段")};
    return titles;
}

const QString kNoticeText = QStringLiteral("\r\n统计未启用\r\n\r\n暂停计时数据统计");

// The designed list width of 6890 twips, in pixels of this screen.
int list_width_px(const QWidget& w)
{
    return qRound(6890.0 * w.logicalDpiX() / 1440.0);
}

QString display_text(const QString& text)
{
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

// The header strip: the six column titles, each above the start of its field
// in the list lines.
class RunHeader final : public QWidget {
public:
    RunHeader(QWidget* parent, const QListWidget& list) : QWidget(parent), m_list(list)
    {
        setFixedHeight(28);
        setAccessibleName(header_titles().join(QLatin1Char(' ')));
    }
    void setGap(const QString& gap) { m_gap = gap; update(); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::Button));
        p.setPen(palette().color(QPalette::Mid));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(palette().color(QPalette::ButtonText));
        p.setFont(m_list.font());
        const QFontMetrics fm(m_list.font());
        const QStringList sample{QStringLiteral(" 001"), QStringLiteral("03:00:00"), QStringLiteral("03:00:00"),
                                 QStringLiteral("3:00:00"), QStringLiteral("3:00:00")};
        // Lines start at the list's frame plus the item's own margin.
        int x = m_list.frameWidth() + 3;
        for (int i = 0; i < header_titles().size(); ++i) {
            p.drawText(QRect(x, 0, width() - x, height()), Qt::AlignVCenter | Qt::AlignLeft, header_titles().at(i));
            if (i < sample.size())
                x += fm.horizontalAdvance(sample.at(i) + m_gap);
        }
    }

private:
    const QListWidget& m_list;
    QString m_gap = QStringLiteral(" ");
};

StatisticsWindow::StatisticsWindow(AppContext& ctx, Launcher& launcher, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_launcher(launcher)
{
    setWindowTitle(QStringLiteral("统计"));
    setModal(true);

    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(list_width_px(*this), qRound(6360.0 * logicalDpiY() / 1440.0));
    m_header = new RunHeader(this, *m_list);
    m_list->setAccessibleName(header_titles().join(QLatin1Char(' ')));

    m_notice = new QLabel(display_text(kNoticeText), m_list);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setFrameShape(QFrame::Box);
    m_notice->setAutoFillBackground(true);
    m_notice->setAccessibleName(QStringLiteral("统计未启用 暂停计时数据统计"));
    m_notice->resize(220, 110);

    m_recording = new QCheckBox(QStringLiteral("启用统计"), this);
    m_recording->setAccessibleName(m_recording->text());
    m_recording->setEnabled(false);
    m_export = new QPushButton(QStringLiteral("导出"), this);
    m_delete = new QPushButton(QStringLiteral("删除"), this);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    for (QPushButton* b : {m_export, m_delete, m_close}) {
        b->setAccessibleName(b->text());
        b->setAutoDefault(false);
    }

    auto* listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listColumn->addWidget(m_header);
    listColumn->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_recording);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listColumn, 1);
    layout->addLayout(buttons);

    connect(m_export, &QPushButton::clicked, this, &StatisticsWindow::exportLines);
    connect(m_delete, &QPushButton::clicked, this, &StatisticsWindow::deleteSelected);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_recording, &QCheckBox::toggled, this, &StatisticsWindow::recordingToggled);

    // The notice goes 3 seconds after the window opens or the switch changes.
    m_noticeTimer = ctx.timers.create(QStringLiteral("statistics notice"));
    m_noticeTimer->setInterval(3000);
    m_noticeTimer->setHandler([this] {
        m_noticeTimer->setEnabled(false);
        m_notice->hide();
    });
    m_noticeTimer->setEnabled(true);

    load();
    m_notice->move((list_width_px(*this) - m_notice->width()) / 2, 120);
    m_list->setFocus();
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::load()
{
    m_gap = column_gap(list_width_px(*this), [fm = QFontMetrics(m_list->font())](const QString& text) {
        return fm.horizontalAdvance(QLatin1Char(' ') + text);
    });
    m_header->setGap(m_gap);

    QList<RunRow> rows;
    QString why;
    const RunsLoad result = load_runs(m_ctx.folder, &rows, &why);
    if (result == RunsLoad::NoDatabase)
        return;
    addLines(rows);
    if (result == RunsLoad::Failed) {
        qWarning().noquote() << "statistics: the records could not be read:" << why;
        m_ctx.notifier.notice(QStringLiteral("操作系统是精简版本，不支持本功能"));
        m_notice->setText(display_text(kNoticeText));
        showNoticeByState();
        return;
    }
    // Set while the switch is disabled: loading writes nothing.
    m_recording->setChecked(registry_values::time_record(m_ctx.registry));
    m_recording->setEnabled(true);
    m_notice->setText(display_text(kNoticeText));
    showNoticeByState();
}

void StatisticsWindow::addLines(const QList<RunRow>& rows)
{
    m_list->setUpdatesEnabled(false);
    for (const RunRow& row : rows) {
        const RunLine line{m_list->count() + 1, row};
        auto* item = new QListWidgetItem(run_line_text(line, m_gap));
        item->setData(Qt::UserRole, QVariant::fromValue(line.number));
        item->setData(Qt::UserRole + 1, QVariant::fromValue(row.id));
        item->setData(Qt::UserRole + 2, QStringList{row.setTime, row.useTime, row.outTime, row.pauseTime, row.filename});
        m_list->addItem(item);
    }
    m_list->setUpdatesEnabled(true);
}

QList<RunLine> StatisticsWindow::lines() const
{
    QList<RunLine> out;
    out.reserve(m_list->count());
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        const QStringList kept = item->data(Qt::UserRole + 2).toStringList();
        RunLine line;
        line.number = item->data(Qt::UserRole).toInt();
        line.row = {item->data(Qt::UserRole + 1).toLongLong(), kept.value(0), kept.value(1), kept.value(2),
                    kept.value(3), kept.value(4)};
        out.append(line);
    }
    return out;
}

void StatisticsWindow::recordingToggled(bool on)
{
    if (!m_recording->isEnabled())
        return;
    if (!registry_values::set_time_record(m_ctx.registry, on))
        qWarning("statistics: the recording switch Time_Record was not stored");
    showNoticeByState();
    m_noticeTimer->setEnabled(false);
    m_noticeTimer->setEnabled(true);
}

void StatisticsWindow::showNoticeByState()
{
    m_notice->setVisible(!m_recording->isChecked());
}

void StatisticsWindow::deleteSelected()
{
    Notifier& notifier = m_ctx.notifier;
    if (m_list->count() == 0) {
        notifier.notice(QStringLiteral("没有记录可删除"), Notifier::Icon::None, 800);
        return;
    }
    QList<int> selected;
    for (int i = m_list->count() - 1; i >= 0; --i)
        if (m_list->item(i)->isSelected())
            selected.append(i);
    if (selected.isEmpty()) {
        notifier.notice(QStringLiteral("请鼠标选中待删除的行\r\r同时按下shift按钮可连续多选\r\r同时按下Ctrl按钮可间隔多选"),
                         Notifier::Icon::None, 5000);
        return;
    }
    if (!notifier.ask(QStringLiteral("确定删除数据吗？"), QStringLiteral("提示"))) {
        m_list->setFocus();
        return;
    }
    if (!m_ctx.folder.exists(QStringLiteral("DeskData.db")))
        return;
    QList<qint64> ids;
    for (const int i : selected)
        ids.append(m_list->item(i)->data(Qt::UserRole + 1).toLongLong());
    QString why;
    const int deleted = delete_runs(m_ctx.folder, ids, &why);
    // Bottom up, so the indices of the lines still to go stay valid.
    for (int k = 0; k < deleted; ++k)
        delete m_list->takeItem(selected.at(k));
    if (deleted < ids.size()) {
        qWarning().noquote() << "statistics: a record could not be deleted:" << why;
        notifier.notice(QStringLiteral("请使用最新版本的程序"), Notifier::Icon::None, 800);
        return;
    }
    m_list->clearSelection();
    const int next = selected.first() - deleted;
    if (next < 1) {
        if (m_list->count() > 0)
            m_list->setCurrentRow(0);
    } else {
        m_list->setCurrentRow(next);
    }
    m_list->setFocus();
    m_delete->setFocus();
}

void StatisticsWindow::exportLines()
{
    if (!m_ctx.folder.exists(QStringLiteral("DeskData.db")))
        return;
    if (m_list->count() == 0) {
        m_ctx.notifier.notice(QStringLiteral("没有记录导出"), Notifier::Icon::None, 800);
        return;
    }
    export_to_spreadsheet(m_ctx.folder, run_export_table(lines()), m_launcher, m_ctx.notifier);
}

} // namespace orvalen
