// Collects, frame by frame, the players and the other bodies inside an area, for scripts.
#pragma once

#include <vector>

#include "engine/Component.h"

namespace Kestrin {
class PhysicsComponent;
}

namespace Logic {

class GravitySectorComponent : public ZELM::Component {
public:
    void Bind() override;
    void Init() override {}
    // Starts the frame's collection afresh.
    void Update(float dt) override;

    // A player adds its gravity association to the mask; any other body joins the list.
    void AddPhysicsComponentToGravitySector(Kestrin::PhysicsComponent* body);
    unsigned GetPlayers() const { return players; }
    const std::vector<Kestrin::PhysicsComponent*>& GetBodies() const { return bodies; }

private:
    unsigned players = 0;
    std::vector<Kestrin::PhysicsComponent*> bodies;
};

}  // namespace Logic
