// The game-flow service: updates the gameplay components and enters their types in the registry.
#pragma once

#include "engine/Service.h"

namespace Logic {

class LogicService : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override;
    void Update(float dt) override { UpdateComponents(dt); }
};

}  // namespace Logic
