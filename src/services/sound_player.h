#pragma once
#include <QString>

namespace orvalen {

// How sounds are played: MP3 files each on their own channel addressed by
// path (playing the same path again restarts it), WAV files on one shared
// wave channel (a new WAV replaces the playing one; stopping any WAV path
// stops the channel). The program uses Qt Multimedia; tests record calls.
class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    virtual void mci_play(const QString& path) = 0;
    virtual void mci_stop(const QString& path) = 0;
    virtual void wav_play(const QString& path) = 0;
    virtual void wav_play_loop(const QString& path) = 0;
    virtual void wav_stop() = 0;
};

// The stage sound player: chooses the route by extension (any letter case),
// skips missing files silently.
class SoundPlayer {
public:
    explicit SoundPlayer(SoundBackend& backend) : m_backend(backend) {}
    void play_sound(const QString& path);
    void stop_sound(const QString& path);
    void wav_play_loop(const QString& path);
    SoundBackend& backend() { return m_backend; }

private:
    SoundBackend& m_backend;
};

} // namespace orvalen
