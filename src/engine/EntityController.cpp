// Entity creation, renaming and destruction.
#include "engine/EntityController.h"

#include <vector>

#include "engine/ArchetypeTable.h"
#include "engine/Entity.h"
#include "engine/InitVisitor.h"
#include "engine/ProblemReport.h"

namespace ZELM {

EntityController::~EntityController() { DestroyAllEntities(); }

EntityHandle EntityController::Create(const std::string& name) {
    auto* entity = new Entity(name);
    EntityHandle handle(entity);
    table.emplace(name, handle);
    entity->SetSelfHandle(handle);
    return handle;
}

EntityHandle EntityController::CreateFromArchetype(const std::string& name, const std::string& archetype) {
    EntityHandle handle = Create(name);
    ApplyArchetype(handle, archetype);
    return handle;
}

void EntityController::ApplyArchetype(const EntityHandle& handle, const std::string& archetype) {
    Entity* entity = handle.Resolve();
    if (entity == nullptr) {
        return;
    }
    XmlReader* reader = ArchetypeTable::Instance().Find(archetype);
    if (reader == nullptr) {
        ZELM_PROBLEM("ZELM::EntityController::ApplyArchetype", "Could not find entity archetype \"%s\"!",
                     archetype.c_str());
        return;
    }
    entity->DestroyAllComponents();
    entity->LoadComponents(*reader, *reader->GetRoot());
    InitVisitor init;
    entity->VisitComponents(init);
    entity->SetArchetypeName(archetype);
    reader->Rewind();
}

void EntityController::Add(const EntityHandle& handle) {
    if (const Entity* entity = handle.Resolve()) {
        table.emplace(entity->GetName(), handle);
    }
}

EntityHandle EntityController::Get(const std::string& name) const {
    const auto found = table.find(name);
    return found != table.end() ? found->second : EntityHandle();
}

void EntityController::RenameEntity(const EntityHandle& handle, const std::string& newName) {
    Entity* entity = handle.Resolve();
    if (entity == nullptr) {
        return;
    }
    if (table.count(newName) != 0 && entity->GetName() != newName) {
        ZELM_PROBLEM("ZELM::EntityController::RenameEntity", "Entity named \"%s\" already exists!", newName.c_str());
        return;
    }
    entity->UseBinderName(newName);
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (it->second == handle) {
            table.erase(it);
            break;
        }
    }
    table.emplace(newName, handle);
    entity->SetName(newName);
    entity->SetSelfHandle(handle);
}

void EntityController::RequestDestroy(const EntityHandle& handle) {
    Entity* entity = handle.GetIfAlive();
    if (entity == nullptr || entity->IsDying()) {
        return;
    }
    entity->SetDying();
    dyingQueue.push_back(handle);
}

void EntityController::FlushDying() {
    while (!dyingQueue.empty()) {
        EntityHandle handle = dyingQueue.front();
        dyingQueue.pop_front();
        const Entity* entity = handle.GetIfAlive();
        if (entity == nullptr) {
            continue;  // destroyed meanwhile with all the others
        }
        const auto found = table.find(entity->GetName());
        if (found != table.end() && found->second == handle) {
            table.erase(found);
        }
        handle.Destroy();
    }
}

void EntityController::DestroyAllEntities() {
    // Moved out first: a dying entity's components may still look entities up.
    std::map<std::string, EntityHandle> doomed;
    doomed.swap(table);
    for (auto& entry : doomed) {
        entry.second.Destroy();
    }
    dyingQueue.clear();
}

void EntityController::VisitEntities(IVisitor<EntityHandle>& visitor) {
    std::vector<EntityHandle> visited;
    visited.reserve(table.size());
    for (auto& entry : table) {
        visited.push_back(entry.second);
    }
    for (EntityHandle& handle : visited) {
        visitor.Visit(handle);
    }
}

}  // namespace ZELM
