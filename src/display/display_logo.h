#pragma once
#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>

class QWidget;

namespace orvalen {

class CurrentPlan;
class ElementLayout;
class LogoVideo;
class LogoVideoFactory;
struct AppContext;
struct DisplayControls;
struct ScreenMetrics;

// The plan's logo in the display window's logo box: a picture, or a video
// playing in the box. It keeps the box's made size and the video it plays.
class DisplayLogo {
public:
    // When the logo is loaded: at the start-up, or at a set-up.
    enum class Load { StartUp, SetUp };

    DisplayLogo(DisplayControls& controls, ElementLayout& layout, const ScreenMetrics& screen, AppContext& ctx,
                const CurrentPlan& currentPlan);
    ~DisplayLogo();

    void load(Load when);
    // The logo box at its made size, drawn at this screen's text scale
    // (the video playing in it too).
    void sizeToScreen();
    // Stops and releases the logo video, if one plays.
    void releaseVideo();
    bool hasVideo() const { return m_logoVideo != nullptr; }
    // Neither a picture nor a video is the logo.
    bool isEmpty() const;
    // Where logo videos come from: Qt Multimedia unless a test installs a
    // recording factory.
    void setVideoFactory(LogoVideoFactory* factory);

private:
    // Sizes the logo box by the stored logo size option: to the picture
    // (when it is one), or to the stored width and height in tens of twips;
    // sizes made for 1920 x 1080, drawn in proportion on other screens.
    void sizeBox(const QImage& image);
    void playVideo(const QString& path);
    // The playing video fills the box inside its border.
    void fitVideo();

    DisplayControls& m_controls;
    ElementLayout& m_layout;
    const ScreenMetrics& m_screen;
    AppContext& m_ctx;
    const CurrentPlan& m_currentPlan;
    QSizeF m_madeSize;                      // the logo box's size on 1920 x 1080 (px)
    std::unique_ptr<LogoVideo> m_logoVideo; // the logo video player, when a video is the logo
    std::unique_ptr<LogoVideoFactory> m_qtVideos;
    LogoVideoFactory* m_videoFactory = nullptr;
};

} // namespace orvalen
