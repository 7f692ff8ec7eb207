// The keyboard and mouse service: key states by key name, the cursor and the pick ray through it.
#pragma once

#include <SDL_events.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Service.h"
#include "input/ControllerState.h"
#include "input/Controls.h"
#include "input/InputScript.h"
#include "input/MouseState.h"
#include "input/PickRay.h"

namespace Input {

class InputService : public ZELM::Service {
public:
    // Without a script the devices are read (none when headless); with one, only the script.
    explicit InputService(bool headless = false, std::string scriptPath = std::string());
    ~InputService() override;

    // Binds the queries and enters the "NetworkInput" component type.
    void Bind() override;
    // Reads the input script; its first frame's events are in place before the first frame runs.
    void Init() override;
    // Hands the tick what was sampled since the last one: what is held now, and every key and
    // button that went down since though it is up again, so a tap between two ticks still reaches
    // the game; a press reaches it once however many frames or ticks it spans.
    void BeginTick() override;
    // Aims the pick ray.
    void Update(float dt) override;
    // Samples keys and mouse (or the script's frame) for the coming ticks.
    void UpdateFrame(float frameMs) override;
    // The script's frames are ticks, not display frames: a replay's input, which was recorded by
    // the tick that saw it, so it plays back the same at any display rate.
    void PlayScriptByTick() { scriptByTick = true; }
    // Broadcast: lets the script's "level" lines count frames from this level's first frame.
    void LevelStart();
    // Plays this script text (an input script) instead of the file or the devices.
    void UseScriptText(std::string text) {
        scriptText = std::move(text);
        playingText = true;
    }
    // From now on keeps, as input-script events stamped with the frame they are seen in, what each
    // sample brought (the devices' changes or the script's events) until taken.
    void KeepSeenEvents() { keepingSeen = true; }
    std::vector<InputScript::Event> TakeSeenEvents() { return std::move(seen); }
    // The events that put the present state in place from nothing: the keys held and the cursor.
    std::vector<InputScript::Event> HeldEvents() const;

    // Bound by name. Gameplay queries read false while the editor is active.
    bool KeyDown(std::string name);
    bool KeyTriggered(std::string name);
    bool EditorKeyDown(std::string name);
    bool EditorKeyTriggered(std::string name);
    bool NetKeyDown(std::string name);
    bool NetKeyTriggered(std::string name);
    // The player's actions through the controls they chose: the bound keys or pad controls.
    bool ActionDown(std::string action);
    bool ActionTriggered(std::string action);
    // The remote player's action, from the key the peer's datagram carries for it.
    bool NetActionDown(std::string action);
    // How far the action's pad controls are pushed, 0 to 1 (a button is all or nothing).
    float ActionPadLevel(std::string action);
    Controls GetControls() const { return controls; }
    void SetControls(Controls chosen) { controls = chosen; }
    void RestoreDefaultControls() { controls = Controls(); }
    // The line the player reads about the change.
    std::string BindControlKey(std::string action, int code);
    std::string BindControlPad(std::string action, int padAction);
    // A text with its "{action}" names replaced by the keys, or the pad's controls when the pad was
    // the last device used.
    std::string NameControls(std::string text);
    bool IsPadLastUsed() const { return padLastUsed; }
    // The scan code of a key that went down for this tick (the lowest), or 0.
    int FirstKeyTriggered();
    // The scripted gamepad, which the gamepad service reads in place of a device.
    ControllerState GetScriptedPad() const { return script ? script->GetState().pad : ControllerState(); }
    bool IsScriptedPadConnected() const { return script && script->GetState().padConnected; }
    bool LeftClick();
    bool LeftClickTrigger();
    bool RightClick();
    bool RightClickTrigger();
    bool MiddleClick();
    // Any key or mouse button that went down for this tick: what a screen that any key skips asks.
    bool AnyPressTriggered();
    int xMouse();
    int yMouse();
    float xMouseProjected(float z);
    float yMouseProjected(float z);
    char* getKeystates() { return keys.data(); }
    char* getPastKeystates() { return pastKeys.data(); }
    char* getNetworkKeystates() { return netKeys.data(); }
    char* getNetworkPastKeystates() { return netPastKeys.data(); }
    // The keys as the game shipped them for every action held: what a race datagram carries.
    char* getActionKeystates() { return actionKeys.data(); }
    char* getPastActionKeystates() { return pastActionKeys.data(); }

    // Input comes from a script or a replay, not from the devices.
    bool IsInputScripted() { return script != nullptr; }
    // The scan code of a key name in any case; 0 for a name that is not a key.
    int CodeOf(const std::string& name) const;
    float GetCursorWorldX() const { return cursorWorldX; }
    float GetCursorWorldY() const { return cursorWorldY; }
    const PickRay& GetPickRay() const { return ray; }

private:
    bool EditorActive();
    static bool Held(const std::array<char, 256>& state, int code);
    void SampleDevices();
    // What one sample saw, or the ticks since the last publish saw together.
    struct Sample {
        std::array<char, 256> keys{};
        MouseState mouse;
        int cursorX = 0;
        int cursorY = 0;
    };
    // Puts the script's events up to `at` (a frame, or a tick when played by tick) in place in
    // `into`, the cursor's move added to the one it holds.
    void ApplyScript(int at, Sample& into);
    void SendScriptedMessages(int keptAt);
    // Notes what went down between the sample before and this one, for the next tick to see.
    void LatchPresses(const Sample& before);
    void Publish(const Sample& sample);
    // Keeps what changed in the state the tick sees as events stamped with the tick.
    void KeepPublishedChanges();
    void Keep(InputScript::Event event, int at);
    // Sees the devices' typed text and wheel turns as they are queued: they reach the game as window
    // messages only, never as sampled state.
    static int WatchDeviceEvents(void* service, SDL_Event* event);
    void AimRay();
    bool KeyOfActionHeld(Controls::Id id, const std::array<char, 256>& state) const;
    bool PadHeld(int padAction);
    void FillActionKeys();
    // The pad counts as the last device used from its first press until the next key or click.
    void NoteLastDevice();

    // What the tick in progress sees, and what the one before saw.
    std::array<char, 256> keys{};
    std::array<char, 256> pastKeys{};
    Sample sampled;           // the last sample
    Sample pressedSinceTick;  // keys and buttons that went down, and the mouse's moves, since the last tick
    bool sampledSinceTick = false;
    bool scriptByTick = false;
    int tick = 0;  // the tick in progress
    std::array<char, 256> netKeys{};
    std::array<char, 256> netPastKeys{};
    std::map<std::string, int> keyNames;
    Controls controls;
    std::array<char, 256> actionKeys{};
    std::array<char, 256> pastActionKeys{};
    bool padLastUsed = false;
    MouseState mouse;
    MouseState pastMouse;
    int cursorX = 0;
    int cursorY = 0;
    float cursorWorldX = 0.0f;
    float cursorWorldY = 0.0f;
    PickRay ray;

    bool headless;
    std::string scriptPath;
    std::unique_ptr<InputScript> script;
    std::string scriptText;  // played instead of the file when playingText
    bool playingText = false;
    int frame = 1;  // the input-script frame of the last sample: what the next tick sees
    bool keepingSeen = false;
    bool watching = false;  // WatchDeviceEvents is installed
    std::vector<InputScript::Event> seen;
    int keptCursorX = 0;  // the cursor as the kept events leave it
    int keptCursorY = 0;
};

}  // namespace Input
