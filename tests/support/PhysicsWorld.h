// A small world for physics tests: the game-flow and physics services, an entity table, and boxes.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/Physical.h"
#include "logic/LogicService.h"
#include "physics/PhysicsComponent.h"
#include "physics/PhysicsService.h"
#include "utilities/LuaState.h"

namespace ZELMTest {

// Sets a component's property by its name (spaces or underscores), as a loaded file would.
template <typename T>
void SetProperty(ZELM::Component& component, std::string name, T value) {
    std::replace(name.begin(), name.end(), ' ', '_');
    for (auto& property : component.GetProperties()) {
        if (property->GetName() == name) {
            static_cast<ZELM::PropertyImpl<T>*>(property.get())->SetValue(value);
        }
    }
}

class PhysicsWorld {
public:
    PhysicsWorld() {
        logic = new Logic::LogicService();
        physics = new Kestrin::PhysicsService();
        services.emplace_back(logic);
        services.emplace_back(physics);
        logic->SetServiceName("Logic");
        physics->SetServiceName("Physics");
        ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
        registry.SetServices(&services);
        registry.SetEntities(&entities);
        for (auto& service : services) {
            service->Bind();
        }
        for (auto& service : services) {
            service->Init();
        }
    }

    ~PhysicsWorld() {
        entities.DestroyAllEntities();
        services.clear();
        ZELM::ComponentRegistry::DestroyInstance();
        ZELM::DynamicBase::RemoveTablesOf("Engine");
        ZELM::LuaState::Close();
    }

    // A box of the given size at (x, y); inverseMass 0 makes it immovable.
    Kestrin::PhysicsComponent* AddBox(const std::string& name, float x, float y, float width = 1.0f,
                                      float height = 1.0f, float inverseMass = 1.0f, unsigned id = 0) {
        ZELM::EntityHandle entity = entities.Create(name);
        ZELM::ComponentRegistry& registry = ZELM::ComponentRegistry::Instance();
        auto* physical = static_cast<ZELM::Physical*>(registry.Create("Logic", "Physical"));
        Attach(entity, physical);
        physical->SetX(x);
        physical->SetY(y);
        physical->SetWidth(width);
        physical->SetHeight(height);
        auto* body = static_cast<Kestrin::PhysicsComponent*>(registry.Create("Physics", "PhysicsComponent"));
        entity.Resolve()->AddComponent(body);
        body->Bind();
        body->SetInverseMass(inverseMass);
        body->SetID(id);
        body->AddToService();
        body->Init();
        return body;
    }

    // Gives an entity one more component, bound and in its service, the way the editor attaches one.
    static void Attach(const ZELM::EntityHandle& entity, ZELM::Component* component) {
        entity.Resolve()->AddComponent(component);
        component->Bind();
        component->AddToService();
        component->Init();
    }

    // A loaded tile map of the given size at offset 0, all empty.
    Logic::WorldMap& Map(unsigned width, unsigned height) {
        Logic::WorldMap& map = logic->GetWorldMap();
        map.Free();
        map.Create(width, height);
        return map;
    }

    std::vector<std::unique_ptr<ZELM::Service>> services;
    ZELM::EntityController entities;
    Logic::LogicService* logic = nullptr;
    Kestrin::PhysicsService* physics = nullptr;
};

}  // namespace ZELMTest
