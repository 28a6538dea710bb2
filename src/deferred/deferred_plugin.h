#pragma once
#include "services/deferred_parts.h"

#include <QObject>

namespace orvalen {

// The deferred module's entry: Qt Multimedia and Qt Network, and the sound,
// codec and Kerberos libraries under them, load with this plugin after the
// first frame, not with the program.
class DeferredPlugin final : public QObject, public DeferredParts {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ORVALEN_DEFERRED_PARTS_IID)
    Q_INTERFACES(orvalen::DeferredParts)

public:
    std::unique_ptr<SoundBackend> makeSoundBackend() override;
    std::unique_ptr<LogoVideo> makeLogoVideo(const QString& file, QWidget* box) override;
    std::unique_ptr<NetworkProbes> makeNetworkProbes(TimerFactory& timers) override;
};

} // namespace orvalen
