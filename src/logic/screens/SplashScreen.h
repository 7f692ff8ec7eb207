// The splash: shown for six seconds, or until ENTER goes straight to the main menu.
#pragma once

#include "logic/screens/Screen.h"

namespace Logic {

class SplashScreen : public Screen {
public:
    static constexpr float kShowMs = 6000.0f;

    void Init() override { elapsed = 0.0f; }
    void Update(float dt) override;

private:
    float elapsed = 0.0f;
};

}  // namespace Logic
