// Loads each visited property from a serializer.
#pragma once

#include "engine/IVisitor.h"
#include "engine/ISerializer.h"
#include "engine/Property.h"

namespace ZELM {

class LoadVisitor : public IVisitor<Property> {
public:
    explicit LoadVisitor(ISerializer& serializer) : serializer(serializer) {}
    void Visit(Property& property) override { property.Load(serializer); }

private:
    ISerializer& serializer;
};

}  // namespace ZELM
