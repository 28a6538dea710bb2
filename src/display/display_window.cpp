#include "display/display_window.h"

#include "display/colour.h"
#include "display/display_host.h"
#include "display/fonts.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "services/tray_icon.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

namespace orvalen {
namespace {

const QColor kRed(255, 0, 0);

QFont designer_font(const QString& family, double points)
{
    QFont f(display_family(family));
    f.setPointSizeF(points);
    return f;
}

// The window icon: a small clock face, 32 x 32.
QIcon make_icon()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 0, 128));
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(2, 2, 28, 28);
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(16, 16, 16, 7);
    p.drawLine(16, 16, 23, 16);
    return QIcon(pm);
}

} // namespace

ScreenMetrics ScreenMetrics::fromPrimaryScreen()
{
    ScreenMetrics m;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return m;
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    m.tppX = dpiX > 0 ? 1440.0 / dpiX : 15.0;
    m.tppY = dpiY > 0 ? 1440.0 / dpiY : 15.0;
    m.fullWidthPx = screen->availableGeometry().width();
    m.fullHeightPx = screen->availableGeometry().height();
    m.screenWidthPx = screen->geometry().width();
    return m;
}

DisplayWindow::DisplayWindow(AppContext& ctx, HostState& host, ModuleState& module,
                             DisplayHost& displayHost, QWidget* parent)
    : QWidget(parent), m_ctx(ctx), m_host(host), m_module(module), m_displayHost(displayHost)
{
    install_cjk_substitutions();
    m_screen = ScreenMetrics::fromPrimaryScreen();
    setObjectName("desk_clock");
    setWindowTitle(QStringLiteral("Orvalen(全屏版)"));
    Pic1 = make_icon();
    setWindowIcon(Pic1);
    createControls();
    createTimers();
    Timer2->setHandler([this] { Timer2_Timer(); });
    Timer7->setHandler([this] { Timer7_Timer(); });
}

DisplayWindow::~DisplayWindow()
{
    // Timers stop before the controls they paint go away.
    for (auto* t : {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5, &Timer7, &Timer9, &Timer10,
                    &Timer11, &Timer12}) {
        if (*t) {
            (*t)->setEnabled(false);
            (*t)->setHandler({});
        }
    }
    // The close-down normally ran already; without it, the video and the
    // tray icon still go (the host may be gone by now, so it is not called).
    if (logo_media_control) {
        logo_media_control->stop();
        logo_media_control.reset();
    }
    if (mcTray)
        mcTray->DelTrayIcon();
}

BackgroundBox* DisplayWindow::background() const
{
    return static_cast<BackgroundBox*>(Picture2);
}

