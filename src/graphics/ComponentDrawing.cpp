// Drawing the graphic components between ticks, in the frame's order.
#include "graphics/ComponentDrawing.h"

#include <string>

#include "engine/Component.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/Physical.h"
#include "graphics/MeshGraphic.h"

namespace Graphics {

glm::vec3 ComponentDrawing::DrawShiftOf(const ZELM::Component& component, float blend) {
    ZELM::Entity* owner = blend < 1.0f ? component.GetOwner().GetIfAlive() : nullptr;
    const auto* physical =
        owner != nullptr ? dynamic_cast<const ZELM::Physical*>(owner->GetComponent("Physical")) : nullptr;
    if (physical == nullptr) {
        return glm::vec3(0.0f);
    }
    float x = 0.0f;
    float y = 0.0f;
    physical->GetDrawnPlace(blend, x, y);
    return {x - physical->GetX(), y - physical->GetY(), 0.0f};
}

float ComponentDrawing::Blend() {
    return ZELM::Engine::Exists() ? ZELM::Engine::Instance().GetBlend() : 1.0f;
}

void ComponentDrawing::Draw(ZELM::Component* component) {
    DrawShifted(component, DrawShiftOf(*component, Blend()));
}

void ComponentDrawing::DrawShifted(ZELM::Component* component, const glm::vec3& shift) {
    if (!component->IsBound("Draw")) {
        return;
    }
    auto* mesh = dynamic_cast<MeshGraphic*>(component);
    if (mesh != nullptr) {
        mesh->SetDrawShift(shift);
    }
    component->Call("Draw");
    if (mesh != nullptr) {
        mesh->SetDrawShift(glm::vec3(0.0f));
    }
}

void ComponentDrawing::DrawBeforeLevel(const std::vector<ZELM::Component*>& components) {
    for (ZELM::Component* component : components) {
        const std::string& type = component->GetTypeName();
        // A see-through ghost drawn twice would show twice as strong.
        if (type != "Cube" && type != "Powerup" && type != "GhostGraphic") {
            Draw(component);
        }
    }
}

void ComponentDrawing::DrawAfterLevel(const std::vector<ZELM::Component*>& components) {
    // A level may hold more than one player (the editor places them): the players are drawn after
    // everything else, and the see-through ghosts after them, so a player shows through a ghost.
    std::vector<ZELM::Component*> players;
    std::vector<ZELM::Component*> ghosts;
    for (ZELM::Component* component : components) {
        const std::string& type = component->GetTypeName();
        std::vector<ZELM::Component*>* last =
            type == "GravityGuyGraphic" ? &players : (type == "GhostGraphic" ? &ghosts : nullptr);
        if (last != nullptr) {
            last->push_back(component);
        } else {
            Draw(component);
        }
    }
    for (const std::vector<ZELM::Component*>* last : {&players, &ghosts}) {
        for (ZELM::Component* component : *last) {
            Draw(component);
        }
    }
}

}  // namespace Graphics
