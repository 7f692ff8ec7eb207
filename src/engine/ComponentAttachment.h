// Gives an entity a component it depends on, the way the editor attaches one to a live entity.
#pragma once

#include <string>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"

namespace ZELM {

// Creates, adds, binds, enters into its service and initialises a component of the type when the
// entity has none.
inline void EnsureComponent(Entity& entity, const std::string& serviceName, const std::string& typeName) {
    if (entity.GetComponent(typeName) != nullptr) {
        return;
    }
    Component* created = ComponentRegistry::Instance().Create(serviceName, typeName);
    if (created == nullptr) {
        return;  // reported by the registry
    }
    entity.AddComponent(created);
    created->Bind();
    created->AddToService();
    created->Init();
}

}  // namespace ZELM
