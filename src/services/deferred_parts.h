#pragma once
#include "services/network_probes.h"
#include "services/sound_player.h"

#include <QString>
#include <QtPlugin>
#include <memory>

class QWidget;

namespace orvalen {

class LogoVideo;
class TimerFactory;

// What the deferred module (a Qt plugin beside the executable) makes: the
// parts that need Qt Multimedia or Qt Network, which the program itself
// does not link.
class DeferredParts {
public:
    virtual ~DeferredParts() = default;
    // The stage sound player on the calling thread.
    virtual std::unique_ptr<SoundBackend> makeSoundBackend() = 0;
    // A logo video player for `file` shown in `box`.
    virtual std::unique_ptr<LogoVideo> makeLogoVideo(const QString& file, QWidget* box) = 0;
    // The network probes, with their timeouts on timers of `timers`.
    virtual std::unique_ptr<NetworkProbes> makeNetworkProbes(TimerFactory& timers) = 0;
};

} // namespace orvalen

#define ORVALEN_DEFERRED_PARTS_IID "org.orvalen.DeferredParts/1.0"
Q_DECLARE_INTERFACE(orvalen::DeferredParts, ORVALEN_DEFERRED_PARTS_IID)
