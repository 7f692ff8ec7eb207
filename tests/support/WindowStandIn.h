// A window of another size than the headless device's, as the display service tells it by name.
#pragma once

#include "engine/Service.h"

namespace ZELMTest {

class WindowStandIn : public ZELM::Service {
public:
    WindowStandIn(int width, int height) : width(width), height(height) {}
    void Bind() override {
        DynamicBinder::Bind("GetScreenWidth", this, &WindowStandIn::GetScreenWidth);
        DynamicBinder::Bind("GetScreenHeight", this, &WindowStandIn::GetScreenHeight);
    }
    void Init() override {}
    void Update(float) override {}
    int GetScreenWidth() { return width; }
    int GetScreenHeight() { return height; }
    int width, height;
};

}  // namespace ZELMTest
