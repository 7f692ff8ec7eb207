// Steps every body in 5 ms pieces, finds overlapping boxes by sweep and prune, and pushes them apart.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/GravityParameters.h"
#include "engine/Service.h"
#include "physics/AxisLists.h"
#include "physics/BandedSweep.h"
#include "physics/CollisionPair.h"
#include "physics/Endpoint.h"

namespace Kestrin {

class PhysicsComponent;

class PhysicsService : public ZELM::Service {
public:
    static constexpr float kStepMs = 5.0f;
    static constexpr float kMaxFrameMs = 100.0f;
    // Up to this many open boxes met per list entry, the broad phase compares with all of them.
    static constexpr std::size_t kFewOpenBoxesPerBox = 2;

    // The phases of a sub-step whose durations the service keeps.
    enum Phase { kClearingIds, kMoving, kClearingCollisions, kSweepX, kSweepY, kSolving, kPhaseCount };

    void Bind() override;
    // Enters "PhysicsComponent" in the component registry.
    void Init() override;
    // Simulates the frame's time: 5 ms sub-steps and one remainder, at most 100 ms a frame.
    void Update(float dtMs) override;
    void AddComponent(ZELM::Component* component) override;

    // Bound by name.
    void ChangeGlobalGravity(float gx, float gy, ZELM::GravityParameters source);
    void ReorderEndpoint(Endpoint* endpoint, bool isXAxis) { axisLists.ReorderEndpoint(endpoint, isXAxis); }
    void AddEndpoint(Endpoint* endpoint, bool isXAxis) { axisLists.AddEndpoint(endpoint, isXAxis); }
    void RemoveEndpoint(Endpoint* endpoint, bool isXAxis) { axisLists.RemoveEndpoint(endpoint, isXAxis); }
    // Re-sorts both endpoints of a box on one axis after its values changed, `first` first.
    void ReorderBox(Endpoint* first, Endpoint* second, bool isXAxis) {
        axisLists.ReorderBox(first, second, isXAxis);
    }
    bool CanChangeGravity() { return canChangeGravity; }
    void SetAbilityToChangeGravity(bool canChange) { canChangeGravity = canChange; }

    // One sub-step of h milliseconds: integrate every body, sweep both axes, solve.
    void Step(float h);
    // An axis list in order (see AxisLists).
    const std::vector<AxisEntry>& GetEndpoints(bool isXAxis) { return axisLists.GetEndpoints(isXAxis); }
    const std::vector<CollisionPair>& GetPairs() const { return pairs; }
    float GetStepTime(Phase phase) const { return stepTimes[phase]; }
    float GetTotalTime() const { return totalTime; }
    bool IsFrozen() const { return freezePhysics; }
    void SetFrozen(bool frozen) { freezePhysics = frozen; }

    // The broad phase on its own: the pairs of boxes that overlap on both axes.
    void FindPairs();

    // Told by a body when one of its sides becomes blocked, so that while solving only that
    // body's pairs are looked at again.
    void NoteBlocked(PhysicsComponent* body);

    // A listed body's place among the swept boxes, taken before its endpoints are listed and given
    // back once they are all out of the lists.
    unsigned ListBox();
    void UnlistBox(unsigned place);
    // Told by a body whenever its vertical extent or its mass may have changed.
    void SetSweptBox(unsigned place, float yMin, float yMax, bool immovable) {
        SweptBox& box = sweptBoxes[place];
        box.yMin = yMin;
        box.yMax = yMax;
        box.immovable = immovable;
    }

private:
    void Sweep(bool isXAxis);
    bool MeetManyOpenBoxes(std::size_t limit) const;
    bool CopyBoxesForSweep();
    bool SweepByBands();
    void SweepAllOpen();
    void AddPair(PhysicsComponent* entering, bool enteringImmovable, PhysicsComponent* open, bool openImmovable);
    void Solve();
    void PropagateBlocking(std::size_t from);
    static void ApplyBlocking(CollisionPair& pair);
    void ResolveRun(std::size_t& next);
    void FixNewlyBlockedPairs(std::size_t from);
    void IndexPairsByBody();
    void SwapPairs(std::size_t a, std::size_t b);
    void Resolve(CollisionPair& pair);
    void ResolveFixed(CollisionPair& pair);
    void ResolveFree(CollisionPair& pair);
    // A variable zone's component for a turn's component: its strength with the turn's sign.
    float ZoneDirection(float g) const;
    static bool TriggerGhost(PhysicsComponent& ghost, PhysicsComponent& other);
    static unsigned Direction(const PhysicsComponent& first, const PhysicsComponent& second);

    std::vector<CollisionPair> pairs;
    AxisLists axisLists;
    float stepTimes[kPhaseCount] = {};
    float totalTime = 0.0f;
    bool freezePhysics = false;
    float zoneStrength = 14.0f;
    bool canChangeGravity = true;

    // A box the X sweep has entered and not yet left, with what pairing it needs at hand.
    struct ActiveBox {
        PhysicsComponent* body;
        float yMin;
        float yMax;
        bool immovable;
    };
    // What the X sweep reads of each listed box, kept side by side rather than in the bodies: in
    // X order the bodies are all over memory, and reading each of them every step was most of
    // the sweep's cost with many bodies.
    struct SweptBox {
        float yMin = 0.0f;
        float yMax = 0.0f;
        unsigned xMaxRank = 0;
        unsigned rankedIn = 0;  // the sweep that found the box's maximum in the X list
        bool immovable = false;
    };
    std::vector<SweptBox> sweptBoxes;
    std::vector<unsigned> freeBoxPlaces;
    unsigned sweepCount = 0;
    // Copies every listed body's mass into its swept box before a sweep.
    void RefreshImmovable();

    // Scratch space kept between steps so the broad phase does not allocate every step.
    std::vector<ActiveBox> active;
    BandedSweep bandedSweep;
    std::vector<BandedSweep::Box> sweepBoxes;
    std::vector<PhysicsComponent*> sweepBodies;
    std::vector<BandedSweep::Overlap> overlaps;

    // Solver scratch: the bodies blocked since the pairs were last examined, and, built when first
    // needed in a step, each body's pairs and where every pair now stands in the list.
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
