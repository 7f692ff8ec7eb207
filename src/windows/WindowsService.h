// The window service: owns the game's window and pumps the operating system's messages.
#pragma once

#include "engine/Service.h"

namespace Windows {

class WindowsService : public ZELM::Service {
public:
    explicit WindowsService(bool headless) : headless(headless) {}

    void Bind() override;
    void Init() override {}
    void Update(float dt) override { UpdateComponents(dt); }

    // Handles every message waiting for the window; a headless run has no window and none to handle.
    void HandleOSMessages();
    bool IsHeadless() const { return headless; }

private:
    bool headless;
};

}  // namespace Windows
