// Resolution order: fixed pairs first, then one free pair at a time with what its blocks fixed.
#include "physics/PairSolver.h"

#include <algorithm>

#include "physics/CollisionResponse.h"
#include "physics/PhysicsComponent.h"

namespace Kestrin {

// A body already pushed away from one side cannot give way there: the pair becomes fixed, with
// the blocked body first. Applying it twice changes nothing.
void PairSolver::ApplyBlocking(CollisionPair& pair) {
    PhysicsComponent& first = *pair.first;
    PhysicsComponent& second = *pair.second;
    auto fixOrSwap = [&pair](bool firstBlocked, bool secondBlocked, unsigned mirrored) {
        if (firstBlocked) {
            pair.oneSideFixed = true;
        } else if (secondBlocked) {
            std::swap(pair.first, pair.second);
            pair.direction = mirrored;
            pair.oneSideFixed = true;
        }
    };
    switch (pair.direction) {
        case kSecondLeft:
            fixOrSwap(first.IsBlocked(kBlockedRight), second.IsBlocked(kBlockedLeft), kSecondRight);
            break;
        case kSecondRight:
            fixOrSwap(first.IsBlocked(kBlockedLeft), second.IsBlocked(kBlockedRight), kSecondLeft);
            break;
        case kSecondAbove:
            fixOrSwap(first.IsBlocked(kBlockedDown), second.IsBlocked(kBlockedUp), kSecondBelow);
            break;
        case kSecondBelow:
            fixOrSwap(first.IsBlocked(kBlockedUp), second.IsBlocked(kBlockedDown), kSecondAbove);
            break;
    }
}

void PairSolver::PropagateBlocking(std::vector<CollisionPair>& pairs, std::size_t from) {
    for (std::size_t i = from; i < pairs.size(); ++i) {
        ApplyBlocking(pairs[i]);
    }
}

// The order of resolution: all fixed pairs first; then, one at a time, the first free pair, after
// which the blocks it caused fix more pairs, which go first again. The pairs left after a run of
// resolutions are all free, and a free pair can only become fixed through a body blocked since, so
// only the pairs of newly blocked bodies are looked at again; they are moved forward exactly as
// a partition of the whole rest would move them, which keeps the order (and every result) of the
// plain propagate-and-partition loop while each step stays linear in the number of pairs.
void PairSolver::Solve(std::vector<CollisionPair>& pairs) {
    pairs.erase(
        std::remove_if(pairs.begin(), pairs.end(), [](const CollisionPair& p) { return !p.confirmed; }),
        pairs.end());
    if (pairs.empty()) {
        return;
    }
    auto fixedFirst = [](const CollisionPair& p) { return p.oneSideFixed; };
    std::partition(pairs.begin(), pairs.end(), fixedFirst);
    PropagateBlocking(pairs, 0);
    std::partition(pairs.begin(), pairs.end(), fixedFirst);
    watchingBlocks = true;
    pairsIndexed = false;
    newlyBlocked.clear();
    std::size_t next = 0;
    ResolveRun(pairs, next);
    while (next < pairs.size()) {
        FixNewlyBlockedPairs(pairs, next);
        ResolveRun(pairs, next);
    }
    watchingBlocks = false;
}

// Resolves the pair at `next` and every fixed pair straight after it.
void PairSolver::ResolveRun(std::vector<CollisionPair>& pairs, std::size_t& next) {
    CollisionResponse::Resolve(pairs[next]);
    ++next;
    while (next < pairs.size() && pairs[next].oneSideFixed) {
        CollisionResponse::Resolve(pairs[next]);
        ++next;
    }
}

void PairSolver::FixNewlyBlockedPairs(std::vector<CollisionPair>& pairs, std::size_t from) {
    if (newlyBlocked.empty()) {
        return;
    }
    if (!pairsIndexed) {
        IndexPairsByBody(pairs);
    }
    if (++visit == 0) {
        std::fill(visitedIn.begin(), visitedIn.end(), 0u);
        visit = 1;
    }
    nowFixed.clear();
    for (PhysicsComponent* body : newlyBlocked) {
        const unsigned slot = body->GetSolverSlot();
        if (slot >= indexedBodies.size() || indexedBodies[slot] != body) {
            continue;  // in no pair of this step
        }
        for (unsigned k = bodyPairsStart[slot]; k < bodyPairsStart[slot + 1]; ++k) {
            const unsigned id = bodyPairs[k];
            const std::size_t at = positionOf[id];
            if (visitedIn[id] == visit || at < from) {
                continue;
            }
            visitedIn[id] = visit;
            ApplyBlocking(pairs[at]);
            if (pairs[at].oneSideFixed) {
                nowFixed.push_back(at);
            }
        }
    }
    newlyBlocked.clear();
    // What std::partition does with them: from the front, each free pair in the first
    // nowFixed.size() places swaps with the last fixed pair not yet moved, from the back.
    std::sort(nowFixed.begin(), nowFixed.end());
    const std::size_t boundary = from + nowFixed.size();
    auto fromBack = nowFixed.rbegin();
    for (std::size_t at = from; at < boundary; ++at) {
        if (!pairs[at].oneSideFixed) {
            SwapPairs(pairs, at, *fromBack++);
        }
    }
}

// Numbers the pairs in their present order and lists, for every body in a pair, its pairs.
void PairSolver::IndexPairsByBody(const std::vector<CollisionPair>& pairs) {
    indexedBodies.clear();
    auto slotOf = [this](PhysicsComponent* body) {
        const unsigned slot = body->GetSolverSlot();
        if (slot < indexedBodies.size() && indexedBodies[slot] == body) {
            return slot;
        }
        body->SetSolverSlot(static_cast<unsigned>(indexedBodies.size()));
        indexedBodies.push_back(body);
        return body->GetSolverSlot();
    };
    const std::size_t count = pairs.size();
    pairAt.resize(count);
    positionOf.resize(count);
    std::vector<unsigned> firstSlot(count), secondSlot(count);
    for (std::size_t i = 0; i < count; ++i) {
        pairAt[i] = static_cast<unsigned>(i);
        positionOf[i] = static_cast<unsigned>(i);
        firstSlot[i] = slotOf(pairs[i].first);
        secondSlot[i] = slotOf(pairs[i].second);
    }
    bodyPairsStart.assign(indexedBodies.size() + 1, 0u);
    for (std::size_t i = 0; i < count; ++i) {
        ++bodyPairsStart[firstSlot[i] + 1];
        ++bodyPairsStart[secondSlot[i] + 1];
    }
    for (std::size_t b = 0; b < indexedBodies.size(); ++b) {
        bodyPairsStart[b + 1] += bodyPairsStart[b];
    }
    bodyPairs.resize(2 * count);
    std::vector<unsigned> fill(bodyPairsStart.begin(), bodyPairsStart.end() - 1);
    for (std::size_t i = 0; i < count; ++i) {
        bodyPairs[fill[firstSlot[i]]++] = static_cast<unsigned>(i);
        bodyPairs[fill[secondSlot[i]]++] = static_cast<unsigned>(i);
    }
    if (visitedIn.size() < count) {
        visitedIn.resize(count, 0u);
    }
    pairsIndexed = true;
}

void PairSolver::SwapPairs(std::vector<CollisionPair>& pairs, std::size_t a, std::size_t b) {
    std::swap(pairs[a], pairs[b]);
    std::swap(pairAt[a], pairAt[b]);
    positionOf[pairAt[a]] = static_cast<unsigned>(a);
    positionOf[pairAt[b]] = static_cast<unsigned>(b);
}

}  // namespace Kestrin
