#include "services/media_module.h"

#include <QCoreApplication>
#include <QDebug>
#include <QLibrary>
#include <utility>

namespace orvalen {

namespace {

QLibrary* media_library()
{
    static QLibrary* library = [] {
        auto* lib = new QLibrary(QCoreApplication::applicationDirPath() + QStringLiteral("/liborvalen_media.so"));
        if (!lib->load())
            qWarning().noquote() << "No sound or video: the media module did not load:" << lib->errorString();
        return lib; // kept loaded until the program ends
    }();
    return library;
}

} // namespace

bool load_media_module()
{
    return media_library()->isLoaded();
}

QFunctionPointer media_function(const char* name)
{
    QLibrary* library = media_library();
    return library->isLoaded() ? library->resolve(name) : nullptr;
}

MediaSoundBackend::MediaSoundBackend() = default;
MediaSoundBackend::~MediaSoundBackend() = default;

SoundBackend* MediaSoundBackend::backend()
{
    if (!std::exchange(m_tried, true)) {
        using Make = SoundBackend* (*)();
        if (const auto make = reinterpret_cast<Make>(media_function("orvalen_make_sound_backend")))
            m_backend.reset(make());
    }
    return m_backend.get();
}

void MediaSoundBackend::mci_play(const QString& path)
{
    if (SoundBackend* b = backend())
        b->mci_play(path);
}

void MediaSoundBackend::mci_stop(const QString& path)
{
    // Nothing plays before the first sound: a stop loads nothing.
    if (m_backend)
        m_backend->mci_stop(path);
}

void MediaSoundBackend::wav_play(const QString& path)
{
    if (SoundBackend* b = backend())
        b->wav_play(path);
}

void MediaSoundBackend::wav_play_loop(const QString& path)
{
    if (SoundBackend* b = backend())
        b->wav_play_loop(path);
}

void MediaSoundBackend::wav_stop()
{
    // Nothing plays before the first sound: a stop loads nothing.
    if (m_backend)
        m_backend->wav_stop();
}

} // namespace orvalen
