#include "startup/desk_data_check.h"

#include "platform/notifier.h"
#include "platform/save_file.h"
#include "services/app_context.h"
#include "stores/database.h"
#include "timing/pending_runs.h"

#include <QCoreApplication>
#include <QDebug>

namespace orvalen {

namespace {

const QString kUnusable = QStringLiteral("DeskData.db 无法使用，已保存的计划不会出现在菜单中，计时也不能记入统计。\n");

} // namespace

QString desk_data_problem(const ProgramFolder& folder)
{
    QString error;
    Database db = open_desk_data(folder, &error);
    if (!db.isOpen())
        return kUnusable + error;
    for (const char* table : {"deskclock", "timesum"}) {
        Statement count(db, QStringLiteral("SELECT count(*) AS n FROM %1").arg(QLatin1String(table)));
        if (!count.next())
            return kUnusable + QStringLiteral("%1 不是本程序的数据库（表 %2：%3）")
                                   .arg(db.path(), QLatin1String(table), count.error());
    }
    const QString damage = db.damage();
    if (!damage.isEmpty())
        return kUnusable + QStringLiteral("%1 已损坏（%2）").arg(db.path(), damage);
    if (db.isReadOnly() || is_read_only_file(db.path()))
        return QStringLiteral("DeskData.db 只能读取：%1 不可写入（程序文件夹只读或文件只读）。"
                              "已保存的计划可以使用，但新计划和统计无法保存。")
            .arg(db.path());
    return QString();
}

void check_desk_data(AppContext& context)
{
    const QString problem = desk_data_problem(context.folder);
    if (!problem.isEmpty()) {
        qWarning().noquote() << problem;
        if (context.notifier)
            context.notifier->notice(problem, Notifier::Icon::Warning);
        if (!read_pending_runs(context.folder).empty())
            retry_pending_runs_later(QCoreApplication::instance(), context.folder);
        return;
    }
    QString error;
    if (!write_pending_runs(context.folder, {}, &error)) {
        qWarning().noquote() << "The statistics rows that waited cannot be written yet:" << error;
        retry_pending_runs_later(QCoreApplication::instance(), context.folder);
    }
}

} // namespace orvalen
