// Two bodies whose boxes overlap, and which way they are to be pushed apart.
#pragma once

namespace Kestrin {

class PhysicsComponent;

// With d = first - second: 1 second is left of first, 2 right of it, 3 above it, 4 below it.
enum PairDirection : unsigned { kSecondLeft = 1, kSecondRight = 2, kSecondAbove = 3, kSecondBelow = 4 };

struct CollisionPair {
    unsigned direction = 0;
    bool confirmed = false;     // overlaps on Y as well as on X
    bool oneSideFixed = false;  // the first body does not give way
    PhysicsComponent* first = nullptr;
    PhysicsComponent* second = nullptr;
};

}  // namespace Kestrin
