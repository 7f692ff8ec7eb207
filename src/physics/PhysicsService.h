// The physics service: updates the bodies of the level.
#pragma once

#include "engine/Service.h"

namespace Kestrin {

class PhysicsService : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

}  // namespace Kestrin
