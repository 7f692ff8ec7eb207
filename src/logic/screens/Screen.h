// The base of the game's screens: a level's one component that reads keys and moves between levels.
#pragma once

#include <string>

#include "engine/Domain.h"
#include "input/Action.h"
#include "logic/ControlWords.h"
#include "utilities/DynamicCaller.h"

namespace Logic {

class Screen : public ZELM::Domain {
protected:
    Screen() { engine.SetName("Engine"); }

    bool KeyTriggered(const char* key) { return engine.Call<bool>("KeyTriggered", std::string(key)); }
    bool PadTriggered(Input::Action button) { return ControlWords::PadTriggered(engine, button); }
    bool ActionTriggered(const char* action) {
        return engine.IsBound("ActionTriggered") && engine.Call<bool>("ActionTriggered", std::string(action));
    }
    // ESC or the pad's B, ENTER or its A: fixed, whatever the player bound, so no one is locked out.
    bool BackTriggered() { return KeyTriggered("ESC") || PadTriggered(Input::kButtonB); }
    bool ConfirmTriggered() { return KeyTriggered("ENTER") || PadTriggered(Input::kButtonA); }
    // Screen changes wait for the end of the frame, after every service has finished it.
    void PostLoadLevel(const std::string& level) { engine.CallLater("LoadLevel", 0.0f, level); }
    void PostNextLevel() { engine.CallLater("NextLevel", 0.0f); }
    void PostQuit() { engine.CallLater("Quit", 0.0f); }
    // A menu starts with the camera at home, the picture at full brightness and no level's map
    // behind it, however it was reached.
    void ResetView() {
        engine.Call("ResetCamera");
        engine.Call("SetIntensity", 1.0f);
        if (engine.IsBound("EraseLevelMap")) {
            engine.Call("EraseLevelMap");
        }
    }

    ZELM::DynamicCaller engine;
};

}  // namespace Logic
