// The floor the screen benchmarks compare against: the least a Qt 6
// program does to show a clock, one full-screen label at 150 pt.
//
//   floor_clock live          the time of day, hh:mm:ss
//   floor_clock count SECONDS a count-down that starts at a key press
//   floor_clock still         one still text (for the first frame)
//   floor_clock scroll WIDTH_PX STEP_PX INTERVAL_MS POINTS TEXT
//                             a line of text running right to left through
//                             a strip WIDTH_PX wide, STEP_PX every INTERVAL_MS
#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QStaticText>
#include <QTimer>
#include <cmath>

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

// The scrolling line: a strip that paints its text, laid out once, at the
// line's place; only the strip is painted again at each step.
class FloorScroll : public QWidget {
public:
    FloorScroll(QWidget* parent, double step, int intervalMs, double points, const QString& text)
        : QWidget(parent), m_text(text), m_step(step)
    {
        QFont f = font();
        f.setPointSizeF(points);
        setFont(f);
        m_text.prepare(QTransform(), f);
        setAttribute(Qt::WA_OpaquePaintEvent);
        m_tick.setInterval(intervalMs);
        QObject::connect(&m_tick, &QTimer::timeout, this, [this] {
            m_left -= m_step;
            if (m_left + m_text.size().width() < 0)
                m_left = width();
            update();
        });
        m_tick.start();
    }
    int lineHeight() const { return int(std::ceil(m_text.size().height())); }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::black);
        p.setPen(Qt::white);
        p.drawStaticText(QPointF(m_left, 0), m_text);
    }

private:
    QStaticText m_text;
    double m_step;
    double m_left = 0;
    QTimer m_tick;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("still");
    if (mode == QLatin1String("scroll") && argc > 6) {
        QWidget screen;
        screen.setStyleSheet(QStringLiteral("background: black"));
        auto* line = new FloorScroll(&screen, std::atof(argv[3]), std::atoi(argv[4]), std::atof(argv[5]),
                                     QString::fromLocal8Bit(argv[6]));
        screen.setGeometry(screen.screen()->geometry());
        line->setGeometry((screen.width() - std::atoi(argv[2])) / 2, screen.height() / 2, std::atoi(argv[2]),
                          line->lineHeight());
        screen.showFullScreen();
        return app.exec();
    }
    FloorClock clock(mode, argc > 2 ? std::atoi(argv[2]) : 600);
    if (mode == QLatin1String("still"))
        clock.setText(QStringLiteral("10:00"));
    clock.setGeometry(clock.screen()->geometry());
    clock.showFullScreen();
    return app.exec();
}
