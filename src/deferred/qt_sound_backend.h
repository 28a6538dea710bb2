#pragma once
#include "services/sound_player.h"

#include <QString>
#include <map>
#include <memory>

class QMediaPlayer;
class QAudioOutput;

namespace orvalen {

// Plays the stage sounds through Qt Multimedia: every MP3 path has its own
// player (playing it again restarts it from the beginning), and all WAV
// sounds share one wave channel (a new WAV replaces the playing one, a loop
// runs until stopped). A file that cannot be decoded is logged and stopped;
// the run goes on.
class QtSoundBackend final : public SoundBackend {
public:
    QtSoundBackend();
    ~QtSoundBackend() override;

    void playTrack(const QString& path) override;
    void stopTrack(const QString& path) override;
    void playWave(const QString& path) override;
    void playWaveLoop(const QString& path) override;
    void stopWave() override;
    void warm() override;

    // True while any channel is playing (or about to).
    bool isPlaying() const;

private:
    struct Channel;
    static std::unique_ptr<Channel> makeChannel();
    void playOnWave(const QString& path, int loops);

    std::map<QString, std::unique_ptr<Channel>> m_mp3;
    std::unique_ptr<Channel> m_wave;
};

} // namespace orvalen
