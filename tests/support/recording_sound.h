#pragma once
#include "services/sound_player.h"

#include <QStringList>

namespace orvalen::test {

// Keeps every sound call as "wav:<file>", "loop:<file>", "wavstop",
// "mp3:<file>", "mp3stop:<file>" (file names only).
class RecordingSoundBackend final : public SoundBackend {
public:
    void playTrack(const QString& path) override { calls << QStringLiteral("mp3:") + name(path); }
    void stopTrack(const QString& path) override { calls << QStringLiteral("mp3stop:") + name(path); }
    void playWave(const QString& path) override { calls << QStringLiteral("wav:") + name(path); }
    void playWaveLoop(const QString& path) override { calls << QStringLiteral("loop:") + name(path); }
    void stopWave() override { calls << QStringLiteral("wavstop"); }
    // The calls since the last take().
    QStringList take()
    {
        QStringList out = calls.mid(m_taken);
        m_taken = calls.size();
        return out;
    }
    QStringList calls;

private:
    static QString name(const QString& path) { return path.section(u'/', -1); }
    int m_taken = 0;
};

} // namespace orvalen::test
