// The graphics service: draws each frame and presents it.
#pragma once

#include "engine/Service.h"

namespace Graphics {

class GraphicsService : public ZELM::Service {
public:
    explicit GraphicsService(bool headless) : headless(headless) {}

    void Bind() override;
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }

    // Shows the frame drawn this frame; a headless run has no device and shows nothing.
    void Present();
    bool IsHeadless() const { return headless; }

private:
    bool headless;
};

}  // namespace Graphics
