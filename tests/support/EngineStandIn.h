// Stands in for the input, sound, graphics and editor services on the "Engine" table: keys and
// controller profiles the test holds, and a record of the sounds and effects the gameplay asked for.
#pragma once

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "input/Action.h"
#include "input/Controls.h"
#include "utilities/Dynamic.h"

namespace ZELM {
class LevelMap;
}

namespace ZELMTest {

class EngineStandIn : public ZELM::DynamicBinder {
public:
    EngineStandIn() {
        SetName("Engine");
        Bind("KeyDown", this, &EngineStandIn::KeyDown);
        Bind("KeyTriggered", this, &EngineStandIn::KeyTriggered);
        Bind("NetKeyDown", this, &EngineStandIn::NetKeyDown);
        Bind("IsPressed", this, &EngineStandIn::IsPressed);
        Bind("ActionDown", this, &EngineStandIn::ActionDown);
        Bind("ActionTriggered", this, &EngineStandIn::ActionTriggered);
        Bind("NetActionDown", this, &EngineStandIn::NetActionDown);
        Bind("ActionPadLevel", this, &EngineStandIn::ActionPadLevel);
        Bind("NameControls", this, &EngineStandIn::NameControls);
        Bind("IsPressedProfile", this, &EngineStandIn::IsPressedProfile);
        Bind("IsTriggeredProfile", this, &EngineStandIn::IsTriggeredProfile);
        Bind("GetIntensity", this, &EngineStandIn::GetIntensity);
        Bind("SetIntensity", this, &EngineStandIn::SetIntensity);
        Bind("SetGravRadius", this, &EngineStandIn::SetGravRadius);
        Bind("xMouse", this, &EngineStandIn::xMouse);
        Bind("yMouse", this, &EngineStandIn::yMouse);
        Bind("LeftClickTrigger", this, &EngineStandIn::LeftClickTrigger);
        Bind("AnyPressTriggered", this, &EngineStandIn::AnyPressTriggered);
        Bind("AnyButtonTriggered", this, &EngineStandIn::AnyButtonTriggered);
        for (const char* name : {"PlayChangeGrav", "PlayChangeGrav2", "PlayJump", "PlayWin", "PlaySpawn",
                                 "HitCheckPoint", "SplashYellow", "SplashUpGreen", "SplashDownGreen",
                                 "SplashLeftGreen", "SplashRightGreen", "SplashUpRed", "SplashDownRed",
                                 "SplashLeftRed", "SplashRightRed", "ResetCamera", "ToggleFullscreen",
                                 "ToggleResolution", "PlayButtonSelect", "PlayButtonHowTo"}) {
            recorders.push_back(std::make_unique<Recorder>(name, calls));
            Bind(name, recorders.back().get(), &Recorder::Record);
        }
        Bind("GetLevelName", this, &EngineStandIn::GetLevelName);
        Bind("SetLevelDrawingPointer", this, &EngineStandIn::SetLevelDrawingPointer);
        Bind("SetVsync", this, &EngineStandIn::SetVsync);
        Bind("EditorBlockingInput", this, &EngineStandIn::EditorBlockingInput);
        Bind("PlayBGM", this, &EngineStandIn::PlayBGM);
        Bind("ToggleBGM", this, &EngineStandIn::ToggleBGM);
        BindBroadcast("SetAllowCommunication", this, &EngineStandIn::SetAllowCommunication);
        BindBroadcast("SetRaceCourse", this, &EngineStandIn::SetRaceCourse);
        BindDeferred("Quit", this, &EngineStandIn::Quit);
        BindDeferred("NextLevel", this, &EngineStandIn::NextLevel);
        BindDeferred("LoadLevel", this, &EngineStandIn::LoadLevel);
    }
    ~EngineStandIn() override { UnbindAll(); }

