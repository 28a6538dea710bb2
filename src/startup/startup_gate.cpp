#include "startup/startup_gate.h"

#include "platform/notifier.h"
#include "platform/program_folder.h"
#include "platform/registry_store.h"
#include "platform/text_path.h"
#include "stores/plan_store.h"
#include "stores/time_data_keys.h"

#include <QFileInfo>
#include <QStringList>
#include <cmath>

namespace orvalen {

namespace {

const QString kVersionValue = QStringLiteral("vision");

// The stored settings version in tenths; absent, not a number or 0 counts
// as 1.0.
double storedVersionTenths(const RegistryStore& registry)
{
    double stored = 0;
    if (const auto value = registry.read(kVersionValue)) {
        if (value->type == RegistryStore::Type::String)
            stored = leadingNumber(value->text);
        else if (value->type == RegistryStore::Type::Dword)
            stored = value->dword;
    }
    if (stored == 0 || !std::isfinite(stored))
        stored = 1.0;
    return std::round(stored * 10);
}

// "4" for 4.0, "4.1" for 4.1: always with ".", whatever the locale.
QString versionText(const ProgramVersion& v)
{
    return v.minor == 0 ? QString::number(v.major) : QStringLiteral("%1.%2").arg(v.major).arg(v.minor);
}

} // namespace

bool checkProgramVersion(RegistryStore& registry, Notifier& notifier, ProgramVersion version)
{
    const double program = double(version.major) * 10 + version.minor;
    const double stored = storedVersionTenths(registry);
    if (stored > program) {
        notifier.notice(QStringLiteral("请使用最新版本"));
        return false;
    }
    if (stored < program) {
        deletePlan(registry);
        registry.writeText(kVersionValue, versionText(version));
    }
    return true;
}

bool checkProgramFiles(const ProgramFolder& folder, Notifier& notifier)
{
    QStringList missing;
    for (const QString& name : {QStringLiteral("DeskData.db"), QStringLiteral("help.CHM"), time_data::kFile}) {
        const QString path = folder.resolve(name);
        if (path.isEmpty() || !QFileInfo(path).isFile())
            missing << name;
    }
    if (!missing.isEmpty())
        notifier.notice(QStringLiteral("保持程序完整，请重新安装\n缺少文件：%1（程序文件夹 %2）")
                            .arg(missing.join(QStringLiteral("、")), folder.path()));
    return missing.isEmpty();
}

bool startupCheck(RegistryStore& registry, const ProgramFolder& folder, Notifier& notifier,
                   ProgramVersion version)
{
    if (!checkProgramVersion(registry, notifier, version))
        return false;
    return checkProgramFiles(folder, notifier);
}

} // namespace orvalen
