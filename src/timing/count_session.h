#pragma once
#include <QDateTime>
#include <QString>
#include <QTime>

namespace orvalen {

// What the statistics row of a run is made of. A count banks its counted
// times here when it pauses or ends.
struct RunRecord {
    QTime setTime{0, 0};         // the plan's length; a long-term run: the time of day of its set-up
    QDateTime setUpInstant;      // a long-term run's set-up, to the second (none for a count)
    qint64 countedDownMs = 0;    // count-down time
    qint64 countedUpMs = 0;      // count-up or overtime time
    qint64 pausedMs = 0;         // time spent paused
    QString label = QStringLiteral("0"); // the run label; empty: the time the row is written
    bool operator==(const RunRecord&) const = default;
};

// The values of the count under way, which the set-ups write and the ticks
// read: where the count started, the plan length it counts against, the run
// record it banks into, and the marks for the next set-up and a delayed
// restart. The engine owns it; the rest of the program reaches it through
// the run commands.
class CountSession {
public:
    // The count's start, in milliseconds of the clock source.
    qint64 startReferenceMs() const { return m_startReferenceMs; }
    void setStartReferenceMs(qint64 ms) { m_startReferenceMs = ms; }
    // Time of day, in whole seconds, at the count's start (or its last pause).
    QTime startTimeOfDay() const { return m_startTimeOfDay; }
    void setStartTimeOfDay(const QTime& time) { m_startTimeOfDay = time; }

    // The plan length the count runs against.
    int planLengthSeconds() const { return m_planLengthSeconds; }
    qint64 planLengthMs() const { return qint64(m_planLengthSeconds) * 1000; }
    void setPlanLengthSeconds(int seconds) { m_planLengthSeconds = seconds; }

    RunRecord& record() { return m_record; }
    const RunRecord& record() const { return m_record; }

    // The next set-up only prepares the display; it starts no run.
    bool prepareOnly() const { return m_prepareOnly; }
    void setPrepareOnly(bool prepareOnly) { m_prepareOnly = prepareOnly; }

    // Seconds left before a delayed restart.
    int restartSecondsLeft() const { return m_restartSecondsLeft; }
    void setRestartSecondsLeft(int seconds) { m_restartSecondsLeft = seconds; }

private:
    qint64 m_startReferenceMs = 0;
    QTime m_startTimeOfDay;
    int m_planLengthSeconds = 0;
    RunRecord m_record;
    bool m_prepareOnly = false;
    int m_restartSecondsLeft = 0;
};

} // namespace orvalen
