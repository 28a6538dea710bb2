#include "deferred/deferred_plugin.h"

#include "deferred/qt_network_probes.h"
#include "deferred/qt_sound_backend.h"
#include "display/logo_video.h"

#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

namespace orvalen {
namespace {

class QtLogoVideo final : public LogoVideo {
public:
    QtLogoVideo(const QString& file, QWidget* box)
    {
        m_widget = new QVideoWidget(box);
        // Pointer input goes to the logo box under the video.
        m_widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_widget->setAspectRatioMode(Qt::IgnoreAspectRatio);
        m_player = new QMediaPlayer(m_widget);
        m_player->setVideoOutput(m_widget);
        m_player->setLoops(QMediaPlayer::Infinite);
        m_player->setSource(QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()));
        m_widget->show();
    }
    ~QtLogoVideo() override
    {
        m_player->stop();
        delete m_widget; // takes the player with it
    }
    QWidget* videoWidget() const override { return m_widget; }
    void setSize(int w, int h) override { m_widget->setGeometry(0, 0, std::max(0, w), std::max(0, h)); }
    void play() override { m_player->play(); }
    void stop() override { m_player->stop(); }
    bool isPlaying() const override { return m_player->playbackState() == QMediaPlayer::PlayingState; }

private:
    QVideoWidget* m_widget = nullptr;
    QMediaPlayer* m_player = nullptr;
};

} // namespace

std::unique_ptr<SoundBackend> DeferredPlugin::makeSoundBackend()
{
    return std::make_unique<QtSoundBackend>();
}

std::unique_ptr<LogoVideo> DeferredPlugin::makeLogoVideo(const QString& file, QWidget* box)
{
    return std::make_unique<QtLogoVideo>(file, box);
}

std::unique_ptr<NetworkProbes> DeferredPlugin::makeNetworkProbes(TimerFactory& timers)
{
    return std::make_unique<QtNetworkProbes>(timers);
}

} // namespace orvalen

