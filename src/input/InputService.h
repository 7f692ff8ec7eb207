// The keyboard and mouse service.
#pragma once

#include "engine/Service.h"

namespace Input {

class InputService : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

}  // namespace Input
