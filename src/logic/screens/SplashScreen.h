// The splash: shown for six seconds, or until any key, mouse button or pad button goes straight to
// the main menu, as its one line says.
#pragma once

#include <memory>
#include <string>

#include "logic/ScreenText.h"
#include "logic/screens/Screen.h"

namespace Logic {

class SplashScreen : public Screen {
public:
    static constexpr float kShowMs = 6000.0f;
    static constexpr const char* kPrompt = "Press any key";

    // Starts the wait and puts the prompt under the picture.
    void Init() override;
    void Update(float dt) override;
    const std::string& GetPrompt() const { return (*prompt)->text; }

private:
    // A key, a mouse button or a pad button pressed anew; each source only when it is there.
    bool AnythingPressed();

    float elapsed = 0.0f;
    std::unique_ptr<ScreenText> prompt;
};

}  // namespace Logic
