// Which entity the mouse points at: the editor's right click reaches every entity that is drawn
// and has a place and size, whatever model it is drawn with.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "engine/EntityHandle.h"

namespace ZELM {
class DynamicCaller;
}

namespace LevelEditor {

class EntityPicker {
public:
    using Vector = std::array<float, 3>;

    struct Ray {
        Vector origin{};
        Vector direction{0.0f, 0.0f, 1.0f};
    };

    // An entity's bounds: its size centred on its place, as its model is scaled and placed.
    struct Box {
        ZELM::EntityHandle entity;
        Vector low{};
        Vector high{};
    };

    // How far along the ray, in lengths of its direction, it enters the box; none when it misses.
    static std::optional<float> EntryDistance(const Ray& ray, const Box& box);
    // The box the ray enters first; null when it meets none.
    static const Box* Nearest(const Ray& ray, const std::vector<Box>& boxes);
    // Every living entity with a "Draw", a place ("GetX", "GetY", "GetZ") and a size ("GetWidth",
    // "GetHeight", "GetLength").
    static std::vector<Box> DrawnEntities();
    // The input service's pick ray, read through its points on the planes z = 0 and z = 1; none
    // while no service answers for the mouse.
    static std::optional<Ray> MouseRay(ZELM::DynamicCaller& engine);
    // The drawn entity under the mouse; a null handle when there is none.
    static ZELM::EntityHandle UnderMouse(ZELM::DynamicCaller& engine);
};

}  // namespace LevelEditor
