#include "services/sound_player.h"

#include "platform/text_path.h"

#include <QFileInfo>

namespace orvalen {
namespace {

// A sound is played only when its file is there; a hidden file counts as
// missing, as a plain directory lookup would treat it.
bool soundFileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QFileInfo info(path);
    return info.isFile() && !info.isHidden();
}

QString lowerExtension(const QString& path)
{
    return fileExtension(path).toLower();
}

} // namespace

void SoundPlayer::playSound(const QString& path)
{
    if (!soundFileExists(path))
        return;
    const QString ext = lowerExtension(path);
    if (ext == QLatin1String("mp3"))
        m_backend.playTrack(path);
    else if (ext == QLatin1String("wav"))
        m_backend.playWave(path);
}

// Stopping needs only the name: a sound whose file was deleted or renamed
// while it played still stops.
void SoundPlayer::stopSound(const QString& path)
{
    if (path.size() <= 3)
        return;
    const QString ext = lowerExtension(path);
    if (ext == QLatin1String("mp3"))
        m_backend.stopTrack(path);
    else if (ext == QLatin1String("wav"))
        m_backend.stopWave();
}

void SoundPlayer::playWaveLoop(const QString& path)
{
    if (!soundFileExists(path))
        return;
    m_backend.playWaveLoop(path);
}

} // namespace orvalen
