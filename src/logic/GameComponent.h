// The base of the gameplay components: a component that also reaches the engine's table by name.
#pragma once

#include <string>

#include "engine/Component.h"
#include "engine/Entity.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class GameComponent : public ZELM::Component {
protected:
    GameComponent() { engine.SetName("Engine"); }

    // Whether the own entity carries a component of the type.
    bool OwnerHas(const std::string& typeName) const {
        const ZELM::Entity* owner = GetOwner().GetIfAlive();
        return owner != nullptr && owner->GetComponent(typeName) != nullptr;
    }

    // Calls on "Engine": the services (sounds, graphics, input) and the engine itself.
    ZELM::DynamicCaller engine;
};

}  // namespace Logic
