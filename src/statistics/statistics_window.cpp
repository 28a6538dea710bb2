#include "statistics/statistics_window.h"

#include "platform/engine_timer.h"
#include "platform/notifier.h"
#include "services/app_context.h"
#include "services/row_table.h"
#include "services/spreadsheet_export.h"
#include "stores/registry_values.h"

#include <QCheckBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace orvalen {

namespace {

const QString kNoticeText = QStringLiteral("\r\n统计未启用\r\n\r\n暂停计时数据统计");

// The table's width of 6890 twips, in pixels of this screen.
int tableWidthPx(const QWidget& w)
{
    return qRound(6890.0 * w.logicalDpiX() / 1440.0);
}

QString displayText(const QString& text)
{
    QString shown = text;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

} // namespace

StatisticsWindow::StatisticsWindow(AppContext& ctx, Launcher& launcher, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_launcher(launcher), m_runs(ctx.folder)
{
    buildControls();

    // The notice goes 3 seconds after the window opens or the switch changes.
    m_noticeTimer = ctx.timers.create(QStringLiteral("statistics notice"));
    m_noticeTimer->setInterval(3000);
    m_noticeTimer->setHandler([this] {
        m_noticeTimer->setEnabled(false);
        m_notice->hide();
    });
    m_noticeTimer->setEnabled(true);

    load();
    m_notice->move((m_table->minimumWidth() - m_notice->width()) / 2, 120);
    m_table->setFocus();
}

StatisticsWindow::~StatisticsWindow() = default;

void StatisticsWindow::done(int result)
{
    m_runs.closeConnection();
    QDialog::done(result);
}

void StatisticsWindow::buildControls()
{
    setWindowTitle(QStringLiteral("统计"));
    setModal(true);

    m_model = new RunTableModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_model);
    m_table->setObjectName(QStringLiteral("runTable"));
    QStringList titles;
    for (int c = 0; c < m_model->columnCount(); ++c)
        titles << m_model->headerData(c, Qt::Horizontal).toString();
    m_table->setAccessibleName(titles.join(QLatin1Char(' ')));
    setUpRowTable(*m_table);
    m_table->setShowGrid(false);
    QHeaderView* header = m_table->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setHighlightSections(false);
    // Each column as wide as its title or its usual value; the label column
    // takes the rest, at least room for a label of date and time.
    const QFontMetrics metrics = m_table->fontMetrics();
    const QStringList usual{QStringLiteral("0000"), QStringLiteral("00:00:00"), QStringLiteral("00:00:00"),
                            QStringLiteral("00:00:00"), QStringLiteral("00:00:00"),
                            QStringLiteral("2026-12-09 10:00:00")};
    int width = 2 * m_table->frameWidth();
    for (int c = 0; c < usual.size(); ++c) {
        const int section = std::max(metrics.horizontalAdvance(usual[c]),
                                     header->fontMetrics().horizontalAdvance(titles[c])) + 16;
        header->resizeSection(c, section);
        width += section;
    }
    header->setStretchLastSection(true);
    m_table->setMinimumSize(std::max(tableWidthPx(*this), width), qRound(6360.0 * logicalDpiY() / 1440.0));

    m_notice = new QLabel(displayText(kNoticeText), m_table);
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

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_recording);
    buttons->addStretch(1);
    buttons->addWidget(m_export);
    buttons->addWidget(m_delete);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_export, &QPushButton::clicked, this, &StatisticsWindow::exportLines);
    connect(m_delete, &QPushButton::clicked, this, &StatisticsWindow::deleteSelected);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_recording, &QCheckBox::toggled, this, &StatisticsWindow::recordingToggled);
}

void StatisticsWindow::load()
{
    QList<RunRow> rows;
    QString why;
    const RunLog::Listing result = m_runs.list(&rows, &why);
    if (result == RunLog::Listing::NoDatabase)
        return;
    m_model->appendRows(rows);
    if (result == RunLog::Listing::Failed || result == RunLog::Listing::NoLibrary) {
        qWarning().noquote() << "statistics: the records could not be read:" << why;
        QString text = QStringLiteral("操作系统是精简版本，不支持本功能");
        if (result == RunLog::Listing::NoLibrary)
            text += QStringLiteral("\r\r") + why;
        m_ctx.notifier.notice(text);
        showNoticeByState();
        return;
    }
    // Set while the switch is disabled: loading writes nothing.
    m_recording->setChecked(registry_values::timeRecord(m_ctx.registry));
    m_recording->setEnabled(true);
    showNoticeByState();
}

void StatisticsWindow::recordingToggled(bool on)
{
    if (!m_recording->isEnabled())
        return;
    if (!registry_values::setTimeRecord(m_ctx.registry, on))
        qWarning("statistics: the recording switch Time_Record was not stored");
    showNoticeByState();
    m_noticeTimer->setEnabled(false);
    m_noticeTimer->setEnabled(true);
}

void StatisticsWindow::showNoticeByState()
{
    m_notice->setVisible(!m_recording->isChecked());
}

void StatisticsWindow::selectRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    m_table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_table->scrollTo(index);
}

void StatisticsWindow::deleteSelected()
{
    Notifier& notifier = m_ctx.notifier;
    if (m_model->rowCount() == 0) {
        notifier.notice(QStringLiteral("没有记录可删除"), Notifier::Icon::None, 800);
        return;
    }
    // Bottom up, so the rows of the lines still to go stay where they are.
    QList<int> selected;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        selected.append(index.row());
    std::sort(selected.begin(), selected.end(), std::greater<>());
    if (selected.isEmpty()) {
        notifier.notice(QStringLiteral("请鼠标选中待删除的行\r\r同时按下shift按钮可连续多选\r\r同时按下Ctrl按钮可间隔多选"),
                         Notifier::Icon::None, 5000);
        return;
    }
    if (!notifier.ask(QStringLiteral("确定删除数据吗？"), QStringLiteral("提示"))) {
        m_table->setFocus();
        return;
    }
    if (!m_runs.fileExists())
        return;
    QList<qint64> ids;
    for (const int row : selected)
        ids.append(lines().at(row).row.id);
    QString why;
    const int deleted = m_runs.remove(ids, &why);
    for (int k = 0; k < deleted; ++k)
        m_model->removeLine(selected.at(k));
    if (deleted < ids.size()) {
        qWarning().noquote() << "statistics: a record could not be deleted:" << why;
        notifier.notice(QStringLiteral("请使用最新版本的程序"), Notifier::Icon::None, 800);
        return;
    }
    m_table->clearSelection();
    const int next = selected.first() - deleted;
    if (next >= 1)
        selectRow(next);
    else if (m_model->rowCount() > 0)
        selectRow(0);
    m_table->setFocus();
    m_delete->setFocus();
}

void StatisticsWindow::exportLines()
{
    if (!m_runs.fileExists())
        return;
    if (m_model->rowCount() == 0) {
        m_ctx.notifier.notice(QStringLiteral("没有记录导出"), Notifier::Icon::None, 800);
        return;
    }
    exportToSpreadsheet(m_ctx.folder, m_model->exportTable(), m_launcher, m_ctx.notifier);
}

} // namespace orvalen
