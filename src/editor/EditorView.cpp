// Panning and zooming the editor's view, and handing it to the graphics service by name.
#include "editor/EditorView.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "utilities/Dynamic.h"

namespace LevelEditor {
namespace {

bool AnyDown(ZELM::DynamicCaller& engine, std::initializer_list<const char*> keys) {
    for (const char* key : keys) {
        if (engine.Call<bool>("EditorKeyDown", std::string(key))) {
            return true;
        }
    }
    return false;
}

}  // namespace

void EditorView::Hold(ZELM::DynamicCaller& engine) {
    held = true;
    dragging = false;
    if (engine.IsBound("GetCamTargetX")) {
        x = engine.Call<float>("GetCamTargetX");
        y = engine.Call<float>("GetCamTargetY");
        distance = std::clamp(engine.Call<float>("GetCamRadius"), kNearest, kFarthest);
    }
}

void EditorView::Release(ZELM::DynamicCaller& engine) {
    held = false;
    dragging = false;
    if (engine.IsBound("ReleaseView")) {
        engine.Call("ReleaseView");
    }
}

void EditorView::Update(ZELM::DynamicCaller& engine, float dt, bool keysFree) {
    if (!held) {
        return;
    }
    if (keysFree && engine.IsBound("EditorKeyDown")) {
        PanWithKeys(engine, dt);
    }
    if (engine.IsBound("MiddleClick") && engine.IsBound("xMouseProjected")) {
        Drag(engine);
    }
    if (engine.IsBound("HoldView")) {
        engine.Call("HoldView", x, y, distance);
    }
}

void EditorView::PanWithKeys(ZELM::DynamicCaller& engine, float dt) {
    // Ctrl+S saves: its S is no pan.
    if (AnyDown(engine, {"LCTRL", "RCTRL"})) {
        return;
    }
    const float step = kPanPerSecond * distance * std::max(dt, 0.0f) / 1000.0f;
    const float right =
        (AnyDown(engine, {"RIGHT", "D"}) ? 1.0f : 0.0f) - (AnyDown(engine, {"LEFT", "A"}) ? 1.0f : 0.0f);
    const float up =
        (AnyDown(engine, {"UP", "W"}) ? 1.0f : 0.0f) - (AnyDown(engine, {"DOWN", "S"}) ? 1.0f : 0.0f);
    x += right * step;
    y += up * step;
}

void EditorView::Drag(ZELM::DynamicCaller& engine) {
    if (!engine.Call<bool>("MiddleClick")) {
        dragging = false;
        return;
    }
    const float pointedX = engine.Call<float>("xMouseProjected", 0.0f);
    const float pointedY = engine.Call<float>("yMouseProjected", 0.0f);
    if (!std::isfinite(pointedX) || !std::isfinite(pointedY)) {
        return;
    }
    if (!dragging) {
        dragging = true;
        grabX = pointedX;
        grabY = pointedY;
        return;
    }
    // The mouse points where the view stood last frame: moving the view by the difference puts the
    // grabbed point back under the mouse.
    x += grabX - pointedX;
    y += grabY - pointedY;
}

void EditorView::Zoom(int notches) {
    distance =
        std::clamp(distance * std::pow(kZoomPerNotch, static_cast<float>(notches)), kNearest, kFarthest);
}

}  // namespace LevelEditor
