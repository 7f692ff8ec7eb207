// The level clock: counts the level's time, shows it, and stops while paused.
#pragma once

#include "logic/GameComponent.h"
#include "logic/ScreenText.h"

namespace Logic {

class TimingComponent : public GameComponent {
public:
    // Creates the clock line.
    TimingComponent();

    void Bind() override;
    void Init() override {}
    // Adds the frame's time unless paused and shows it; then the waiting notice, when due.
    void Update(float dtMs) override;

    // Stops or restarts the clock and freezes or releases the player; stopping also makes the
    // "waiting for player" notice due.
    void PauseTimer(const bool& paused);
    // The same without the notice, for the game flow: a finished player's clock stops, and
    // "UnpauseTimer" starts it again.
    void Pause() { SetPause(true); }
    void Resume() { SetPause(false); }
    // Adds a note after the stopped clock's time, such as the difference to a ghost's time; the
    // clock's next tick writes the time alone again.
    void ShowBesideTime(const std::string& note) { text->text += note; }
    float GetTime() const { return time; }
    bool IsPaused() const { return pause; }

private:
    void SetPause(bool paused);

    // The stopwatch: frame time since it was last restarted, in milliseconds. It follows the
    // engine's frames, so a run with fixed frame times keeps a repeatable clock.
    float stopwatchMs = 0.0f;
    float time = 0.0f;  // seconds
    bool pause = false;
    bool waitingNotice = false;
    ScreenText text;
};

}  // namespace Logic
