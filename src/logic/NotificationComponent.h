// The notice line, and the wait for ENTER after a result.
#pragma once

#include <string>

#include "logic/GameComponent.h"
#include "logic/ScreenText.h"

namespace Logic {

class NotificationComponent : public GameComponent {
public:
    // Creates the notice line.
    NotificationComponent();

    void Bind() override;
    void Init() override {}
    // While a result waits, ENTER goes on to the result screen.
    void Update(float dt) override;

    void INowWin() { waitForEnter = true; }
    void Show(const std::string& notice) { text->text = notice; }
    const std::string& GetShown() const { return text->text; }
    bool IsWaitingForEnter() const { return waitForEnter; }

private:
    ScreenText text;
    bool waitForEnter = false;
};

}  // namespace Logic
