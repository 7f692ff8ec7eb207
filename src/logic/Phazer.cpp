// Phasing from SPACE or the controller's phase profile.
#include "logic/Phazer.h"

#include <string>

#include "engine/ComponentAttachment.h"

namespace Logic {

void Phazer::Bind() { BindProperty(&disablePlayer, "DisablePlayer", true, false); }

void Phazer::Init() {
    if (ZELM::Entity* owner = GetOwner().Resolve()) {
        ZELM::EnsureComponent(*owner, "Logic", "PlayerMovement");
    }
}

void Phazer::Update(float) {
    if (disablePlayer) {
        return;
    }
    // A remote player phases by the keys that came over the network, never by this machine's.
    const bool remote = OwnerHas("NetworkInput");
    const bool phasing = engine.Call<bool>(remote ? "NetActionDown" : "ActionDown", std::string("phase"));
    if (phasing) {
        Call("SetSolid", false, 1.0f);
    } else if (!Call<bool>("IsSolid")) {
        // The physics makes the body solid again once it is out of every blue block.
        Call("SetSolid", false, 0.0f);
    }
}

}  // namespace Logic
