// The keyboard and mouse service: key states by key name, the cursor and the pick ray through it.
#pragma once

#include <SDL_events.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Service.h"
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
    // Samples keys and mouse for this frame and aims the pick ray.
    void Update(float dt) override;
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
    bool LeftClick();
    bool LeftClickTrigger();
    bool RightClick();
    bool RightClickTrigger();
    bool MiddleClick();
    int xMouse();
    int yMouse();
    float xMouseProjected(float z);
    float yMouseProjected(float z);
    char* getKeystates() { return keys.data(); }
    char* getPastKeystates() { return pastKeys.data(); }
    char* getNetworkKeystates() { return netKeys.data(); }
    char* getNetworkPastKeystates() { return netPastKeys.data(); }

    // The scan code of a key name in any case; 0 for a name that is not a key.
    int CodeOf(const std::string& name) const;
    float GetCursorWorldX() const { return cursorWorldX; }
    float GetCursorWorldY() const { return cursorWorldY; }
    const PickRay& GetPickRay() const { return ray; }

private:
    bool EditorActive();
    static bool Held(const std::array<char, 256>& state, int code);
    void SampleDevices();
    void SampleScript();
    // Puts the script's events up to `frame` in place, the cursor's move added to this frame's.
    void ApplyScript();
    void SendScriptedMessages();
    // Keeps the devices' changes since the last sample as events.
    void KeepDeviceChanges();
    void Keep(InputScript::Event event);
    // Sees the devices' typed text and wheel turns as they are queued: they reach the game as window
    // messages only, never as sampled state.
    static int WatchDeviceEvents(void* service, SDL_Event* event);
    void AimRay();

    std::array<char, 256> keys{};
    std::array<char, 256> pastKeys{};
    std::array<char, 256> netKeys{};
    std::array<char, 256> netPastKeys{};
    std::map<std::string, int> keyNames;
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
    int frame = 1;  // the input-script frame of the last sample: what gameplay sees that frame
    bool keepingSeen = false;
    bool watching = false;  // WatchDeviceEvents is installed
    std::vector<InputScript::Event> seen;
    int keptCursorX = 0;  // the cursor as the kept events leave it
    int keptCursorY = 0;
};

}  // namespace Input
