// The graphic components drawn where their entities stand at the frame's moment between the last
// two ticks, in the two passes of the frame around the level.
#pragma once

#include <glm/glm.hpp>
#include <vector>

namespace ZELM {
class Component;
}

namespace Graphics {

class ComponentDrawing {
public:
    // How far from its entity's place a component is drawn at `blend` between the last two ticks (0
    // at the earlier, 1 at the later): where the entity stood then, less where it stands.
    static glm::vec3 DrawShiftOf(const ZELM::Component& component, float blend);
    // The engine's blend between its last two ticks, 1 without an engine.
    static float Blend();
    // The component's "Draw", moved to where its entity stands at the frame's moment between ticks.
    static void Draw(ZELM::Component* component);
    // The component's "Draw", moved by `shift`; a component without "Draw" is skipped.
    static void DrawShifted(ZELM::Component* component, const glm::vec3& shift);
    // The first pass, before the level: every component but the cubes, power-ups and ghosts.
    static void DrawBeforeLevel(const std::vector<ZELM::Component*>& components);
    // The second pass, after the level: every component, the player graphics and then the ghosts last.
    static void DrawAfterLevel(const std::vector<ZELM::Component*>& components);
};

}  // namespace Graphics
