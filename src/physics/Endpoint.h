// One end of a body's box on one axis, kept in the service's sorted list for that axis.
#pragma once

namespace Kestrin {

class PhysicsComponent;

struct Endpoint {
    bool isMin = false;     // the lower bound of the box on its axis
    float offset = 0.0f;    // -half size for a minimum, +half size for a maximum
    float value = 0.0f;     // centre plus offset
    unsigned index = 0;     // position in the axis list
    PhysicsComponent* owner = nullptr;
};

// An endpoint's place in an axis list. The value and kind are copied beside the endpoint so that
// keeping the list sorted and sweeping it read one contiguous array instead of every body.
struct AxisEntry {
    float value = 0.0f;
    bool isMin = false;
    unsigned box = 0;  // the owner's place among the service's swept boxes
    Endpoint* endpoint = nullptr;
    PhysicsComponent* owner = nullptr;

    // Whether this entry belongs after `other` in an axis list: by value, and at equal values
    // a minimum before a maximum, so boxes that only touch still overlap.
    bool MustFollow(const AxisEntry& other) const {
        return value > other.value || (value == other.value && !isMin && other.isMin);
    }
};

}  // namespace Kestrin
