// Calls Init on each visited component.
#pragma once

#include "engine/Component.h"
#include "engine/IVisitor.h"

namespace ZELM {

class InitVisitor : public IVisitor<Component> {
public:
    void Visit(Component& component) override { component.Init(); }
};

}  // namespace ZELM
