// The panel painters: a panel's image holds only its text, on a clear
// ground, so the background (colour or picture) and any neighbour under the
// panel show around the text. The clock panels draw their text centred.
#include "display/display_window.h"
#include "services/time_conversions.h"
#include "display/panel.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

namespace orvalen {
namespace {

// Panels are never given an image larger than this per axis; what lies
// further out is off any screen and stays clear.
constexpr int kMaxImagePx = 8192;

QSize image_size(const QWidget* panel)
{
    return QSize(std::clamp(panel->width(), 0, kMaxImagePx), std::clamp(panel->height(), 0, kMaxImagePx));
}

} // namespace

void DisplayWindow::paintClock()
{
    paintClock(clockText->text(), int(std::lround(clockText->font().pointSizeF())));
}

void DisplayWindow::paintOvertimeClock()
{
    paintOvertimeClock(overtimeText->text(), int(std::lround(overtimeText->font().pointSizeF())));
}

void DisplayWindow::paintClockPanel(Panel* panel, QLabel* label, const QString& text, int size)
{
    // The panel's own image is painted over while its size holds: the clock
    // is repainted every second, and a new pixmap each time is not needed.
    const QSize imageSize = image_size(panel);
    QPixmap image = std::exchange(panel->image(), QPixmap());
    if (image.size() != imageSize)
        image = QPixmap(imageSize);
    if (image.isNull()) {
        panel->clearImage();
        panel->setAccessibleName(QString());
        return;
    }
    image.fill(Qt::transparent);
    if (size <= 0) {
        // No usable font size: the panel stays cleared.
        panel->setImage(image);
        panel->setAccessibleName(QString());
        return;
    }
    // The painted text is the panel's name for assistive tools.
    panel->setAccessibleName(text);
    QFont font = panel->font();
    font.setPointSizeF(size);
    panel->setFont(font);

    QPainter p(&image);
    if (!text.isEmpty()) {
        const int b = panel->borderWidth();
        const double innerW = panel->width() - 2.0 * b;
        const double innerH = panel->height() - 2.0 * b;
        // A size larger than the panel was measured for is drawn smaller,
        // so the text stays whole.
        const QFontMetricsF full(font);
        const double shrink = std::min({1.0, innerW / full.horizontalAdvance(text), innerH / full.height()});
        if (shrink < 1.0 && shrink > 0.0)
            font.setPointSizeF(std::max(1.0, std::floor(size * shrink * 4.0) / 4.0));
        const QFontMetricsF fm(font);
        // The text cell is centred; its top, not its baseline, sits at y.
        const double x = b + (innerW - fm.horizontalAdvance(text)) / 2.0;
        const double y = b + (innerH - fm.height()) / 2.0;
        p.setFont(font);
        p.setPen(panel->foreColor());
        p.setRenderHint(QPainter::TextAntialiasing);
        p.drawText(QPointF(x, y + fm.ascent()), text);
    }
    p.end();
    panel->setImage(image);
    Q_UNUSED(label);
}

void DisplayWindow::paintClock(const QString& text, int size)
{
    if (text.isEmpty())
        return;
    setTwipsWidth(clockPanel, twipsWidth(clockText) + 100);
    setTwipsHeight(clockPanel, twipsHeight(clockText) + 20);
        clockPanel->show();
    paintClockPanel(clockPanel, clockText, text, size);
}

void DisplayWindow::paintOvertimeClock(const QString& text, int size)
{
    setTwipsWidth(overtimePanel, twipsWidth(overtimeText) + 100);
    setTwipsHeight(overtimePanel, twipsHeight(overtimeText) + 20);
    const ClockPlan& plan = m_module.clock_plan;
    const bool shown = plan.showsOvertimeClock();
    overtimePanel->setVisible(shown);
    paintClockPanel(overtimePanel, overtimeText, text, size);
}

void DisplayWindow::paintTextPanels()
{
    for (int i = 1; i <= 4; ++i) {
        if (!textPanels[i]->isHidden())
            paintTextPanels(i);
    }
}

void DisplayWindow::paintTextPanels(int i)
{
    if (i < 1 || i > 4)
        return;
    QLabel* label = textLabels[i];
    Panel* panel = textPanels[i];
    if (label->text().isEmpty())
        return;
    const ClockPlan& plan = m_module.clock_plan;
    const bool longTerm = plan.longTerm;
    setTwipsHeight(panel, twipsHeight(label));
    switch (i) {
    case 1:
        setTwipsWidth(panel, twipsWidth(label));
        break;
    case 2:
        setTwipsWidth(panel, twipsWidth(label));
        if (!longTerm) {
            panel->hide();
            return;
        }
        break;
    case 3:
        if (longTerm && plan.showsWeekday) {
            const QDate today = now().date();
            setCaption(label, weekday_name(today));
            panel->show();
        }
        panel->setVisible(!label->text().isEmpty());
        setTwipsWidth(panel, twipsWidth(label));
        centrePromptLine();
        break;
    case 4:
        if (marquee_width >= 0) {
            // A line that stands still is shown whole; none is wider than
            // the screen, so the whole line stays in sight.
            double width = marquee_width;
            if (marquee_mode == 2)
                width = std::max(width, twipsWidth(label));
            const double screenW = twipsPerPixelX() * m_screen.fullWidthPx;
            setTwipsWidth(panel, screenW > 0 ? std::min(width, screenW) : width);
            if (marquee_mode == 2)
                setTwipsLeft(label, (twipsWidth(panel) - twipsWidth(label)) / 2.0);
        }
        if (!plan.showsScrollingText && !m_host.adjust_mode() && label->text() != QStringLiteral("动态文本")) {
            panel->hide();
            return;
        }
        break;
    }

    // The label inside draws the text; the panel itself paints nothing.
    if (!backgroundIsPicture())
        panel->setBackColor(m_backgroundBox->backColor());
    panel->clearImage();
    panel->setVisible(!label->text().isEmpty());
}

} // namespace orvalen
