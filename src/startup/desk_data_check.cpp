#include "startup/desk_data_check.h"

#include "platform/notifier.h"
#include "platform/program_folder.h"
#include "platform/save_file.h"
#include "services/app_context.h"
#include "stores/database.h"
#include "stores/desk_data_schema.h"
#include "stores/pending_runs.h"
#include "timing/pending_runs_retry.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStorageInfo>
#include <QStringList>
#include <QDebug>

namespace orvalen {

namespace {

const QString kUnusable = QStringLiteral("DeskData.db 无法使用，已保存的计划不会出现在菜单中，计时也不能记入统计。\n");

QString fullDiskMessage(const ProgramFolder& folder)
{
    return QStringLiteral("磁盘已满：程序文件夹 %1 所在的磁盘没有剩余空间。"
                          "腾出空间之前，设置、新计划和统计都无法保存；已保存的计划可以使用。")
        .arg(folder.path());
}

bool onSameDisk(const QString& file, const ProgramFolder& folder)
{
    return QStorageInfo(QFileInfo(file).absolutePath()).device() == QStorageInfo(folder.path()).device();
}

} // namespace

QString deskDataProblem(const ProgramFolder& folder)
{
    QString error;
    Database db = openDeskData(folder, &error);
    if (!db.isOpen())
        return kUnusable + error;
    QString cause;
    const QString table = unreadableDeskDataTable(db, &cause);
    if (!table.isEmpty())
        return kUnusable + QStringLiteral("%1 不是本程序的数据库（表 %2：%3）").arg(db.path(), table, cause);
    const QString damage = db.damage();
    if (!damage.isEmpty())
        return kUnusable + QStringLiteral("%1 已损坏（%2）").arg(db.path(), damage);
    bool diskFull = false;
    if (db.isReadOnly() && !folderWriteProblem(folder.path(), &diskFull).isEmpty() && diskFull)
        return fullDiskMessage(folder);
    if (db.isReadOnly() || isReadOnlyFile(db.path()))
        return QStringLiteral("DeskData.db 只能读取：%1 不可写入（程序文件夹只读或文件只读）。"
                              "已保存的计划可以使用，但新计划和统计无法保存。")
            .arg(db.path());
    return QString();
}

void checkDeskData(AppContext& context, const QList<FailedSave>& failedSaves)
{
    const QString problem = deskDataProblem(context.folder);
    QStringList texts;
    if (!problem.isEmpty())
        texts << problem;
    bool diskFull = false;
    if (!failedSaves.isEmpty())
        folderWriteProblem(context.folder.path(), &diskFull);
    for (const FailedSave& failed : failedSaves) {
        // A full disk is one cause, told once for every file on it.
        const bool covered = diskFull && onSameDisk(failed.path, context.folder);
        const QString text = covered ? fullDiskMessage(context.folder)
                                     : QStringLiteral("无法保存 %1：%2").arg(failed.path, failed.error);
        if (!texts.contains(text))
            texts << text;
    }
    if (!texts.isEmpty())
        context.notifier.notice(texts.join(u'\n'), Notifier::Icon::Warning);
    if (!problem.isEmpty()) {
        qWarning().noquote() << problem;
        if (!readPendingRuns(context.folder).empty())
            retryPendingRunsLater(QCoreApplication::instance(), context.folder);
        return;
    }
    QString error;
    if (!writePendingRuns(context.folder, {}, &error)) {
        qWarning().noquote() << "The statistics rows that waited cannot be written yet:" << error;
        retryPendingRunsLater(QCoreApplication::instance(), context.folder);
    }
}

} // namespace orvalen
