#include "display/logo_video.h"

#include "services/deferred_module.h"

namespace orvalen {

// The players come from the deferred module (Qt Multimedia is not linked
// into the program).
std::unique_ptr<LogoVideo> QtLogoVideoFactory::create(const QString& file, QWidget* box)
{
    if (file.isEmpty() || !box)
        return nullptr;
    using Make = LogoVideo* (*)(const QString&, QWidget*);
    const auto make = reinterpret_cast<Make>(deferred_function("orvalen_make_logo_video"));
    return std::unique_ptr<LogoVideo>(make ? make(file, box) : nullptr);
}

} // namespace orvalen
