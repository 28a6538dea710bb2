// The panel painters: each panel shows the piece of the background under it,
// so the panels blend into a background picture; the clock panels then draw
// their text centred on the panel.
#include "display/display_window.h"
#include "services/time_conversions.h"
#include "display/panel.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <cmath>
#include <utility>

namespace orvalen {
namespace {

// Panels are never given an image larger than this per axis; what lies
// further out is off any screen and shows the back colour.
constexpr int kMaxImagePx = 8192;

QSize image_size(const QWidget* panel)
{
    return QSize(std::clamp(panel->width(), 0, kMaxImagePx), std::clamp(panel->height(), 0, kMaxImagePx));
}

} // namespace

// The part of the background under `panel`, at the panel's pixel size. The
// background box shows the picture stretched to its own size where it is
// larger than the picture; copying from that stretched picture at the
// panel's place gives exactly the pixels the box shows around the panel.
QPixmap DisplayWindow::backgroundPiece(const QWidget* panel) const
{
    const QPixmap& bg = m_backgroundBox->stretched();
    if (bg.isNull())
        return QPixmap();
    const QRect area(panel->pos(), image_size(panel));
    return bg.copy(area);
}

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
    image.fill(panel->backColor());
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
    if (backgroundIsPicture()) {
        // The piece of the background under the panel, drawn straight from
        // the stretched picture.
        const QPixmap& bg = m_backgroundBox->stretched();
        if (!bg.isNull())
            p.drawPixmap(QPoint(0, 0), bg, QRect(panel->pos(), imageSize));
    }
    if (!text.isEmpty()) {
        const QFontMetricsF fm(font);
        const int b = panel->borderWidth();
        const double innerW = panel->width() - 2.0 * b;
        const double innerH = panel->height() - 2.0 * b;
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
    const bool longTerm = plan.isLongTerm();
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
        if (longTerm && plan.showsWeekday()) {
            const QDate today = now().date();
            setCaption(label, weekday_name(today));
            panel->show();
        }
        panel->setVisible(!label->text().isEmpty());
        setTwipsWidth(panel, twipsWidth(label));
        centrePromptLine();
        break;
    case 4:
        if (marquee_width >= 0)
            setTwipsWidth(panel, marquee_width);
        if (!plan.showsScrollingText() && !m_host.adjust_mode() && label->text() != QStringLiteral("动态文本")) {
            panel->hide();
            return;
        }
        break;
    }

    QPixmap image(image_size(panel));
    if (!backgroundIsPicture())
        panel->setBackColor(m_backgroundBox->backColor());
    if (!image.isNull()) {
        image.fill(panel->backColor());
        if (backgroundIsPicture()) {
            const QPixmap piece = backgroundPiece(panel);
            if (!piece.isNull()) {
                QPainter p(&image);
                p.drawPixmap(0, 0, piece);
            }
        }
        panel->setImage(image);
    } else {
        panel->clearImage();
    }
    panel->setVisible(!label->text().isEmpty());
}

} // namespace orvalen
