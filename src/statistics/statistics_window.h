#pragma once
#include "statistics/run_statistics.h"

#include <QDialog>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace orvalen {

struct AppContext;
class EngineTimer;
class Launcher;
class RunHeader;

// The statistics window "统计": the recorded runs one per line, the
// recording switch "启用统计", and 导出 / 删除 / 关闭. Each line keeps its
// number and its stored row; deletes bind the row's ID_auto and the export
// is built from the kept values.
class StatisticsWindow final : public QDialog {
    Q_OBJECT
public:
    StatisticsWindow(AppContext& ctx, Launcher& launcher, QWidget* parent = nullptr);
    ~StatisticsWindow() override;

    // The lines as they stand (after deletes, numbers as shown).
    QList<RunLine> lines() const;
    QListWidget* list() const { return m_list; }
    QCheckBox* recordingSwitch() const { return m_recording; }
    QLabel* notice() const { return m_notice; }

    void exportLines();   // 导出
    void deleteSelected(); // 删除

private:
    void load();
    void addLines(const QList<RunRow>& rows);
    void recordingToggled(bool on);
    void showNoticeByState();

    AppContext& m_ctx;
    Launcher& m_launcher;
    QString m_gap;
    RunHeader* m_header = nullptr;
    QListWidget* m_list = nullptr;
    QCheckBox* m_recording = nullptr;
    QLabel* m_notice = nullptr;
    QPushButton* m_export = nullptr;
    QPushButton* m_delete = nullptr;
    QPushButton* m_close = nullptr;
    std::unique_ptr<EngineTimer> m_noticeTimer;
};

} // namespace orvalen
