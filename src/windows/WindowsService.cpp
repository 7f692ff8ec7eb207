// The window service's bindings and message pump.
#include "windows/WindowsService.h"

namespace Windows {

void WindowsService::Bind() { ZELM::DynamicBinder::Bind("HandleOSMessages", this, &WindowsService::HandleOSMessages); }

void WindowsService::HandleOSMessages() {}

}  // namespace Windows
