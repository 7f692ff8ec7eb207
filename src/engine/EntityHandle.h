// The handle through which everything outside the entity controller refers to an entity.
#pragma once

#include "utilities/Handle.h"
#include "utilities/TypeInfo.h"

namespace ZELM {

class Entity;
using EntityHandle = Handle<Entity>;

// Entities are deleted where Entity is complete, whatever includes the handle.
template <>
struct HandleDeleter<Entity> {
    static void Delete(Entity* entity);
};

ZELM_TYPE_DISPLAY_NAME(EntityHandle, "ZELM::EntityHandle");

}  // namespace ZELM