void DisplayWindow::createControls()
{
    const QColor window = colour_from_value(0x80000005LL, Qt::white);
    const QColor text = colour_from_value(0x80000008LL, Qt::black);

    auto* box = new BackgroundBox(this);
    box->setObjectName("Picture2");
    box->setFont(designer_font("Arial", 9));
    box->setBackColor(window);
    box->setMouseTracking(true);
    Picture2 = box;
    setTwipsGeometry(Picture2, 0, 0, 14400, 10800);

    auto makeLabel = [&](const QString& name, const QString& caption, QWidget* parent,
                         const QString& family, double pt) {
        auto* l = new QLabel(caption, parent);
        l->setObjectName(name);
        l->setAutoFillBackground(false);
        l->setMargin(0);
        l->setIndent(0);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setTextFormat(Qt::PlainText);
        l->setFont(designer_font(family, pt));
        return l;
    };
    auto makePanel = [&](const QString& name, double w, double h) {
        auto* p = new Panel(Picture2);
        p->setObjectName(name);
        p->setBackColor(window);
        p->setForeColor(text);
        setTwipsGeometry(p, 0, 0, w, h);
        return p;
    };

    // Title: a label straight on the background.
    Label2[0] = makeLabel("Label2_0", QStringLiteral("主标题"), Picture2, "宋体", 72);
    setForeColour(Label2[0], text);

    static const char* captions[5] = {"", "副标题", "阶段", "提示文本", "动态"};
    static const double panelW[5] = {0, 3255, 3255, 3495, 4695};
    static const double panelH[5] = {0, 1455, 1455, 1455, 1215};
    static const double labelPt[5] = {0, 42, 72, 42, 42};
    for (int i = 1; i <= 4; ++i) {
        Picture6[i] = makePanel(QStringLiteral("Picture6_%1").arg(i), panelW[i], panelH[i]);
        Label2[i] = makeLabel(QStringLiteral("Label2_%1").arg(i), QString::fromUtf8(captions[i]),
                              Picture6[i], i == 4 ? "新宋体" : "宋体", labelPt[i]);
        Picture6[i]->setAccessibleName(Label2[i]->text());
        setForeColour(Label2[i], text);
    }
    setTwipsLeft(Label2[4], 640);

    Picture1 = makePanel("Picture1", 2175, 900);
    Picture1->setFont(designer_font("新宋体", 80.25));
    Picture1->setForeColor(kRed);
    Label3 = makeLabel("Label3", QStringLiteral("时钟"), Picture1, "新宋体", 80.25);
    Label3->hide();

    Picture4 = makePanel("Picture4", 2175, 900);
    Picture4->setFont(designer_font("新宋体", 80.25));
    Picture4->setForeColor(kRed);
    Label4 = makeLabel("Label4", QStringLiteral("超时时钟"), Picture4, "新宋体", 80.25);
    Label4->hide();
    Picture4->hide();

    Picture5 = makePanel("Picture5", 3090, 3225);
    Picture5->hide();

    static const char* buttons[5] = {" 开始 ", " 停止 ", " 暂停 ", " 设置 ", " 退出 "};
    for (int i = 0; i < 5; ++i) {
        auto* b = makeLabel(QStringLiteral("Label9_%1").arg(i), QString::fromUtf8(buttons[i]), Picture2,
                            "宋体", 21.75);
        b->setToolTip(QStringLiteral("右键更多选项…"));
        b->setMouseTracking(true);
        setForeColour(b, text);
        setTwipsGeometry(b, 0, 0, 1350, 465);
        Label9[i] = b;
    }

    Label7 = makeLabel("Label7", QStringLiteral("Label7"), Picture2, "宋体", 9);
    Label7->hide();

    // Windowless labels lie beneath the picture boxes of their container.
    Label2[0]->lower();
    for (auto* b : Label9)
        b->lower();

    // Every element hears the pointer, also when no button is held, so a
    // hover over an element does not count as a hover over the background.
    for (QWidget* w : Picture2->findChildren<QWidget*>()) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }
    Picture2->installEventFilter(this);
    for (QLabel* l : {Label2[0], Label2[1], Label2[2], Label2[3], Label2[4], Label3, Label4, Label7})
        autoSize(l);
}

void DisplayWindow::createTimers()
{
    struct TimerSetting {
        std::unique_ptr<EngineTimer>* timer;
        const char* name;
        int interval;
    };
    const TimerSetting settings[] = {{&Timer1, "Timer1", 500},  {&Timer2, "Timer2", 1000},   {&Timer3, "Timer3", 1000},
                          {&Timer4, "Timer4", 500},  {&Timer5, "Timer5", 100},    {&Timer7, "Timer7", 1000},
                          {&Timer9, "Timer9", 100},  {&Timer10, "Timer10", 0}  ,  {&Timer11, "Timer11", 1000},
                          {&Timer12, "Timer12", 60000}};
    TimerFactory* factory = m_ctx.timers;
    static QtTimerFactory fallbackFactory;
    if (!factory)
        factory = &fallbackFactory;
    for (const TimerSetting& s : settings) {
        *s.timer = factory->create(QString::fromLatin1(s.name));
        (*s.timer)->setInterval(s.interval);
        (*s.timer)->setEnabled(false);
    }
}

// --- screen ------------------------------------------------------------------

double DisplayWindow::twipsPerPixelX() const
{
    return m_screen.tppX > 0 ? m_screen.tppX : 15.0;
}

double DisplayWindow::twipsPerPixelY() const
{
    return m_screen.tppY > 0 ? m_screen.tppY : 15.0;
}

void DisplayWindow::fillScreen(QScreen* target)
{
    // Under a window manager the full-screen state takes the decorations
    // away and covers the screen; without one nothing sizes the window, so
    // the geometry of a new screen is set by hand as well.
    if (target)
        setGeometry(target->geometry());
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) | Qt::WindowFullScreen);
}

void DisplayWindow::setScreenMetrics(const ScreenMetrics& metrics)
{
    m_screen = metrics;
    m_fixedScreen = true;
    for (auto it = m_twips.begin(); it != m_twips.end(); ++it)
        syncPixelGeometry(const_cast<QWidget*>(it.key()));
}

// --- twips geometry ------------------------------------------------------------

QRectF& DisplayWindow::twipsRect(const QWidget* w) const
{
    auto it = m_twips.find(w);
    if (it == m_twips.end()) {
        const double tx = twipsPerPixelX(), ty = twipsPerPixelY();
        const QRect g = w->geometry();
        it = m_twips.insert(w, QRectF(g.x() * tx, g.y() * ty, g.width() * tx, g.height() * ty));
    }
    return *it;
}

