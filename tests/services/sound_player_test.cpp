#include "deferred/qt_sound_backend.h"
#include "services/sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/wait_until.h"

namespace orvalen {
namespace {

class RecordingBackend final : public SoundBackend {
public:
    void playTrack(const QString& p) override { calls << "playTrack " + p; }
    void stopTrack(const QString& p) override { calls << "stopTrack " + p; }
    void playWave(const QString& p) override { calls << "playWave " + p; }
    void playWaveLoop(const QString& p) override { calls << "playWaveLoop " + p; }
    void stopWave() override { calls << "stopWave"; }
    QStringList calls;
};

class SoundPlayerTest : public ::testing::Test {
protected:
    QString make(const QString& name)
    {
        const QString path = dir.path() + u'/' + name;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("not a real sound");
        return path;
    }
    QTemporaryDir dir;
    RecordingBackend backend;
    SoundPlayer player{backend};
};

TEST_F(SoundPlayerTest, play_choosesTheRouteByExtensionInAnyCase)
{
    const QString mp3 = make("a.MP3"), wav = make("b.Wav"), other = make("c.ogg");
    player.playSound(mp3);
    player.playSound(wav);
    player.playSound(other);
    EXPECT_EQ(backend.calls, (QStringList{"playTrack " + mp3, "playWave " + wav}));
}

TEST_F(SoundPlayerTest, missingOrExtensionlessFiles_playNothing)
{
    const QString bare = make("sound"), dotted = make("dir.wav/sound");
    player.playSound(dir.path() + "/missing.wav");
    player.playSound(bare);
    player.playSound(dotted);
    player.playSound(QString());
    player.playWaveLoop(dir.path() + "/missing.wav");
    EXPECT_TRUE(backend.calls.isEmpty());
}

TEST_F(SoundPlayerTest, stop_stopsTheMp3OfItsPathOrTheWholeWaveChannel)
{
    const QString mp3 = make("a.mp3"), wav = make("b.wav");
    player.stopSound(mp3);
    player.stopSound(wav);
    player.stopSound("a.w");
    player.stopSound(dir.path() + "/gone.wav");
    EXPECT_EQ(backend.calls, (QStringList{"stopTrack " + mp3, "stopWave"}));
}

TEST_F(SoundPlayerTest, loop_playsAnExistingFileOnTheWaveChannel)
{
    const QString wav = make("loop.wav");
    player.playWaveLoop(wav);
    EXPECT_EQ(backend.calls, QStringList{"playWaveLoop " + wav});
}

TEST_F(SoundPlayerTest, qtBackend_undecodableFilesEndStopped)
{
    const QString mp3 = make("bad.mp3"), wav = make("bad.wav");
    QtSoundBackend qt;
    SoundPlayer real(qt);
    real.playSound(mp3);
    real.playSound(mp3); // again: restarts the same channel
    real.playSound(wav);
    real.playWaveLoop(wav);
    QCoreApplication::processEvents();
    real.stopSound(mp3);
    real.stopSound(wav);
    EXPECT_FALSE(qt.isPlaying());
    real.playSound(mp3);
    real.playWaveLoop(wav);
    // The decoder's error stops what it cannot play; nothing keeps running.
    EXPECT_TRUE(test::wait_until([&] { return !qt.isPlaying(); }));
}

} // namespace
} // namespace orvalen
