// The graphics service's bindings and presentation.
#include "graphics/GraphicsService.h"

namespace Graphics {

void GraphicsService::Bind() { ZELM::DynamicBinder::Bind("Present", this, &GraphicsService::Present); }

void GraphicsService::Present() {}

}  // namespace Graphics
