#pragma once
#include <QDateTime>
#include <QString>

namespace orvalen {

// Sets the computer's clock, where the program may. Tests hand in a fake
// that records the instants; nothing but the program itself ever uses
// LinuxSystemClockSetter.
class SystemClockSetter {
public:
    virtual ~SystemClockSetter() = default;
    // True when the program has the right to set the clock and no
    // time-synchronisation service already keeps it. `why` (optional) says
    // what stands in the way when false.
    virtual bool maySetClock(QString* why = nullptr) = 0;
    // Sets the clock to the UTC instant in one step; false when refused.
    virtual bool setClock(const QDateTime& utc) = 0;
};

// Linux: needs CAP_SYS_TIME (root has it) and sets CLOCK_REALTIME. A
// running chronyd, ntpd, openntpd or systemd-timesyncd means the clock is
// kept already and is left alone.
class LinuxSystemClockSetter final : public SystemClockSetter {
public:
    bool maySetClock(QString* why = nullptr) override;
    bool setClock(const QDateTime& utc) override;

    // The parts of maySetClock, for callers that want to say which.
    static bool hasTimeCapability();
    // The name of a running time-synchronisation daemon, or "".
    static QString runningTimeService();
};

} // namespace orvalen
