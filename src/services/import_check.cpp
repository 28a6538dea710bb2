#include "services/import_check.h"

#include "platform/text_path.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStringList>
#include <QtEndian>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvalen {

namespace {

quint32 le32(const QByteArray& b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 le16(const QByteArray& b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

// A RIFF/WAVE file: its declared size fits the file, a fmt chunk with a
// sample format, channels and a rate, and a data chunk inside the file.
bool wave_is_sane(QIODevice& file)
{
    const qint64 size = file.size();
    const QByteArray head = file.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return false;
    // One pad byte past the end is tolerated; a claim beyond that is not.
    if (qint64(le32(head, 4)) + 8 > size + 1)
        return false;
    bool format = false;
    qint64 at = 12;
    for (int chunks = 0; chunks < 256 && at + 8 <= size; ++chunks) {
        if (!file.seek(at))
            return false;
        const QByteArray chunk = file.read(8);
        if (chunk.size() < 8)
            return false;
        const qint64 length = le32(chunk, 4);
        const qint64 body = at + 8;
        if (chunk.startsWith("fmt ")) {
            if (length < 16 || body + length > size)
                return false;
            const QByteArray fmt = file.read(16);
            if (fmt.size() < 16)
                return false;
            const quint16 tag = le16(fmt, 0), channels = le16(fmt, 2);
            const quint32 rate = le32(fmt, 4);
            if (tag == 0 || channels == 0 || channels > 64 || rate == 0 || rate > 1536000)
                return false;
            format = true;
        } else if (chunk.startsWith("data")) {
            return format && length > 0 && body + length <= size;
        }
        at = body + length + (length & 1);
    }
    return false;
}

// The length in bytes of the MPEG audio frame whose header is at `h`, 0 when
// the header is invalid, -1 when it is valid but free-format.
int mpeg_frame_length(const unsigned char* h)
{
    if (h[0] != 0xFF || (h[1] & 0xE0) != 0xE0)
        return 0;
    const int version = (h[1] >> 3) & 3; // 0: 2.5, 1: reserved, 2: MPEG-2, 3: MPEG-1
    const int layer = (h[1] >> 1) & 3;   // 1: III, 2: II, 3: I, 0: reserved
    const int bitrateIndex = h[2] >> 4;
    const int rateIndex = (h[2] >> 2) & 3;
    const int padding = (h[2] >> 1) & 1;
    if (version == 1 || layer == 0 || bitrateIndex == 15 || rateIndex == 3 || (h[3] & 3) == 2)
        return 0;
    if (bitrateIndex == 0)
        return -1;
    static const int kBitrates[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2/2.5 layer I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2/2.5 layers II, III
    };
    static const int kRates[3] = {44100, 48000, 32000};
    const bool mpeg1 = version == 3;
    const int rate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int table = mpeg1 ? 3 - layer : layer == 3 ? 3 : 4;
    const int bitrate = kBitrates[table][bitrateIndex] * 1000;
    if (layer == 3)
        return (12 * bitrate / rate + padding) * 4;
    return (layer == 1 && !mpeg1 ? 72 : 144) * bitrate / rate + padding;
}

// MPEG audio: an optional ID3v2 tag, then a frame header; where the file
// holds more than that frame, a second header right after it.
bool mpeg_audio_is_sane(QIODevice& file)
{
    const qint64 size = file.size();
    qint64 at = 0;
    const QByteArray id3 = file.read(10);
    if (id3.startsWith("ID3")) {
        if (id3.size() < 10 || quint8(id3[3]) == 0xFF || quint8(id3[4]) == 0xFF)
            return false;
        qint64 tag = 0;
        for (int i = 6; i < 10; ++i) {
            if (quint8(id3[i]) & 0x80)
                return false;
            tag = (tag << 7) | quint8(id3[i]);
        }
        at = 10 + tag + ((quint8(id3[5]) & 0x10) ? 10 : 0);
    }
    if (!file.seek(at))
        return false;
    // Some writers pad after the tag with zero bytes.
    const QByteArray window = file.read(64 * 1024);
    int first = 0;
    while (first < window.size() && window[first] == '\0')
        ++first;
    if (first + 4 > window.size())
        return false;
    const auto* header = reinterpret_cast<const unsigned char*>(window.constData() + first);
    const int length = mpeg_frame_length(header);
    if (length == 0)
        return false;
    const qint64 next = at + first + length;
    if (length < 0 || next + 4 > size)
        return true;
    if (!file.seek(next))
        return false;
    const QByteArray second = file.read(4);
    return second.size() == 4 && mpeg_frame_length(reinterpret_cast<const unsigned char*>(second.constData())) != 0;
}

QString filter(const QString& description, const QStringList& suffixes)
{
    QStringList patterns;
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix.toLower();
    for (const QString& suffix : suffixes)
        patterns << QStringLiteral("*.") + suffix.toUpper();
    return description + QLatin1Char('|') + patterns.join(QLatin1Char(';'));
}

} // namespace

QString pictureFilter()
{
    QStringList suffixes;
    for (const QByteArray& format : QImageReader::supportedImageFormats())
        suffixes << QString::fromLatin1(format);
    return filter(QStringLiteral("图片文件"), suffixes);
}

QString soundFilter() { return filter(QStringLiteral("声音文件"), {QStringLiteral("wav"), QStringLiteral("mp3")}); }

bool pictureReadable(QIODevice& device)
{
    QImageReader reader(&device);
    return reader.canRead() && !reader.read().isNull();
}

namespace {

ImportSource refused(const QString& path, const char* why)
{
    qWarning().noquote() << "not imported:" << path << why;
    return {ImportRead::Refused, {}};
}

// A sound the player plays: the extension of the chosen name, since the copy
// keeps that name, and the contents, since the player finds the decoder by
// them (so either kind plays under either name).
bool soundPlayable(const QString& chosenPath, const QByteArray& data)
{
    const QString ext = fileExtension(chosenPath).toLower();
    if (ext != QLatin1String("wav") && ext != QLatin1String("mp3"))
        return false;
    QBuffer buffer;
    buffer.setData(data);
    if (!buffer.open(QIODevice::ReadOnly))
        return false;
    return wave_is_sane(buffer) || (buffer.seek(0) && mpeg_audio_is_sane(buffer));
}

bool pictureDecodes(const QByteArray& data)
{
    QBuffer buffer;
    buffer.setData(data);
    return buffer.open(QIODevice::ReadOnly) && pictureReadable(buffer);
}

} // namespace

ImportSource readImportSource(const QString& path, ImportKind kind)
{
    // Links are resolved first, then the target is opened without following
    // one: a link swapped in between is refused, not followed.
    const QString target = QFileInfo(path).canonicalFilePath();
    if (target.isEmpty()) {
        qWarning().noquote() << "not imported:" << path << "does not exist";
        return {ImportRead::Missing, {}};
    }
    const QByteArray native = QFile::encodeName(target);
    struct stat status {};
    // Only stat before the open: opening a device can have effects of its own.
    if (::stat(native.constData(), &status) != 0)
        return refused(path, std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return refused(path, "is not a regular file");
    // Non-blocking, so that even a pipe put in its place since never waits.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return refused(path, std::strerror(errno));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused(path, "cannot be read");
    }
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        return refused(path, "is not a regular file");
    if (status.st_size > kImportSizeLimit)
        return refused(path, "is too large");
    const QByteArray data = file.read(status.st_size);
    if (data.size() != status.st_size)
        return refused(path, "could not be read whole");
    const bool usable = kind == ImportKind::Sound ? soundPlayable(path, data) : pictureDecodes(data);
    if (!usable)
        return refused(path, kind == ImportKind::Sound ? "is not a sound the player plays" : "is not a picture");
    return {ImportRead::Taken, data};
}

QString importRefusal(const QString& path, ImportKind kind)
{
    const QString name = QFileInfo(path).fileName();
    return kind == ImportKind::Sound ? QStringLiteral("无法导入：%1 不是能播放的声音文件（WAV 或 MP3）").arg(name)
                                     : QStringLiteral("无法导入：%1 不是能显示的图片文件").arg(name);
}

bool fileHolds(const QString& path, const QByteArray& data)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != data.size())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll() == data;
}

bool pictureFileReadable(const QString& path)
{
    return readImportSource(path, ImportKind::Picture).result == ImportRead::Taken;
}

bool soundFilePlayable(const QString& path)
{
    return readImportSource(path, ImportKind::Sound).result == ImportRead::Taken;
}

} // namespace orvalen
