// Keeps the entities by name and destroys them at the end of the frame in which that was asked.
#pragma once

#include <deque>
#include <string>
#include <map>

#include "engine/EntityHandle.h"
#include "engine/IVisitor.h"

namespace ZELM {

class EntityController {
public:
    ~EntityController();

    // Makes a new entity; an existing entity of that name keeps its place in the table.
    EntityHandle Create(const std::string& name);
    EntityHandle CreateFromArchetype(const std::string& name, const std::string& archetype);
    // Inserts an entity under its name unless that name is taken.
    void Add(const EntityHandle& handle);
    // The entity of that name, or a null handle.
    EntityHandle Get(const std::string& name) const;

    // Replaces the entity's components by the archetype's and initialises them; a missing
    // archetype is reported and the entity keeps its components.
    void ApplyArchetype(const EntityHandle& handle, const std::string& archetype);
    // Renames an entity; a name another entity holds is refused with a report.
    void RenameEntity(const EntityHandle& handle, const std::string& newName);

    // Marks the entity dying; it stays usable until FlushDying at the end of the frame. A second
    // request for a dying entity is ignored.
    void RequestDestroy(const EntityHandle& handle);
    void FlushDying();
    void DestroyAllEntities();

    void VisitEntities(IVisitor<EntityHandle>& visitor);
    std::size_t Size() const { return table.size(); }

private:
    // Ordered by name, so a level saves to the same bytes however it was loaded.
    std::map<std::string, EntityHandle> table;
    std::deque<EntityHandle> dyingQueue;
};

}  // namespace ZELM
