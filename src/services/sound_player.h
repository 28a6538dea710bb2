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
    virtual void playTrack(const QString& path) = 0;
    virtual void stopTrack(const QString& path) = 0;
    virtual void playWave(const QString& path) = 0;
    virtual void playWaveLoop(const QString& path) = 0;
    virtual void stopWave() = 0;
    // Sets up what the first sound would otherwise set up (the audio
    // output), so that it starts without delay. Does nothing by default.
    virtual void warm() {}
};

// The stage sound player: chooses the route by extension (any letter case),
// plays nothing for a missing file, and stops by name alone (the file may be
// gone by then).
class SoundPlayer {
public:
    explicit SoundPlayer(SoundBackend& backend) : m_backend(backend) {}
    void playSound(const QString& path);
    void stopSound(const QString& path);
    void playWaveLoop(const QString& path);
    SoundBackend& backend() { return m_backend; }

private:
    SoundBackend& m_backend;
};

} // namespace orvalen
