#include "timing/count_engine.h"

#include "display/colour.h"
#include "display/display_values.h"
#include "display/display_window.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "platform/text_path.h"
#include "stores/clock_plan.h"
#include "stores/ini_store.h"
#include "timing/clock_text.h"

#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace orvalen {
namespace {

// Font, colour and size of one element, as the plan gives them. A font that
// is not installed becomes "宋体"; a size entry that is missing or unusable
// leaves the element's size as it is.
void style_element(DisplayWindow& d, std::initializer_list<QWidget*> fontTargets, QWidget* colourTarget,
                   std::initializer_list<QWidget*> colourAlso, const QString& font, const QString& colour,
                   QWidget* sizeTarget, const ClockPlan& plan, int sizeEntry)
{
    for (QWidget* w : fontTargets)
        d.setFontName(w, font);
    const QColor c = colour_from_text(colour);
    d.setForeColour(colourTarget, c);
    for (QWidget* w : colourAlso)
        d.setForeColour(w, c);
    if (const auto size = size_entry(plan.sizethree, sizeEntry))
        d.setFontSize(sizeTarget, *size);
}


} // namespace

// Gives every element the look of the current plan: titles, clock, end
// text, overtime clock, date line, prompt text, scrolling text, the stage-0
// background and the logo.
void CountEngine::styleDisplay(const QString& initialClockText)
{
    DisplayWindow& d = m_display;
    const ClockPlan& p = plan();

    // Main title and subtitle.
    d.setCaption(d.textLabels[0], p.firsttext);
    style_element(d, {d.textLabels[0]}, d.textLabels[0], {}, p.firstfont, p.firstcolour, d.textLabels[0], p, 0);
    d.textLabels[0]->setVisible(!d.textLabels[0]->text().isEmpty());
    d.setCaption(d.textLabels[1], p.secondtext);
    style_element(d, {d.textLabels[1]}, d.textLabels[1], {}, p.secondfont, p.secondcolour, d.textLabels[1], p, 1);
    d.textPanels[1]->setVisible(!d.textLabels[1]->text().isEmpty());

    // Clock.
    d.setCaption(d.clockText, initialClockText);
    style_element(d, {d.clockText, d.clockPanel}, d.clockText, {d.clockPanel}, p.clockFont, p.clockcolour, d.clockText, p, 2);
    d.clockPanel->setVisible(!d.clockText->text().isEmpty());

    // End text, in the clock's look, shrunk to fit where the clock text stands.
    d.setCaption(d.endTextMeasure, p.stageText[6]);
    style_element(d, {d.endTextMeasure}, d.endTextMeasure, {}, p.clockFont, p.clockcolour, d.endTextMeasure, p, 2);
    fitEndText();

    // Overtime clock.
    d.setCaption(d.overtimeText, setup_overtime_text(p.timeFormat(), initialClockText));
    style_element(d, {d.overtimeText, d.overtimePanel}, d.overtimeText, {d.overtimePanel}, p.clockFont, p.clockcolour, d.overtimeText, p, 2);
    d.overtimePanel->hide();

    // Date line and prompt text start empty and hidden.
    d.setCaption(d.textLabels[2], QString());
    style_element(d, {d.textLabels[2]}, d.textLabels[2], {}, p.stagefont, p.stagecolour, d.textLabels[2], p, 3);
    d.textPanels[2]->hide();
    d.setCaption(d.textLabels[3], QString());
    style_element(d, {d.textLabels[3]}, d.textLabels[3], {}, p.textfont, p.textcolour, d.textLabels[3], p, 4);
    d.textPanels[3]->hide();

    // Scrolling text: its own caption stays; the scroll settings are re-read.
    QLabel* roll = d.textLabels[4];
    Panel* rollPanel = d.textPanels[4];
    style_element(d, {roll}, roll, {}, p.rollfont, p.rollcolour, roll, p, 5);
    if (!roll->text().isEmpty()) {
        rollPanel->show();
        d.scrollTick->setEnabled(true);
    }
    d.readMarqueeSettings();
    rollPanel->hide();
    if (d.marquee_width > 0)
        d.setTwipsWidth(rollPanel, d.marquee_width);
    switch (d.marquee_mode) {
    case 0:
        d.setTwipsLeft(roll, -d.twipsWidth(roll));
        break;
    case 1:
        d.setTwipsLeft(roll, d.twipsWidth(rollPanel));
        break;
    case 2:
        d.setTwipsLeft(roll, (d.twipsWidth(rollPanel) - d.twipsWidth(roll)) / 2);
        break;
    default:
        break;
    }

    d.applyStageBackground(0);
    styleLogo();
}

// The end text takes the clock's size, one point smaller at a time while it
// is wider than the clock text, but never below 1 pt.
void CountEngine::fitEndText()
{
    DisplayWindow& d = m_display;
    const double clockWidth = d.twipsWidth(d.clockText);
    if (d.twipsWidth(d.endTextMeasure) <= clockWidth)
        return;
    double size = d.endTextMeasure->font().pointSizeF();
    do {
        if (size - 1 < 1)
            break;
        size -= 1;
        d.setFontSize(d.endTextMeasure, size);
    } while (d.twipsWidth(d.endTextMeasure) + 30 >= clockWidth);
}

// The logo: a picture at its own size or at the configured size, or a video
// playing in the logo box. A video that is no longer the logo is stopped.
void CountEngine::styleLogo()
{
    DisplayWindow& d = m_display;
    Panel* box = d.logoBox;
    box->hide();
    box->setPicture(QPixmap());
    if (d.logo_media_control) {
        d.logo_media_control->stop();
        d.logo_media_control.reset();
    }
    d.logo_video_window = nullptr;

    const QString name = plan().logopicture.trimmed();
    if (name.size() <= 3 || !is_bare_file_name(name))
        return;
    const QString path = d.context().folder.resolve(QStringLiteral("picture/") + name);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (!image.isNull())
        box->setPicture(QPixmap::fromImage(image));

    d.sizeLogoBox(image);

    if (image.isNull())
        d.playLogoVideo(path);
}

} // namespace orvalen
