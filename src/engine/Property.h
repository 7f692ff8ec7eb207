// The base of a component's or service's named, saved values; the binder owns them.
#pragma once

namespace ZELM {

class Property {
public:
    virtual ~Property() = default;
};

}  // namespace ZELM
