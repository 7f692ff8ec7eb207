// The sound service.
#pragma once

#include "engine/Service.h"

namespace Audio {

class AudioService : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

}  // namespace Audio
