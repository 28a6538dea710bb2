#include "display/display_window.h"

#include "display/colour.h"
#include "display/display_host.h"
#include "display/fonts.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "display/screen_buttons.h"
#include "services/tray_icon.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <algorithm>
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
    : QWidget(parent), m_qtVideos(std::make_unique<QtLogoVideoFactory>()), m_videoFactory(m_qtVideos.get()),
      m_ctx(ctx), m_host(host), m_module(module), m_displayHost(displayHost)
{
    install_cjk_substitutions();
    m_screen = ScreenMetrics::fromPrimaryScreen();
    setObjectName("displayWindow");
    setWindowTitle(QStringLiteral("Orvalen(全屏版)"));
    m_trayImage = make_icon();
    setWindowIcon(m_trayImage);
    createControls();
    createTimers();
    scrollTick->setHandler([this] { scrollOneStep(); });
    promptTick->setHandler([this] { advancePrompt(); });
}

DisplayWindow::~DisplayWindow()
{
    // Timers stop before the controls they paint go away.
    for (auto* t : {&scrollTick, &promptTick}) {
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
    if (m_trayIcon)
        m_trayIcon->DelTrayIcon();
}

void DisplayWindow::createControls()
{
    const QColor window = colour_from_value(0x80000005LL, Qt::white);
    const QColor text = colour_from_value(0x80000008LL, Qt::black);

    auto* box = new BackgroundBox(this);
    box->setObjectName("backgroundBox");
    box->setFont(designer_font("Arial", 9));
    box->setBackColor(window);
    box->setMouseTracking(true);
    m_backgroundBox = box;
    setTwipsGeometry(m_backgroundBox, 0, 0, 14400, 10800);

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
        auto* p = new Panel(m_backgroundBox);
        p->setObjectName(name);
        p->setBackColor(window);
        p->setForeColor(text);
        setTwipsGeometry(p, 0, 0, w, h);
        return p;
    };

    // Title: a label straight on the background.
    textLabels[kTitleLine] = makeLabel("textLabel0", QStringLiteral("主标题"), m_backgroundBox, "宋体", 72);
    setForeColour(textLabels[kTitleLine], text);

    static const char* captions[5] = {"", "副标题", "阶段", "提示文本", "动态"};
    static const double panelW[5] = {0, 3255, 3255, 3495, 4695};
    static const double panelH[5] = {0, 1455, 1455, 1455, 1215};
    static const double labelPt[5] = {0, 42, 72, 42, 42};
    for (int i = 1; i <= 4; ++i) {
        textPanels[i] = makePanel(QStringLiteral("textPanel%1").arg(i), panelW[i], panelH[i]);
        textLabels[i] = makeLabel(QStringLiteral("textLabel%1").arg(i), QString::fromUtf8(captions[i]),
                              textPanels[i], i == 4 ? "新宋体" : "宋体", labelPt[i]);
        textPanels[i]->setAccessibleName(textLabels[i]->text());
        setForeColour(textLabels[i], text);
    }
    setTwipsLeft(textLabels[kScrollLine], 640);

    clockPanel = makePanel("clockPanel", 2175, 900);
    clockPanel->setFont(designer_font("新宋体", 80.25));
    clockPanel->setForeColor(kRed);
    clockText = makeLabel("clockText", QStringLiteral("时钟"), clockPanel, "新宋体", 80.25);
    clockText->hide();

    overtimePanel = makePanel("overtimePanel", 2175, 900);
    overtimePanel->setFont(designer_font("新宋体", 80.25));
    overtimePanel->setForeColor(kRed);
    overtimeText = makeLabel("overtimeText", QStringLiteral("超时时钟"), overtimePanel, "新宋体", 80.25);
    overtimeText->hide();
    overtimePanel->hide();

    logoBox = makePanel("logoBox", 3090, 3225);
    logoBox->hide();

    for (int i = 0; i < 5; ++i) {
        auto* b = makeLabel(QStringLiteral("screenButton%1").arg(i), screen_button_captions().at(i), m_backgroundBox,
                            "宋体", 21.75);
        b->setAlignment(Qt::AlignCenter);
        b->setToolTip(QStringLiteral("右键更多选项…"));
        b->setMouseTracking(true);
        setForeColour(b, text);
        setTwipsGeometry(b, 0, 0, 1350, 465);
        screenButtons[i] = b;
    }

    endTextMeasure = makeLabel("endTextMeasure", QStringLiteral("endTextMeasure"), m_backgroundBox, "宋体", 9);
    endTextMeasure->hide();

    // Windowless labels lie beneath the picture boxes of their container.
    textLabels[kTitleLine]->lower();
    for (auto* b : screenButtons)
        b->lower();

    // Every element hears the pointer, also when no button is held, so a
    // hover over an element does not count as a hover over the background.
    for (QWidget* w : m_backgroundBox->findChildren<QWidget*>()) {
        w->installEventFilter(this);
        w->setMouseTracking(true);
    }
    m_backgroundBox->installEventFilter(this);
    for (QLabel* l : {textLabels[kTitleLine], textLabels[kSubtitleLine], textLabels[kDateLine], textLabels[kPromptLine], textLabels[kScrollLine], clockText, overtimeText, endTextMeasure})
        autoSize(l);
}

void DisplayWindow::createTimers()
{
    struct TimerSetting {
        std::unique_ptr<EngineTimer>* timer;
        const char* name;
        int interval;
    };
    const TimerSetting settings[] = {{&scrollTick, "scrollTick", 1000}, {&promptTick, "promptTick", 1000}};
    for (const TimerSetting& s : settings) {
        *s.timer = m_ctx.timers.create(QString::fromLatin1(s.name));
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
    return w == textLabels[kTitleLine] || w == textLabels[kSubtitleLine] || w == textLabels[kDateLine] || w == textLabels[kPromptLine] || w == textLabels[kScrollLine] ||
           w == clockText || w == overtimeText || w == endTextMeasure;
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
    fitToScreen(label);
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

// The texts the audience reads are drawn smaller on a small screen, and
// smaller still when wider than the screen; the size the plan gives stays
// the element's size (elementFont) and is where every new fit starts from.
void DisplayWindow::fitToScreen(QLabel* label)
{
    const bool fitted = label == clockText || label == overtimeText
                        || std::find(textLabels.begin(), textLabels.end(), label) != textLabels.end();
    if (!fitted)
        return;
    auto it = m_plannedPoints.find(label);
    if (it == m_plannedPoints.end())
        it = m_plannedPoints.insert(label, label->font().pointSizeF());
    const double planned = *it;
    double drawn = planned * screen_text_scale(m_screen.fullWidthPx, m_screen.fullHeightPx);
    // The scrolling text runs through its panel, however long.
    if (label != textLabels[kScrollLine] && m_screen.fullWidthPx > 0) {
        const double margin = std::max(8.0, m_screen.fullWidthPx * 0.02);
        drawn = point_size_to_fit(label->font(), label->text(), drawn, m_screen.fullWidthPx - 2 * margin);
    }
    if (drawn > 0 && drawn != label->font().pointSizeF()) {
        QFont f = label->font();
        f.setPointSizeF(drawn);
        label->setFont(f);
    }
}

bool DisplayWindow::setFontSize(QWidget* w, double points)
{
    if (!w || !std::isfinite(points) || points <= 0 || points > 2048)
        return false;
    if (m_plannedPoints.contains(w))
        m_plannedPoints[w] = points;
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
