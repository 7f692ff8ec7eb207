// One frame of the graphics service as the engine runs it at 60 frames a second: a tick, then the
// frame's drawing.
#pragma once

#include "graphics/GraphicsService.h"

namespace ZELMTest {

inline void RunGraphicsFrame(Graphics::GraphicsService& graphics, float dt) {
    graphics.BeginTick();
    graphics.Update(dt);
    graphics.UpdateFrame(dt);
}

}  // namespace ZELMTest
