// The ordered pair solver: fixed pairs first, and the pairs that bodies blocked meanwhile fix next.
#pragma once

#include <cstddef>
#include <vector>

#include "physics/CollisionPair.h"

namespace Kestrin {

class PhysicsComponent;

class PairSolver {
public:
    // Resolves every confirmed pair once, dropping the others; the list is left in the order of
    // resolution.
    void Solve(std::vector<CollisionPair>& pairs);

    // Told by a body when one of its sides becomes blocked, so that while solving only that
    // body's pairs are looked at again.
    void NoteBlocked(PhysicsComponent* body) {
        if (watchingBlocks) {
            newlyBlocked.push_back(body);
        }
    }

private:
    static void ApplyBlocking(CollisionPair& pair);
    static void PropagateBlocking(std::vector<CollisionPair>& pairs, std::size_t from);
    static void ResolveRun(std::vector<CollisionPair>& pairs, std::size_t& next);
    void FixNewlyBlockedPairs(std::vector<CollisionPair>& pairs, std::size_t from);
    void IndexPairsByBody(const std::vector<CollisionPair>& pairs);
    void SwapPairs(std::vector<CollisionPair>& pairs, std::size_t a, std::size_t b);

    // The bodies blocked since the pairs were last examined, and, built when first needed in a
    // step, each body's pairs and where every pair now stands in the list.
    bool watchingBlocks = false;
    bool pairsIndexed = false;
    std::vector<PhysicsComponent*> newlyBlocked;
    std::vector<PhysicsComponent*> indexedBodies;
    std::vector<unsigned> bodyPairsStart;
    std::vector<unsigned> bodyPairs;
    std::vector<unsigned> pairAt;
    std::vector<unsigned> positionOf;
    std::vector<unsigned> visitedIn;
    unsigned visit = 0;
    std::vector<std::size_t> nowFixed;
};

}  // namespace Kestrin
