// The floor the screen benchmarks compare against: the least a Qt 6
// program does to show a clock, one full-screen label at 150 pt.
//
//   floor_clock live          the time of day, hh:mm:ss
//   floor_clock count SECONDS a count-down that starts at a key press
//   floor_clock still         one still text (for the first frame)
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace {

class FloorClock : public QLabel {
public:
    FloorClock(QString mode, int seconds) : m_mode(std::move(mode)), m_seconds(seconds)
    {
        QFont f = font();
        f.setPointSize(150);
        setFont(f);
        setAlignment(Qt::AlignCenter);
        setStyleSheet(QStringLiteral("background: black; color: white"));
        m_tick.setSingleShot(true);
        m_tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_tick, &QTimer::timeout, this, [this] { show_time(); });
        if (m_mode == QLatin1String("live"))
            show_time();
        else
            setText(count_text(m_seconds));
    }

protected:
    // The count starts with the first key that is no modifier (the S of
    // Ctrl+Alt+S, like the program's start hotkey).
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        const bool modifier = key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta;
        if (m_mode != QLatin1String("count") || m_count.isValid() || modifier)
            return;
        m_count.start();
        show_time();
    }

private:
    static QString count_text(qint64 s)
    {
        return QStringLiteral("%1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
    }
    // Shows the time and re-arms just after the next whole second.
    void show_time()
    {
        if (m_mode == QLatin1String("live")) {
            const QTime now = QTime::currentTime();
            setText(now.toString(QStringLiteral("hh:mm:ss")));
            m_tick.start(1000 - now.msec() + 1);
        } else {
            const qint64 ms = m_count.elapsed();
            setText(count_text(std::max<qint64>(0, m_seconds - ms / 1000)));
            m_tick.start(int(1000 - ms % 1000 + 1));
        }
    }

    QString m_mode;
    int m_seconds;
    QTimer m_tick;
    QElapsedTimer m_count;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("still");
    FloorClock clock(mode, argc > 2 ? std::atoi(argv[2]) : 600);
    if (mode == QLatin1String("still"))
        clock.setText(QStringLiteral("10:00"));
    clock.setGeometry(clock.screen()->geometry());
    clock.showFullScreen();
    return app.exec();
}
