#include "display/logo_video.h"

#include "services/deferred_module.h"
#include "services/deferred_parts.h"

namespace orvalen {

// The players come from the deferred module (Qt Multimedia is not linked
// into the program).
std::unique_ptr<LogoVideo> QtLogoVideoFactory::create(const QString& file, QWidget* box)
{
    if (file.isEmpty() || !box)
        return nullptr;
    DeferredParts* parts = deferredParts();
    return parts ? parts->makeLogoVideo(file, box) : nullptr;
}

} // namespace orvalen
