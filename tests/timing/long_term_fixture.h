#pragma once
#include "services/time_conversions.h"
#include "support/wait_until.h"
#include "timing/calibrated_clock.h"
#include "timing/engine_fixture.h"
#include "timing/long_term_display.h"
#include "stores/plan_codec.h"

#include <QByteArray>
#include <QLocale>
#include <QStringList>
#include <array>

namespace orvalen::test {

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

// The display window with its engine, for long-term plans. The clock starts
// on Tuesday 2026-12-08 at 09:00:00.
class LongTermTest : public EngineTest {
protected:
    // A long-term plan counting to `target` (2000-01-01: the live clock) in
    // long-term format `format`.
    ClockPlan longTermPlan(const QDateTime& target, int format) const
    {
        ClockPlan p = defaultPlan();
        plan_codec::setFieldText(p, "checkone", QStringLiteral("1111111"));
        p.time_date = target.date();
        p.Time_all = target.time();
        plan_codec::setFieldText(p, "combolist", QString::number(format) + QStringLiteral("01"));
        return p;
    }

    // Stores the plan and loads the display; a long-term plan loads at
    // 09:00:00.100 and queues its set-up.
    DisplayWindow& openLongTerm(const ClockPlan& plan)
    {
        build(plan, QStringLiteral("0"));
        if (plan.longTerm)
            program.clock.step(100);
        return load();
    }

    // Moves the wall clock so that it reads `wall` (at least 2 ms into its
    // second) after a second of ticks: a jump of the clock shows at the next
    // whole-second tick.
    void jumpTo(const QDateTime& wall)
    {
        program.clock.setNow(wall.addMSecs(-1002));
        advance(1002);
    }

    QString dateLine() const { return windowLabel("textLabel2")->text(); }
    QString prompt() const { return windowLabel("textLabel3")->text(); }
    static QString weekday(const QDate& d) { return weekdayName(d); }

    LongTermDisplay& longTerm() { return engine->longTerm(); }
};

} // namespace orvalen::test
