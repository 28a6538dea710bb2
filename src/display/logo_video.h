#pragma once
#include <QString>
#include <memory>

class QWidget;

namespace orvalen {

// A video playing as the logo, inside the logo box. Stopping releases the
// player; the object is destroyed with it.
class LogoVideo {
public:
    virtual ~LogoVideo() = default;
    // The widget the video is drawn in (a child of the logo box).
    virtual QWidget* videoWidget() const = 0;
    // Sets the video widget to the box's inner size in px.
    virtual void setSize(int widthPx, int heightPx) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    virtual bool isPlaying() const = 0;
};

// Makes the logo video players; tests install a recording factory.
class LogoVideoFactory {
public:
    virtual ~LogoVideoFactory() = default;
    // A player for `file` shown in `box`; nullptr when none can be made.
    virtual std::unique_ptr<LogoVideo> create(const QString& file, QWidget* box) = 0;
};

// Qt Multimedia players (QMediaPlayer + QVideoWidget) of the deferred module;
// none when the module cannot be loaded.
class QtLogoVideoFactory final : public LogoVideoFactory {
public:
    std::unique_ptr<LogoVideo> create(const QString& file, QWidget* box) override;
};

} // namespace orvalen
