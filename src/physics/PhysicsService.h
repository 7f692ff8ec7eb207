// Steps every body in 5 ms pieces, finds overlapping boxes by sweep and prune, and pushes them apart.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/GravityParameters.h"
#include "engine/Service.h"
#include "physics/AxisLists.h"
#include "physics/CollisionPair.h"
#include "physics/Endpoint.h"
#include "physics/GravitySwitch.h"
#include "physics/PairSolver.h"
#include "physics/SweepAndPrune.h"

namespace Kestrin {

class PhysicsComponent;

class PhysicsService : public ZELM::Service {
public:
    static constexpr float kStepMs = 5.0f;
    static constexpr float kMaxFrameMs = 100.0f;

    // The phases of a sub-step whose durations the service keeps.
    enum Phase { kClearingIds, kMoving, kClearingCollisions, kSweepX, kSweepY, kSolving, kPhaseCount };

    void Bind() override;
    // Enters "PhysicsComponent" in the component registry.
    void Init() override;
    // Simulates the frame's time: 5 ms sub-steps and one remainder, at most 100 ms a frame.
    void Update(float dtMs) override;
    void AddComponent(ZELM::Component* component) override;

    // Bound by name.
    void ChangeGlobalGravity(float gx, float gy, ZELM::GravityParameters source) {
        gravitySwitch.Turn(GetComponents(), gx, gy, source);
    }
    void ReorderEndpoint(Endpoint* endpoint, bool isXAxis) { axisLists.ReorderEndpoint(endpoint, isXAxis); }
    void AddEndpoint(Endpoint* endpoint, bool isXAxis) { axisLists.AddEndpoint(endpoint, isXAxis); }
    void RemoveEndpoint(Endpoint* endpoint, bool isXAxis) { axisLists.RemoveEndpoint(endpoint, isXAxis); }
    // Re-sorts both endpoints of a box on one axis after its values changed, `first` first.
    void ReorderBox(Endpoint* first, Endpoint* second, bool isXAxis) {
        axisLists.ReorderBox(first, second, isXAxis);
    }
    bool CanChangeGravity() { return gravitySwitch.CanChangeGravity(); }
    void SetAbilityToChangeGravity(bool canChange) { gravitySwitch.SetAbilityToChangeGravity(canChange); }

    // One sub-step of h milliseconds: integrate every body, sweep both axes, solve.
    void Step(float h);
    // An axis list in order (see AxisLists).
    const std::vector<AxisEntry>& GetEndpoints(bool isXAxis) { return axisLists.GetEndpoints(isXAxis); }
    const std::vector<CollisionPair>& GetPairs() const { return pairs; }
    float GetStepTime(Phase phase) const { return stepTimes[phase]; }
    bool IsFrozen() const { return freezePhysics; }
    void SetFrozen(bool frozen) { freezePhysics = frozen; }

    // The broad phase on its own: the pairs of boxes that overlap on both axes.
    void FindPairs();

    // What the bodies tell the broad phase and the solver (see SweepAndPrune and PairSolver).
    void NoteBlocked(PhysicsComponent* body) { solver.NoteBlocked(body); }
    unsigned ListBox() { return broadPhase.ListBox(); }
    void UnlistBox(unsigned place) { broadPhase.UnlistBox(place); }
    void SetSweptBox(unsigned place, float yMin, float yMax, bool immovable) {
        broadPhase.SetSweptBox(place, yMin, yMax, immovable);
    }

private:
    std::vector<CollisionPair> pairs;
    AxisLists axisLists;
    SweepAndPrune broadPhase;
    PairSolver solver;
    GravitySwitch gravitySwitch;
    float stepTimes[kPhaseCount] = {};
    float totalTime = 0.0f;
    bool freezePhysics = false;
};

}  // namespace Kestrin
