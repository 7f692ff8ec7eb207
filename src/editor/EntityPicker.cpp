// Slab tests of the mouse ray against the boxes of the drawn entities.
#include "editor/EntityPicker.h"

#include <cmath>
#include <limits>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"

namespace LevelEditor {
namespace {

constexpr float kParallel = 1.0e-9f;

bool Placed(ZELM::Entity& entity) {
    for (const char* name : {"Draw", "GetX", "GetY", "GetZ", "GetWidth", "GetHeight", "GetLength"}) {
        if (!entity.IsBound(name)) {
            return false;
        }
    }
    return true;
}

bool Finite(const EntityPicker::Vector& vector) {
    return std::isfinite(vector[0]) && std::isfinite(vector[1]) && std::isfinite(vector[2]);
}

}  // namespace

std::optional<float> EntityPicker::EntryDistance(const Ray& ray, const Box& box) {
    float enter = -std::numeric_limits<float>::infinity();
    float leave = std::numeric_limits<float>::infinity();
    for (int axis = 0; axis < 3; ++axis) {
        const float origin = ray.origin[axis];
        const float direction = ray.direction[axis];
        if (std::fabs(direction) < kParallel) {
            if (origin < box.low[axis] || origin > box.high[axis]) {
                return std::nullopt;  // runs beside the box, never into it
            }
            continue;
        }
        float near = (box.low[axis] - origin) / direction;
        float far = (box.high[axis] - origin) / direction;
        if (near > far) {
            std::swap(near, far);
        }
        enter = std::max(enter, near);
        leave = std::min(leave, far);
    }
    if (!(enter <= leave)) {
        return std::nullopt;
    }
    return enter;
}

const EntityPicker::Box* EntityPicker::Nearest(const Ray& ray, const std::vector<Box>& boxes) {
    const Box* nearest = nullptr;
    float nearestDistance = std::numeric_limits<float>::infinity();
    for (const Box& box : boxes) {
        const std::optional<float> distance = EntryDistance(ray, box);
        if (distance && *distance < nearestDistance) {
            nearest = &box;
            nearestDistance = *distance;
        }
    }
    return nearest;
}

std::vector<EntityPicker::Box> EntityPicker::DrawnEntities() {
    struct Collector : ZELM::IVisitor<ZELM::EntityHandle> {
        void Visit(ZELM::EntityHandle& handle) override {
            ZELM::Entity* entity = handle.GetIfAlive();
            if (entity == nullptr || entity->IsDying() || !Placed(*entity)) {
                return;
            }
            const Vector centre{entity->Call<float>("GetX"), entity->Call<float>("GetY"),
                                entity->Call<float>("GetZ")};
            const Vector size{entity->Call<float>("GetWidth"), entity->Call<float>("GetHeight"),
                              entity->Call<float>("GetLength")};
            Box box{handle, {}, {}};
            for (int axis = 0; axis < 3; ++axis) {
                const float half = std::fabs(size[axis]) * 0.5f;
                box.low[axis] = centre[axis] - half;
                box.high[axis] = centre[axis] + half;
            }
            // Level files are hostile: a body at infinity or NaN is no place to click.
            if (Finite(box.low) && Finite(box.high)) {
                boxes.push_back(box);
            }
        }
        std::vector<Box> boxes;
    } collector;
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        entities->VisitEntities(collector);
    }
    return collector.boxes;
}

std::optional<EntityPicker::Ray> EntityPicker::MouseRay(ZELM::DynamicCaller& engine) {
    if (!engine.IsBound("xMouseProjected") || !engine.IsBound("yMouseProjected")) {
        return std::nullopt;
    }
    Ray ray;
    ray.origin = {engine.Call<float>("xMouseProjected", 0.0f), engine.Call<float>("yMouseProjected", 0.0f),
                  0.0f};
    const Vector further{engine.Call<float>("xMouseProjected", 1.0f),
                         engine.Call<float>("yMouseProjected", 1.0f), 1.0f};
    for (int axis = 0; axis < 3; ++axis) {
        ray.direction[axis] = further[axis] - ray.origin[axis];
    }
    if (!Finite(ray.origin) || !Finite(ray.direction)) {
        return std::nullopt;
    }
    return ray;
}

ZELM::EntityHandle EntityPicker::UnderMouse(ZELM::DynamicCaller& engine) {
    const std::optional<Ray> ray = MouseRay(engine);
    if (!ray) {
        return ZELM::EntityHandle();
    }
    const std::vector<Box> boxes = DrawnEntities();
    const Box* hit = Nearest(*ray, boxes);
    return hit != nullptr ? hit->entity : ZELM::EntityHandle();
}

}  // namespace LevelEditor
