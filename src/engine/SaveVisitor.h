// Writes components (their service, type and properties) and properties through a serializer.
#pragma once

#include "engine/Component.h"
#include "engine/IVisitor.h"
#include "engine/ISerializer.h"
#include "engine/Property.h"

namespace ZELM {

class SaveVisitor : public IVisitor<Component>, public IVisitor<Property> {
public:
    explicit SaveVisitor(ISerializer& serializer) : serializer(serializer) {}

    // A "Component" element: the service's short name, the type name, then every property in
    // binding order.
    void Visit(Component& component) override;
    void Visit(Property& property) override { property.Save(serializer); }

private:
    ISerializer& serializer;
};

}  // namespace ZELM
