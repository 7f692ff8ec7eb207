// The designer's own view in editor and tile modes: panned by the arrows or W/A/S/D and by a
// middle-button drag, zoomed by the wheel. The graphics service holds the camera on it, so the
// player no longer drags it along, and the pick ray (painting, picking) follows it.
#pragma once

namespace ZELM {
class DynamicCaller;
}

namespace LevelEditor {

class EditorView {
public:
    // The camera's distance from the level plane, nearest and farthest.
    static constexpr float kNearest = 3.0f;
    static constexpr float kFarthest = 40.0f;
    // The keys move the view by this many camera distances a second: as fast on screen at any zoom.
    static constexpr float kPanPerSecond = 1.0f;
    // One wheel notch brings the camera this much nearer (or, turned back, further).
    static constexpr float kZoomPerNotch = 0.85f;

    // Takes the camera over where it stands.
    void Hold(ZELM::DynamicCaller& engine);
    // Gives the camera back to the player.
    void Release(ZELM::DynamicCaller& engine);
    bool IsHeld() const { return held; }
    // One frame of `dt` milliseconds: the keys pan while `keysFree`, the middle button drags the
    // point under the mouse along with it, and the camera is told where the view is.
    void Update(ZELM::DynamicCaller& engine, float dt, bool keysFree);
    // Wheel notches away from the designer (positive) bring the camera nearer.
    void Zoom(int notches);

    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetDistance() const { return distance; }

private:
    void PanWithKeys(ZELM::DynamicCaller& engine, float dt);
    void Drag(ZELM::DynamicCaller& engine);

    bool held = false;
    float x = 0.0f;
    float y = 0.0f;
    float distance = 8.0f;
    bool dragging = false;
    // The level point the middle button took hold of.
    float grabX = 0.0f;
    float grabY = 0.0f;
};

}  // namespace LevelEditor
