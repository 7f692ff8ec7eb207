// The service that pairs two machines for a race and exchanges their state.
#pragma once

#include "engine/Service.h"

namespace Networking {

class NetworkManager : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }
};

}  // namespace Networking
