#include "services/import_check.h"
#include "support/pipe_watchdog.h"
#include "support/png_bytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

using namespace orvalen;
using orvalen::test::png;

namespace {

QByteArray le32(quint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A PCM WAV with `samples` bytes of sound; the two sizes can be made to lie.
QByteArray wave(int samples, std::optional<quint32> riffClaim = {}, std::optional<quint32> dataClaim = {})
{
    QByteArray fmt = QByteArray::fromHex("01000100" "44ac0000" "88580100" "02001000"); // PCM, mono, 44.1 kHz, 16 bit
    QByteArray body = "WAVE" + QByteArray("fmt ") + le32(16) + fmt + QByteArray("LIST") + le32(4) + "INFO"
                      + QByteArray("data") + le32(dataClaim.value_or(samples)) + QByteArray(samples, '\x10');
    return "RIFF" + le32(riffClaim.value_or(body.size())) + body;
}

// MPEG-1 layer III frames, 128 kbit/s at 44.1 kHz: 417 bytes each.
QByteArray mpegFrames(int count)
{
    QByteArray frame = QByteArray::fromHex("fffb9064") + QByteArray(413, '\0');
    return frame.repeated(count);
}

QByteArray id3Tag()
{
    return QByteArray("ID3\x03\x00\x00", 6) + QByteArray::fromHex("00000014") + QByteArray(20, 'T');
}

QByteArray noise(int size)
{
    QByteArray b(size, '\0');
    quint32 x = 12345;
    for (char& c : b) {
        x = x * 1103515245u + 12345u;
        c = char(x >> 24);
    }
    return b;
}

} // namespace

TEST(ImportCheck, soundsAndPictures_onlyWhatCanBePlayedOrShownPasses)
{
    QTemporaryDir dir;
    auto file = [&](const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    };
    const QByteArray header12 = mpegFrames(1).left(12);
    const struct {
        const char* name;
        QByteArray bytes;
        bool playable;
    } sounds[] = {
        {"good.wav", wave(400), true},
        {"upper.WAV", wave(400), true},
        {"good.mp3", mpegFrames(3), true},
        {"tagged.mp3", id3Tag() + mpegFrames(2), true},
        {"one-frame.mp3", mpegFrames(1), true},
        {"wave-named.mp3", wave(400), true},
        {"empty.wav", QByteArray(), false},
        {"empty.mp3", QByteArray(), false},
        {"noise.wav", noise(4096), false},
        {"noise.mp3", noise(4096), false},
        {"text.mp3", "这不是声音\n", false},
        {"huge-data.wav", wave(400, {}, 0xFFFFFFF0u), false},
        {"huge-riff.wav", wave(400, 0xFFFFFFF0u), false},
        {"truncated.wav", wave(400).left(40), false},
        {"tag-only.mp3", id3Tag(), false},
        {"broken-second-frame.mp3", header12 + QByteArray(405, '\0') + noise(417), false},
        {"good.ogg", wave(400), false}, // the player plays .wav and .mp3 only
    };
    for (const auto& s : sounds)
        EXPECT_EQ(soundFilePlayable(file(QString::fromUtf8(s.name), s.bytes)), s.playable) << s.name;

    EXPECT_TRUE(pictureFileReadable(file("red.png", png())));
    EXPECT_TRUE(pictureFileReadable(file("red-named.jpg", png())));
    for (const QByteArray& bad : {QByteArray(), noise(2048), QByteArray("not a picture"), png().left(60)})
        EXPECT_FALSE(pictureFileReadable(file("bad.png", bad)));
    EXPECT_FALSE(pictureFileReadable(dir.filePath("missing.png")));
}

TEST(ImportCheck, pipesDevicesAndFolders_refusedAtOnce_linkToARegularFileTaken)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.wav");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    bool hung = false;
    EXPECT_FALSE(orvalen::test::runBesidePipe(fifo, [&] { return soundFilePlayable(fifo); }, &hung));
    EXPECT_FALSE(hung) << "the check waited for a writer on the pipe";
    const QString pictureLink = dir.filePath("pipe.png");
    ASSERT_TRUE(QFile::link(fifo, pictureLink));
    EXPECT_FALSE(orvalen::test::runBesidePipe(fifo, [&] { return pictureFileReadable(pictureLink); }, &hung));
    EXPECT_FALSE(hung) << "the check waited for a writer behind the link";

    const QString zero = dir.filePath("zero.wav");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    EXPECT_EQ(readImportSource(zero, ImportKind::Sound).result, ImportRead::Refused);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.wav"));
    EXPECT_EQ(readImportSource(dir.filePath("folder.wav"), ImportKind::Sound).result, ImportRead::Refused);
    EXPECT_EQ(readImportSource(dir.filePath("missing.wav"), ImportKind::Sound).result, ImportRead::Missing);

    QFile real(dir.filePath("real.bin"));
    ASSERT_TRUE(real.open(QIODevice::WriteOnly));
    real.write(wave(400));
    real.close();
    ASSERT_TRUE(QFile::link(real.fileName(), dir.filePath("linked.wav")));
    const ImportSource linked = readImportSource(dir.filePath("linked.wav"), ImportKind::Sound);
    EXPECT_EQ(linked.result, ImportRead::Taken);
    EXPECT_EQ(linked.data, wave(400));
}

TEST(ImportCheck, filters_areBalancedAndListEveryReadableKind)
{
    const QString pictures = pictureFilter();
    for (const char* pattern : {"*.png", "*.jpg", "*.jpeg", "*.bmp", "*.gif", "*.ico", "*.PNG", "*.JPG"})
        EXPECT_TRUE(pictures.split(QLatin1Char('|')).value(1).split(QLatin1Char(';')).contains(QLatin1String(pattern)))
            << pattern;
    EXPECT_EQ(soundFilter(), QStringLiteral("声音文件|*.wav;*.mp3;*.WAV;*.MP3"));
    for (const QString& f : {pictures, soundFilter()})
        EXPECT_EQ(f.count(QLatin1Char('(')), f.count(QLatin1Char(')'))) << f.toStdString();
}
