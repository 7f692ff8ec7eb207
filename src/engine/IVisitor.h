// Applies one operation to each visited value (components, entities, services, registry items).
#pragma once

namespace ZELM {

template <typename T>
class IVisitor {
public:
    virtual ~IVisitor() = default;
    virtual void Visit(T& value) = 0;
};

}  // namespace ZELM
