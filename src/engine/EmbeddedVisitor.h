// A visitor of entities that applies a component visitor to every component of each entity.
#pragma once

#include "engine/Component.h"
#include "engine/Entity.h"
#include "engine/EntityHandle.h"
#include "engine/IVisitor.h"

namespace ZELM {

class EmbeddedVisitor : public IVisitor<EntityHandle> {
public:
    explicit EmbeddedVisitor(IVisitor<Component>& inner) : inner(inner) {}
    void Visit(EntityHandle& handle) override {
        if (Entity* entity = handle.Resolve()) {
            entity->VisitComponents(inner);
        }
    }

private:
    IVisitor<Component>& inner;
};

}  // namespace ZELM
