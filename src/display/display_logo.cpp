// The logo of the plan in the logo box: a picture, or a video playing there.
#include "display/display_logo.h"

#include "display/count_view.h"
#include "display/display_controls.h"
#include "display/element_layout.h"
#include "display/fonts.h"
#include "display/display_values.h"
#include "display/logo_video.h"
#include "display/panel.h"
#include "platform/text_path.h"
#include "services/app_context.h"
#include "services/time_conversions.h"
#include "stores/current_plan.h"
#include "stores/ini_store.h"
#include "stores/time_data_keys.h"

#include <QFileInfo>
#include <QImageReader>

namespace orvalen {

DisplayLogo::DisplayLogo(DisplayControls& controls, ElementLayout& layout, const ScreenMetrics& screen, AppContext& ctx,
                         const CurrentPlan& currentPlan)
    : m_controls(controls), m_layout(layout), m_screen(screen), m_ctx(ctx), m_currentPlan(currentPlan),
      m_madeSize(layout.rect(controls.logoBox).size()), m_qtVideos(std::make_unique<QtLogoVideoFactory>()),
      m_videoFactory(m_qtVideos.get())
{
}

DisplayLogo::~DisplayLogo() { releaseVideo(); }

void DisplayLogo::setVideoFactory(LogoVideoFactory* factory)
{
    m_videoFactory = factory ? factory : m_qtVideos.get();
}

bool DisplayLogo::isEmpty() const { return m_controls.logoBox->picture().isNull() && !(m_logoVideo && m_logoVideo->videoWidget()); }

void DisplayLogo::releaseVideo()
{
    if (m_logoVideo) {
        m_logoVideo->stop();
        m_logoVideo.reset();
    }
}

void DisplayLogo::sizeToScreen()
{
    const double scale = m_screen.textScale();
    m_layout.setWidth(m_controls.logoBox, m_madeSize.width() * scale);
    m_layout.setHeight(m_controls.logoBox, m_madeSize.height() * scale);
    if (m_logoVideo)
        fitVideo();
}

void DisplayLogo::fitVideo()
{
    const int b = m_controls.logoBox->borderWidth();
    m_logoVideo->setSize(m_controls.logoBox->width() - 2 * b, m_controls.logoBox->height() - 2 * b);
}

void DisplayLogo::sizeBox(const QImage& image)
{
    using namespace time_data;
    const int option = toInt16(leadingNumber(m_ctx.ini.read(kPictureSet, kOption, kOptionDefault))).value_or(0);
    QSizeF& made = m_madeSize;
    if (option == 0) {
        if (!image.isNull())
            made = QSizeF(image.size());
        sizeToScreen();
        return;
    }
    // A size that does not convert counts as 0; a tenfold beyond 16 bits
    // leaves that side as it was.
    auto boxSize = [&](const QString& key, const QString& fallback) -> std::optional<int> {
        const int v = toInt16(leadingNumber(m_ctx.ini.read(kPictureSet, key, fallback).trimmed())).value_or(0);
        return toInt16(double(v) * 10);
    };
    if (const auto w = boxSize(kWidth, kLogoWidthDefault); w && *w >= 0)
        made.setWidth(m_layout.pxX(*w));
    if (const auto h = boxSize(kHeight, kLogoHeightDefault); h && *h >= 0)
        made.setHeight(m_layout.pxY(*h));
    sizeToScreen();
}

void DisplayLogo::load(Load when)
{
    // A set-up starts from an empty, hidden box; the start-up hides it only
    // when there is no logo.
    if (when == Load::SetUp) {
        m_controls.logoBox->hide();
        m_controls.logoBox->setPicture(QPixmap());
    }
    const QString name = m_currentPlan.plan().logopicture.trimmed();
    QString path;
    if (name.size() > 3 && isBareFileName(name))
        path = m_ctx.folder.resolve(QStringLiteral("picture/") + name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_controls.logoBox->hide();
        // No logo: a video of an earlier plan must not play on hidden.
        releaseVideo();
        return;
    }

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    m_controls.logoBox->setPicture(image.isNull() ? QPixmap() : QPixmap::fromImage(image));

    sizeBox(image);

    // A file that is no picture plays as a video in the logo box.
    releaseVideo();
    if (image.isNull())
        playVideo(path);
}

void DisplayLogo::playVideo(const QString& path)
{
    m_logoVideo = m_videoFactory->create(path, m_controls.logoBox);
    if (!m_logoVideo)
        return;
    fitVideo();
    m_logoVideo->play();
}

} // namespace orvalen
