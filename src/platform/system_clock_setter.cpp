#include "platform/system_clock_setter.h"

#include <QDir>
#include <QFile>
#include <QStringList>

#include <cerrno>
#include <ctime>

namespace orvalen {
namespace {

constexpr int kCapSysTime = 25; // bit of CAP_SYS_TIME in the capability masks

// Process names of the daemons that keep the clock in time. The kernel
// cuts names to 15 characters ("systemd-timesyncd" -> "systemd-timesyn").
const QStringList& timeServiceNames()
{
    static const QStringList names{"systemd-timesyn", "chronyd", "ntpd", "openntpd", "ntpd-rs",
                                   "timemaster", "ptp4l", "phc2sys"};
    return names;
}

} // namespace

bool LinuxSystemClockSetter::hasTimeCapability()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!status.atEnd()) {
        const QByteArray line = status.readLine();
        if (!line.startsWith("CapEff:"))
            continue;
        bool ok = false;
        const quint64 mask = line.mid(7).trimmed().toULongLong(&ok, 16);
        return ok && (mask >> kCapSysTime) & 1U;
    }
    return false;
}

QString LinuxSystemClockSetter::runningTimeService()
{
    const QDir proc(QStringLiteral("/proc"));
    const QStringList entries = proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool isPid = false;
        entry.toInt(&isPid);
        if (!isPid)
            continue;
        QFile comm(proc.filePath(entry + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly))
            continue;
        const QString name = QString::fromUtf8(comm.readAll()).trimmed();
        if (timeServiceNames().contains(name))
            return name;
    }
    return QString();
}

bool LinuxSystemClockSetter::maySetClock(QString* why)
{
    if (!hasTimeCapability()) {
        if (why)
            *why = QStringLiteral("no right to set the clock (CAP_SYS_TIME)");
        return false;
    }
    const QString service = runningTimeService();
    if (!service.isEmpty()) {
        if (why)
            *why = QStringLiteral("the clock is kept by %1").arg(service);
        return false;
    }
    return true;
}

bool LinuxSystemClockSetter::setClock(const QDateTime& utc)
{
    if (!utc.isValid())
        return false;
    const qint64 ms = utc.toMSecsSinceEpoch();
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>((ms % 1000) * 1'000'000);
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

} // namespace orvalen
