#include "deferred/qt_sound_backend.h"

#include <QAudioOutput>
#include <QDebug>
#include <QMediaPlayer>
#include <QUrl>

namespace orvalen {

struct QtSoundBackend::Channel {
    QAudioOutput output;
    QMediaPlayer player;
};

std::unique_ptr<QtSoundBackend::Channel> QtSoundBackend::makeChannel()
{
    auto channel = std::make_unique<Channel>();
    channel->player.setAudioOutput(&channel->output);
    QMediaPlayer* player = &channel->player;
    // An undecodable or vanished file, or no sound server, ends in an error
    // while the player still reports "playing"; log it and stop the player so
    // that it holds nothing open.
    QObject::connect(player, &QMediaPlayer::errorOccurred, player, [player](QMediaPlayer::Error, const QString& error) {
        qWarning().noquote() << "Sound" << player->source().toLocalFile() << "cannot play:" << error;
        player->stop();
    });
    return channel;
}

QtSoundBackend::QtSoundBackend() = default;

QtSoundBackend::~QtSoundBackend()
{
    for (auto& [path, channel] : m_mp3)
        channel->player.stop();
    if (m_wave)
        m_wave->player.stop();
}

void QtSoundBackend::playTrack(const QString& path)
{
    auto& channel = m_mp3[path];
    if (!channel)
        channel = makeChannel();
    QMediaPlayer& player = channel->player;
    player.stop();
    if (player.source() != QUrl::fromLocalFile(path))
        player.setSource(QUrl::fromLocalFile(path));
    player.setPosition(0);
    player.play();
}

void QtSoundBackend::stopTrack(const QString& path)
{
    auto it = m_mp3.find(path);
    if (it == m_mp3.end())
        return;
    it->second->player.stop();
    m_mp3.erase(it);
}

// The first audio output connects to the sound server (or finds none);
// the wave channel is made ready for the first sound.
void QtSoundBackend::warm()
{
    if (!m_wave)
        m_wave = makeChannel();
}

void QtSoundBackend::playOnWave(const QString& path, int loops)
{
    warm();
    QMediaPlayer& player = m_wave->player;
    player.stop();
    player.setLoops(loops);
    if (player.source() != QUrl::fromLocalFile(path))
        player.setSource(QUrl::fromLocalFile(path));
    player.setPosition(0);
    player.play();
}

void QtSoundBackend::playWave(const QString& path)
{
    playOnWave(path, 1);
}

void QtSoundBackend::playWaveLoop(const QString& path)
{
    playOnWave(path, QMediaPlayer::Infinite);
}

bool QtSoundBackend::isPlaying() const
{
    const auto playing = [](const Channel& c) { return c.player.playbackState() == QMediaPlayer::PlayingState; };
    for (const auto& [path, channel] : m_mp3)
        if (playing(*channel))
            return true;
    return m_wave && playing(*m_wave);
}

void QtSoundBackend::stopWave()
{
    if (m_wave)
        m_wave->player.stop();
}

} // namespace orvalen
