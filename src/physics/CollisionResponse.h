// How one pair of overlapping bodies is pushed apart, or, for a ghost, reported to its entity.
#pragma once

#include "physics/CollisionPair.h"

namespace Kestrin {

class PhysicsComponent;

class CollisionResponse {
public:
    // A ghost tells its entity what overlaps it and pushes nothing; a fixed pair moves the second
    // body alone; a free pair shares the push and exchanges momentum along it. Either way the
    // contacts are recorded on both bodies.
    static void Resolve(CollisionPair& pair);

private:
    // Whether `ghost` is a ghost; if so, its entity hears of `other` through each call it answers.
    static bool TriggerGhost(PhysicsComponent& ghost, PhysicsComponent& other);
    static void ResolveFixed(CollisionPair& pair);
    static void ResolveFree(CollisionPair& pair);
};

}  // namespace Kestrin
