// Marks a player entity as the remote one, driven by the keys received from the other machine.
#pragma once

#include "engine/Component.h"

namespace Input {

class NetworkInput : public ZELM::Component {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float) override {}
};

}  // namespace Input
