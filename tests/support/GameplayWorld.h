// A physics world with the game's stand-in services and a player: what gameplay tests play in.
#pragma once

#include <string>

#include "engine/DelayedCallQueue.h"
#include "logic/PlayerMovement.h"
#include "support/EngineStandIn.h"
#include "support/PhysicsWorld.h"

namespace ZELMTest {

class GameplayWorld : public PhysicsWorld {
public:
    // A player as the archetype makes one: a 0.8 box with both characters and the movement.
    Kestrin::PhysicsComponent* AddPlayer(float x, float y) {
        Kestrin::PhysicsComponent* body = AddBox("Player", x, y, 0.8f, 0.8f);
        SetProperty(*body, "Bounciness", 0.1f);
        Attach(body->GetOwner(), Create("GravityGuy"));
        Attach(body->GetOwner(), Create("Phazer"));
        return body;
    }

    static ZELM::Component* Create(const std::string& type) {
        return ZELM::ComponentRegistry::Instance().Create("Logic", type);
    }

    // Adds a gameplay component of the type to a new entity.
    template <typename T>
    T* AddComponentEntity(const std::string& name, const std::string& type) {
        ZELM::EntityHandle entity = entities.Create(name);
        auto* component = static_cast<T*>(Create(type));
        Attach(entity, component);
        return component;
    }

    Logic::PlayerMovement* Movement(const std::string& name = "Player") {
        return static_cast<Logic::PlayerMovement*>(entities.Get(name).Resolve()->GetComponent("PlayerMovement"));
    }

    // One frame in the engine's order: game flow, physics, then the delayed calls.
    void Frame(float dtMs = 16.6667f) {
        logic->Update(dtMs);
        physics->Update(dtMs);
        ZELM::DelayedCallQueue::Instance().Advance(dtMs);
    }
    void Frames(int count, float dtMs = 16.6667f) {
        for (int i = 0; i < count; ++i) {
            Frame(dtMs);
        }
    }

    ~GameplayWorld() { ZELM::DelayedCallQueue::DestroyInstance(); }

    EngineStandIn engine;
};

}  // namespace ZELMTest
