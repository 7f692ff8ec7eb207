// Adds each visited component to the service that owns its type.
#pragma once

#include "engine/Component.h"
#include "engine/IVisitor.h"

namespace ZELM {

class AddToParentServiceVisitor : public IVisitor<Component> {
public:
    void Visit(Component& component) override { component.AddToService(); }
};

}  // namespace ZELM