    static std::string Upper(std::string key) {
        std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::toupper(c); });
        return key;
    }
    bool KeyDown(std::string key) { return held.count(Upper(key)) != 0; }
    // Pressed this frame: the test clears `triggeredKeys` itself.
    bool KeyTriggered(std::string key) { return triggeredKeys.count(Upper(key)) != 0; }
    bool NetKeyDown(std::string key) { return netHeld.count(Upper(key)) != 0; }
    char IsPressed(Input::Action action) { return buttons.count(action) ? 1 : 0; }
    // The actions as the game ships them: by their default key's name, or their pad controls.
    struct ActionStandIn {
        const char* key;
        std::vector<int> pad;
        int profile;  // the gravity actions' right-stick profile, else 0
    };
    static const ActionStandIn* ActionOf(const std::string& action) {
        static const std::map<std::string, ActionStandIn> kActions = {
            {"gravityup", {"UP", {Input::kRightUp}, 6}},         {"gravitydown", {"DOWN", {Input::kRightDown}, 7}},
            {"gravityleft", {"LEFT", {Input::kRightRight}, 8}},   {"gravityright", {"RIGHT", {Input::kRightLeft}, 9}},
            {"phase", {"SPACE", {Input::kRightTrigger, Input::kLeftTrigger}, 0}},
            {"walkleft", {"A", {Input::kLeftLeft, Input::kDpadRight}, 0}},
            {"walkright", {"D", {Input::kLeftRight, Input::kDpadLeft}, 0}},
            {"walkup", {"W", {Input::kLeftUp, Input::kDpadUp}, 0}},
            {"walkdown", {"S", {Input::kLeftDown, Input::kDpadDown}, 0}},
            {"pause", {"P", {Input::kButtonStart}, 0}},  {"restart", {"R", {Input::kButtonBack}, 0}}};
        const auto found = kActions.find(action);
        return found != kActions.end() ? &found->second : nullptr;
    }
    bool ActionDown(std::string action) {
        const ActionStandIn* known = ActionOf(action);
        if (known == nullptr) {
            return false;
        }
        bool pad = false;
        for (const int control : known->pad) {
            pad = pad || buttons.count(control) != 0;
        }
        return held.count(known->key) != 0 || pad;
    }
    bool ActionTriggered(std::string action) {
        const ActionStandIn* known = ActionOf(action);
        return known != nullptr && triggeredKeys.count(known->key) != 0;
    }
    std::string NameControls(std::string text) { return Input::Controls().NameIn(text, false); }
    bool NetActionDown(std::string action) {
        const ActionStandIn* known = ActionOf(action);
        return known != nullptr && netHeld.count(known->key) != 0;
    }
    float ActionPadLevel(std::string action) {
        const ActionStandIn* known = ActionOf(action);
        // Up and right read positive levels, down and left negative ones, as the right stick gives them.
        const char level = known != nullptr && known->profile != 0 ? IsPressedProfile(known->profile) : 0;
        const bool negative = action == "gravitydown" || action == "gravityleft";
        return static_cast<float>(negative ? -level : level) / 5.0f;
    }
    char IsPressedProfile(int profile) { return profiles.count(profile) ? profiles[profile] : 0; }
    char IsTriggeredProfile(int profile) { return triggered.count(profile) ? 1 : 0; }
    float GetIntensity() { return intensity; }
    void SetIntensity(float value) { intensity = value; }
    void SetGravRadius(float value) { gravRadius = value; }
    int xMouse() { return mouseX; }
    int yMouse() { return mouseY; }
    // Clicked this frame: the test clears `leftClicked` itself.
    bool LeftClickTrigger() { return leftClicked; }
    bool AnyPressTriggered() { return !triggeredKeys.empty() || leftClicked; }
    // A pad button pressed this frame: the test clears `padButtonPressed` itself.
    bool AnyButtonTriggered() { return padButtonPressed; }
    std::string GetLevelName() { return levelName; }
    void SetLevelDrawingPointer(ZELM::LevelMap* map) { drawnMap = map; }
    bool SetVsync(bool on) {
        calls.push_back(on ? "SetVsync on" : "SetVsync off");
        return on && displayWaits;
    }
    bool EditorBlockingInput() { return editorHasKeys; }
    void PlayBGM(int track) { calls.push_back("PlayBGM " + std::to_string(track)); }
    void ToggleBGM(bool paused) { calls.push_back(paused ? "ToggleBGM on" : "ToggleBGM off"); }
    void SetAllowCommunication(bool allow) { calls.push_back(allow ? "SetAllowCommunication" : "no communication"); }
    void SetRaceCourse(std::string course) { calls.push_back("SetRaceCourse " + course); }
    void Quit() { levelsAsked.push_back("quit"); }
    void NextLevel() { levelsAsked.push_back("next"); }
    void LoadLevel(const std::string& name) { levelsAsked.push_back(name); }

    // How often the named call was made since the last Clear.
    long Count(const std::string& name) const { return std::count(calls.begin(), calls.end(), name); }

    std::set<std::string> held;
    std::set<std::string> triggeredKeys;
    std::set<std::string> netHeld;
    std::set<int> buttons;
    std::map<int, char> profiles;
    std::set<int> triggered;
    float intensity = 1.0f;
    float gravRadius = 0.0f;
    int mouseX = 0;
    int mouseY = 0;
    bool leftClicked = false;
    bool padButtonPressed = false;
    std::vector<std::string> calls;
    std::vector<std::string> levelsAsked;
    std::string levelName;  // the level the game would say it plays
    ZELM::LevelMap* drawnMap = nullptr;  // the map the renderer was last given
    bool displayWaits = true;  // whether vsync asked for is given
    bool editorHasKeys = false;

private:
    struct Recorder {
        Recorder(std::string name, std::vector<std::string>& calls) : name(std::move(name)), calls(calls) {}
        void Record() { calls.push_back(name); }
        std::string name;
        std::vector<std::string>& calls;
    };
    std::vector<std::unique_ptr<Recorder>> recorders;
};

}  // namespace ZELMTest
