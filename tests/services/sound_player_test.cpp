#include "deferred/qt_sound_backend.h"
#include "services/deferred_module.h"
#include "services/sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMutex>
#include <QSemaphore>
#include <QThread>
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

TEST_F(SoundPlayerTest, stop_stopsByNameEvenWhenTheFileIsGone)
{
    const QString mp3 = make("a.mp3"), wav = make("b.wav");
    player.stopSound(mp3);
    player.stopSound(wav);
    player.stopSound("a.w");
    player.stopSound(QString());
    // A looping reminder whose file was deleted or renamed while it played.
    const QString loop = make("loop.wav"), track = make("gone.MP3");
    player.playWaveLoop(loop);
    player.playSound(track);
    QFile::remove(loop);
    QFile::rename(track, dir.path() + "/moved.mp3");
    player.stopSound(loop);
    player.stopSound(track);
    EXPECT_EQ(backend.calls, (QStringList{"stopTrack " + mp3, "stopWave", "playWaveLoop " + loop,
                                          "playTrack " + track, "stopWave", "stopTrack " + track}));
}

TEST_F(SoundPlayerTest, loop_playsAnExistingFileOnTheWaveChannel)
{
    const QString wav = make("loop.wav");
    player.playWaveLoop(wav);
    EXPECT_EQ(backend.calls, QStringList{"playWaveLoop " + wav});
}

// Setting up the audio output can take hundreds of milliseconds: the
// program's backend does it on a sound thread and every call returns at
// once, the calls running there in their order.
TEST_F(SoundPlayerTest, deferredBackend_returnsAtOnceWhileTheBackendIsBusy_inOrderOnItsThread)
{
    struct Shared {
        QSemaphore setUpMayEnd;
        QMutex lock;
        QStringList calls;
        void add(const QString& call)
        {
            const QMutexLocker locked(&lock);
            calls << call + (QThread::currentThread() == qApp->thread() ? " (on the display's thread)" : "");
        }
        QStringList taken()
        {
            const QMutexLocker locked(&lock);
            return calls;
        }
    } shared;
    struct SlowToSetUp final : SoundBackend {
        Shared& s;
        explicit SlowToSetUp(Shared& shared) : s(shared) {}
        void warm() override { s.add(s.setUpMayEnd.tryAcquire(1, 20000) ? "warm" : "warm held the caller"); }
        void playTrack(const QString& p) override { s.add("playTrack " + p); }
        void stopTrack(const QString& p) override { s.add("stopTrack " + p); }
        void playWave(const QString& p) override { s.add("playWave " + p); }
        void playWaveLoop(const QString& p) override { s.add("playWaveLoop " + p); }
        void stopWave() override { s.add("stopWave"); }
    };
    const QString mp3 = make("a.mp3"), wav = make("b.wav");
    {
        DeferredSoundBackend deferred([&] { return std::make_unique<SlowToSetUp>(shared); });
        SoundPlayer sounds(deferred);
        sounds.stopSound(wav); // nothing played yet: nothing to stop
        deferred.warm();
        sounds.playSound(wav);
        sounds.playSound(mp3);
        sounds.stopSound(mp3);
        sounds.playWaveLoop(wav);
        EXPECT_TRUE(shared.taken().isEmpty());
        shared.setUpMayEnd.release();
        EXPECT_TRUE(test::wait_until([&] { return shared.taken().size() == 5; }));
        sounds.stopSound(wav);
    } // the last call still runs before the thread ends
    EXPECT_EQ(shared.taken(), (QStringList{"warm", "playWave " + wav, "playTrack " + mp3, "stopTrack " + mp3,
                                           "playWaveLoop " + wav, "stopWave"}));
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
