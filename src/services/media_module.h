#pragma once
#include "services/sound_player.h"

#include <QString>
#include <QtGlobal>
#include <memory>

namespace orvalen {

// Qt Multimedia is not linked into the program, whose start would load it
// and the sound libraries under it before the first frame: it comes with
// the media module next to the executable, loaded on first use.
// Loads the module (once); false, logged once, when it cannot be loaded.
bool load_media_module();
// One of the module's functions; nullptr when the module or the function
// is missing.
QFunctionPointer media_function(const char* name);

// The media module's sound backend, made on the first sound. Without the
// module the sounds are silent and the run goes on.
class MediaSoundBackend final : public SoundBackend {
public:
    MediaSoundBackend();
    ~MediaSoundBackend() override;

    void mci_play(const QString& path) override;
    void mci_stop(const QString& path) override;
    void wav_play(const QString& path) override;
    void wav_play_loop(const QString& path) override;
    void wav_stop() override;

private:
    SoundBackend* backend();

    std::unique_ptr<SoundBackend> m_backend;
    bool m_tried = false;
};

} // namespace orvalen
