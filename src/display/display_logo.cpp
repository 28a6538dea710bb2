// The logo of the plan in the logo box: a picture, or a video playing there.
#include "display/display_logo.h"

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

DisplayLogo::DisplayLogo(DisplayWindow& window) : m_w(window) {}

void DisplayLogo::sizeBox(const QImage& image)
{
    using namespace time_data;
    const int option = toInt16(leadingNumber(m_w.m_ctx.ini.read(kPictureSet, kOption, kOptionDefault))).value_or(0);
    QSizeF& made = m_w.m_logoMadeSize;
    if (option == 0) {
        if (!image.isNull())
            made = QSizeF(image.size());
        m_w.sizeLogoBox();
        return;
    }
    // A size that does not convert counts as 0; a tenfold beyond 16 bits
    // leaves that side as it was.
    auto boxSize = [&](const QString& key, const QString& fallback) -> std::optional<int> {
        const int v = toInt16(leadingNumber(m_w.m_ctx.ini.read(kPictureSet, key, fallback).trimmed())).value_or(0);
        return toInt16(double(v) * 10);
    };
    if (const auto w = boxSize(kWidth, kLogoWidthDefault); w && *w >= 0)
        made.setWidth(m_w.m_layout.pxX(*w));
    if (const auto h = boxSize(kHeight, kLogoHeightDefault); h && *h >= 0)
        made.setHeight(m_w.m_layout.pxY(*h));
    m_w.sizeLogoBox();
}

void DisplayLogo::load(DisplayWindow::LogoLoad when)
{
    // A set-up starts from an empty, hidden box; the start-up hides it only
    // when there is no logo.
    if (when == DisplayWindow::LogoLoad::SetUp) {
        m_w.m_controls.logoBox->hide();
        m_w.m_controls.logoBox->setPicture(QPixmap());
    }
    const QString name = m_w.m_currentPlan.plan().logopicture.trimmed();
    QString path;
    if (name.size() > 3 && isBareFileName(name))
        path = m_w.m_ctx.folder.resolve(QStringLiteral("picture/") + name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        m_w.m_controls.logoBox->hide();
        // No logo: a video of an earlier plan must not play on hidden.
        m_w.releaseLogoVideo();
        return;
    }

    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    m_w.m_controls.logoBox->setPicture(image.isNull() ? QPixmap() : QPixmap::fromImage(image));

    sizeBox(image);

    // A file that is no picture plays as a video in the logo box.
    m_w.releaseLogoVideo();
    if (image.isNull())
        playVideo(path);
}

void DisplayLogo::playVideo(const QString& path)
{
    m_w.m_logoVideo = m_w.m_videoFactory->create(path, m_w.m_controls.logoBox);
    if (!m_w.m_logoVideo)
        return;
    m_w.m_logoVideoWidget = m_w.m_logoVideo->videoWidget();
    const int b = m_w.m_controls.logoBox->borderWidth();
    m_w.m_logoVideo->setSize(m_w.m_controls.logoBox->width() - 2 * b, m_w.m_controls.logoBox->height() - 2 * b);
    m_w.m_logoVideo->play();
}

} // namespace orvalen
