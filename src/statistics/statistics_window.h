#pragma once
#include "statistics/run_table_model.h"
#include "stores/run_log.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTableView;

namespace orvalen {

struct AppContext;
class EngineTimer;
class Launcher;

// The statistics window "统计": the recorded runs as a table (序号, 设置时间,
// 实用时间, 超时时间, 暂停时间, 阶段), the recording switch "启用统计", and
// 导出 / 删除 / 关闭. Shift and Ctrl extend the selection; deletes bind each
// line's ID_auto and the export is built from the table's model.
class StatisticsWindow final : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(AppContext& ctx, Launcher& launcher, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    // The lines as they stand (after deletes, numbers as shown).
    const QList<RunLine>& lines() const { return m_model->lines(); }
    const RunTableModel& model() const { return *m_model; }
    QTableView* table() const { return m_table; }
    QCheckBox* recordingSwitch() const { return m_recording; }
    QLabel* notice() const { return m_notice; }

    void exportLines();    // 导出
    void deleteSelected(); // 删除

    // Closing the window also closes its connection to DeskData.db.
    void done(int result) override;

private:
    void buildControls();
    void load();
    void recordingToggled(bool on);
    void showNoticeByState();
    void selectRow(int row);

    AppContext& m_ctx;
    Launcher& m_launcher;
    RunLog m_runs;
    RunTableModel* m_model = nullptr;
    QTableView* m_table = nullptr;
    QCheckBox* m_recording = nullptr;
    QLabel* m_notice = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
    std::unique_ptr<EngineTimer> m_noticeTimer;
};

} // namespace orvalen
