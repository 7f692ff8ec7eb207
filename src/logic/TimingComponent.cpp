// The level clock.
#include "logic/TimingComponent.h"

#include <cstdio>
#include <string>

namespace Logic {

TimingComponent::TimingComponent()
    : text(engine, 20, 500, static_cast<int>(ScreenText::ScreenWidth(engine) - 40.0f),
           ScreenText::ScreenHeight(engine) / 600.0f * 3.0f, "Time: 0") {
    text->panel = kClockPanel;
}

void TimingComponent::Bind() {
    BindProperty(&pause, "Pause", this, &TimingComponent::PauseTimer);
    ZELM::DynamicBinder::Bind("PauseTimer", this, &TimingComponent::PauseTimer);
}

void TimingComponent::SetPause(bool paused) {
    pause = paused;
    engine.Call("FrezeYouBastard", pause);
    if (!paused) {
        // What the stopwatch counted while the clock stood still is dropped.
        stopwatchMs = 0.0f;
        engine.Call("PostSomeText", std::string(" "));
    }
}

void TimingComponent::PauseTimer(const bool& paused) {
    SetPause(paused);
    if (paused) {
        waitingNotice = true;
        // A clock standing at 0 beside "Waiting for player" reads as a broken race: it shows again
        // when the race starts it.
        text->text = " ";
    }
}

void TimingComponent::Update(float dtMs) {
    stopwatchMs += dtMs;
    if (!pause) {
        time += stopwatchMs * 0.001f;
        stopwatchMs = 0.0f;
        char shown[64];
        // A clock slowed by the game speed option is no time to compare.
        const bool assisted = engine.IsBound("IsAssisted") && engine.Call<bool>("IsAssisted");
        std::snprintf(shown, sizeof shown, "Time: %.3f%s", static_cast<double>(time), assisted ? " assisted" : "");
        text->text = shown;
    }
    if (waitingNotice) {
        waitingNotice = false;
        engine.Call("PostSomeText", std::string("Waiting for player to connect..."));
        engine.Call("FrezeYouBastard", pause);
    }
}

}  // namespace Logic
