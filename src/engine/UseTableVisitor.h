// Points each visited component at its owner's current method table and binds it there again.
#pragma once

#include "engine/Component.h"
#include "engine/Entity.h"
#include "engine/IVisitor.h"

namespace ZELM {

class UseTableVisitor : public IVisitor<Component> {
public:
    void Visit(Component& component) override {
        // Withdrawn first, so rebinding into an unchanged table does not bind every method twice.
        component.UnbindAll();
        if (const Entity* owner = component.GetOwner().Resolve()) {
            component.SetName(owner->GetName());
        }
        component.DeleteProperties();
        component.Bind();
    }
};

}  // namespace ZELM
