#pragma once
#include "services/time_conversions.h"
#include "platform/system_clock_setter.h"
#include "services/network_probes.h"
#include "support/date_server.h"
#include "support/wait_until.h"
#include "timing/calibrated_clock.h"
#include "timing/engine_fixture.h"
#include "timing/long_term_display.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>
#include <array>

namespace orvalen::test {

// Records the instants; never touches the real clock.
class FakeClockSetter final : public SystemClockSetter {
public:
    bool may_set_clock(QString* why) override
    {
        if (!allowed && why)
            *why = QStringLiteral("not allowed here");
        return allowed;
    }
    bool set_clock(const QDateTime& utc) override
    {
        instants.push_back(utc);
        return !refuse;
    }
    bool allowed = false;
    bool refuse = false;
    std::vector<QDateTime> instants;
};

// An HTTP Date header for an instant.
inline QByteArray date_header(const QDateTime& instant)
{
    return QLocale::c().toString(instant.toUTC(), QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'")).toLatin1();
}

// Keeps the warnings of the long-term display's log while it lives.
class LongTermWarnings {
public:
    LongTermWarnings()
    {
        lines().clear();
        m_old = qInstallMessageHandler(&LongTermWarnings::keep);
    }
    ~LongTermWarnings() { qInstallMessageHandler(m_old); }
    static QStringList& lines()
    {
        static QStringList kept;
        return kept;
    }

private:
    static void keep(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type == QtWarningMsg && QByteArray(context.category) == "orvalen.longterm")
            lines() << text;
    }
    QtMessageHandler m_old = nullptr;
};

// The display window with the count engine, the run commands and the
// long-term display, whose network time asks two web servers on 127.0.0.1.
// The clock starts on Tuesday 2026-12-08 at 09:00:00.
class LongTermTest : public EngineTest {
protected:
    // A long-term plan counting to `target` (2000-01-01: the live clock) in
    // long-term format `format`.
    ClockPlan longTermPlan(const QDateTime& target, int format) const
    {
        ClockPlan p = defaultPlan();
        p.checkone = QStringLiteral("1111111");
        p.time_date = target.date();
        p.Time_all = target.time();
        p.combolist = QString::number(format) + QStringLiteral("01");
        return p;
    }

    // Stores the plan and loads the display; the set-up runs 100 ms later.
    DisplayWindow& openLongTerm(const ClockPlan& plan)
    {
        build(plan, QStringLiteral("0"));
        longTerm = std::make_unique<LongTermDisplay>(*window, *commands, probes, setter,
                                                     QList<QUrl>{portals[0].url(), portals[1].url()});
        return load();
    }

    void TearDown() override
    {
        longTerm.reset();
        engine.reset();
        commands.reset();
        window.reset();
    }

    // Moves the wall clock so that it reads `wall` (at least 2 ms into its
    // second) after a second of ticks: a jump of the clock shows at the next
    // whole-second tick.
    void jumpTo(const QDateTime& wall)
    {
        program.clock.setNow(wall.addMSecs(-1002));
        advance(1002);
    }

    QString dateLine() const { return window->textLabels[2]->text(); }
    QString prompt() const { return window->textLabels[3]->text(); }
    static QString weekday(const QDate& d) { return weekday_name(d); }

    std::array<DateServer, 2> portals;
    QtNetworkProbes probes{program.timers};
    FakeClockSetter setter;
    std::unique_ptr<LongTermDisplay> longTerm;
};

} // namespace orvalen::test