bool DisplayWindow::isAutoSize(const QWidget* w) const
{
    if (!w)
        return false;
    return w == Label2[0] || w == Label2[1] || w == Label2[2] || w == Label2[3] || w == Label2[4] ||
           w == Label3 || w == Label4 || w == Label7;
}

void DisplayWindow::syncPixelGeometry(QWidget* w)
{
    if (!w)
        return;
    const QRectF& r = twipsRect(w);
    const double tx = twipsPerPixelX(), ty = twipsPerPixelY();
    auto px = [](double v, double tpp) {
        const double p = std::clamp(v / tpp, -1e6, 1e6);
        return int(std::lround(p));
    };
    w->setGeometry(px(r.left(), tx), px(r.top(), ty), std::max(0, px(r.width(), tx)),
                   std::max(0, px(r.height(), ty)));
}

double DisplayWindow::twipsLeft(const QWidget* w) const { return w ? twipsRect(w).left() : 0; }
double DisplayWindow::twipsTop(const QWidget* w) const { return w ? twipsRect(w).top() : 0; }
double DisplayWindow::twipsWidth(const QWidget* w) const { return w ? twipsRect(w).width() : 0; }
double DisplayWindow::twipsHeight(const QWidget* w) const { return w ? twipsRect(w).height() : 0; }

void DisplayWindow::setTwipsLeft(QWidget* w, double left)
{
    if (!w || !std::isfinite(left))
        return;
    QRectF& r = twipsRect(w);
    r.moveLeft(left);
    syncPixelGeometry(w);
}

void DisplayWindow::setTwipsTop(QWidget* w, double top)
{
    if (!w || !std::isfinite(top))
        return;
    QRectF& r = twipsRect(w);
    r.moveTop(top);
    syncPixelGeometry(w);
}

void DisplayWindow::setTwipsWidth(QWidget* w, double width)
{
    if (!w || !std::isfinite(width) || width < 0)
        return;
    twipsRect(w).setWidth(width);
    syncPixelGeometry(w);
}

void DisplayWindow::setTwipsHeight(QWidget* w, double height)
{
    if (!w || !std::isfinite(height) || height < 0)
        return;
    twipsRect(w).setHeight(height);
    syncPixelGeometry(w);
}

void DisplayWindow::setTwipsGeometry(QWidget* w, double left, double top, double width, double height)
{
    if (!w)
        return;
    QRectF& r = twipsRect(w);
    if (std::isfinite(left))
        r.moveLeft(left);
    if (std::isfinite(top))
        r.moveTop(top);
    if (std::isfinite(width) && width >= 0)
        r.setWidth(width);
    if (std::isfinite(height) && height >= 0)
        r.setHeight(height);
    syncPixelGeometry(w);
}

// --- captions and fonts -------------------------------------------------------

void DisplayWindow::autoSize(QLabel* label)
{
    if (!label)
        return;
    const QFontMetricsF fm(label->font());
    const double w = fm.horizontalAdvance(label->text()) * twipsPerPixelX();
    const double h = fm.height() * twipsPerPixelY();
    QRectF& r = twipsRect(label);
    r.setWidth(w);
    r.setHeight(h);
    syncPixelGeometry(label);
}

void DisplayWindow::setCaption(QLabel* label, const QString& text)
{
    if (!label)
        return;
    label->setText(text);
    if (isAutoSize(label))
        autoSize(label);
    // A text panel is read by assistive tools as the text it shows.
    if (auto* panel = qobject_cast<Panel*>(label->parentWidget()))
        panel->setAccessibleName(text);
}

bool DisplayWindow::setFontSize(QWidget* w, double points)
{
    if (!w || !std::isfinite(points) || points <= 0 || points > 2048)
        return false;
    QFont f = w->font();
    f.setPointSizeF(points);
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w); l && isAutoSize(l))
        autoSize(l);
    return true;
}

void DisplayWindow::setFontName(QWidget* w, const QString& family)
{
    if (!w)
        return;
    QFont f = w->font();
    f.setFamily(display_family(family));
    w->setFont(f);
    if (auto* l = qobject_cast<QLabel*>(w); l && isAutoSize(l))
        autoSize(l);
}

void DisplayWindow::setForeColour(QWidget* w, const QColor& colour)
{
    if (!w || !colour.isValid())
        return;
    if (auto* p = qobject_cast<Panel*>(w)) {
        p->setForeColor(colour);
        return;
    }
    // Disabled controls keep the greyed text of the palette.
    QPalette pal = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::WindowText, colour);
        pal.setColor(group, QPalette::Text, colour);
    }
    w->setPalette(pal);
}

} // namespace orvalen
