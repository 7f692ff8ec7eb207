// Hit points by name.
#include "logic/HP.h"

namespace Logic {

void HP::Bind() {
    ZELM::DynamicBinder::Bind("GetHP", this, &HP::GetHP);
    ZELM::DynamicBinder::Bind("SetHP", this, &HP::SetHP);
    BindProperty(&hp, "HP", false, false);
}

}  // namespace Logic
