#include "services/sound_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace orvalen {
namespace {

class RecordingBackend final : public SoundBackend {
public:
    void mci_play(const QString& p) override { calls << "mci_play " + p; }
    void mci_stop(const QString& p) override { calls << "mci_stop " + p; }
    void wav_play(const QString& p) override { calls << "wav_play " + p; }
    void wav_play_loop(const QString& p) override { calls << "wav_play_loop " + p; }
    void wav_stop() override { calls << "wav_stop"; }
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
    player.play_sound(mp3);
    player.play_sound(wav);
    player.play_sound(other);
    EXPECT_EQ(backend.calls, (QStringList{"mci_play " + mp3, "wav_play " + wav}));
}

TEST_F(SoundPlayerTest, missingOrExtensionlessFiles_playNothing)
{
    const QString bare = make("sound"), dotted = make("dir.wav/sound");
    player.play_sound(dir.path() + "/missing.wav");
    player.play_sound(bare);
    player.play_sound(dotted);
    player.play_sound(QString());
    player.wav_play_loop(dir.path() + "/missing.wav");
    EXPECT_TRUE(backend.calls.isEmpty());
}

TEST_F(SoundPlayerTest, stop_stopsTheMp3OfItsPathOrTheWholeWaveChannel)
{
    const QString mp3 = make("a.mp3"), wav = make("b.wav");
    player.stop_sound(mp3);
    player.stop_sound(wav);
    player.stop_sound("a.w");
    player.stop_sound(dir.path() + "/gone.wav");
    EXPECT_EQ(backend.calls, (QStringList{"mci_stop " + mp3, "wav_stop"}));
}

TEST_F(SoundPlayerTest, loop_playsAnExistingFileOnTheWaveChannel)
{
    const QString wav = make("loop.wav");
    player.wav_play_loop(wav);
    EXPECT_EQ(backend.calls, QStringList{"wav_play_loop " + wav});
}

} // namespace
} // namespace orvalen
