// Ties a race player's physics body to the network manager: the manager sets its gravity
// association and, for the remote player, its motion.
#pragma once

#include "engine/Component.h"

namespace ZELM {
class Physical;
}

namespace Networking {

class NetworkingComponent : public ZELM::Component {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float) override {}

    // The "Gravity Association" of the entity's physics body, or null without one. Asked anew
    // each time rather than kept: the body may be replaced or removed (the editor) while this
    // component lives.
    unsigned* GetAssociation();
    // Whether the entity is the remote player: it reads the keys that come over the network.
    bool IsRemote() const;
};

}  // namespace Networking
