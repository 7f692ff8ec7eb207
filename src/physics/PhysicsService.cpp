// The frame: every body stepped in 5 ms pieces, each piece followed by the broad phase and the solver.
#include "physics/PhysicsService.h"

#include <algorithm>

#include "engine/ComponentRegistry.h"
#include "engine/FrameTimer.h"
#include "engine/ProblemReport.h"
#include "physics/PhysicsComponent.h"

namespace Kestrin {
namespace {

// Milliseconds since a clock reading, for the phase statistics.
float MsSince(std::int64_t start) {
    return static_cast<float>(ZELM::FrameTimer::Now() - start) / 1.0e6f;
}

// Asks for the next body of a pass over all of them while this one is worked on: the bodies lie
// all over memory, and waiting for each in turn was a large part of a step with many of them.
constexpr std::size_t kPrefetchAhead = 4;
void Prefetch(const ZELM::Component* body) {
    const char* bytes = reinterpret_cast<const char*>(body);
    // Unrolled: as a loop, counting through a body's lines cost more instructions than its step's
    // own arithmetic.
#pragma GCC unroll 32
    for (std::size_t offset = 0; offset < sizeof(PhysicsComponent); offset += 64) {
        __builtin_prefetch(bytes + offset);
    }
}

// Asks for the place of a body a little further on: its Physical lies elsewhere again, and the
// tile collision's first read of it waited on memory for most bodies. The body itself was asked for
// kPrefetchAhead - kPlaceAhead bodies ago, so reading where its Physical is costs no wait.
constexpr std::size_t kPlaceAhead = 2;
void PrefetchPlace(const ZELM::Component* body) {
    if (const ZELM::Physical* physical = static_cast<const PhysicsComponent*>(body)->GetPhysical()) {
        __builtin_prefetch(physical->GetStateAddress());
    }
}

}  // namespace

void PhysicsService::Bind() {
    ZELM::DynamicBinder::Bind("ChangeGlobalGravity", this, &PhysicsService::ChangeGlobalGravity);
    BindBroadcast("ReorderEndpoint", this, &PhysicsService::ReorderEndpoint);
    BindBroadcast("AddEndpoint", this, &PhysicsService::AddEndpoint);
    BindBroadcast("RemoveEndpoint", this, &PhysicsService::RemoveEndpoint);
    BindProperty(&freezePhysics, "Freeze Physics", true, true);
    BindProperty(&totalTime, "Time Taken Total", false, true);
    BindProperty(&stepTimes[kClearingIds], "Time Taken Clearing IDs", false, true);
    BindProperty(&stepTimes[kMoving], "Time Taken Moving", false, true);
    BindProperty(&stepTimes[kClearingCollisions], "Time Taken Clearing Collisions", false, true);
    BindProperty(&stepTimes[kSweepX], "Time Taken Sweeping and Pruning (X-Axis)", false, true);
    BindProperty(&stepTimes[kSweepY], "Time Taken Sweeping and Pruning (Y-Axis)", false, true);
    BindProperty(&stepTimes[kSolving], "Time Taken Solving Collisions", false, true);
    ZELM::DynamicBinder::Bind("CanChangeGravity", this, &PhysicsService::CanChangeGravity);
    ZELM::DynamicBinder::Bind("SetAbilityToChangeGravity", this, &PhysicsService::SetAbilityToChangeGravity);
}

void PhysicsService::Init() {
    ZELM::ComponentRegistry::Instance().Register<PhysicsComponent>("Physics", "PhysicsComponent");
}

void PhysicsService::AddComponent(ZELM::Component* component) {
    auto* body = dynamic_cast<PhysicsComponent*>(component);
    if (body == nullptr) {
        ZELM_PROBLEM("Kestrin::PhysicsService::AddComponent", "Component \"%s\" is not a physics body!",
                     component->GetTypeName().c_str());
        return;
    }
    Service::AddComponent(component);
    body->SetService(this);
}

void PhysicsService::Update(float dtMs) {
    const std::int64_t start = ZELM::FrameTimer::Now();
    std::fill(std::begin(stepTimes), std::end(stepTimes), 0.0f);
    if (!freezePhysics) {
        // What is left of the frame to simulate. The piece under 5 ms is stepped too, so nothing is
        // carried over to the next frame.
        float remainingMs = std::min(dtMs, kMaxFrameMs);
        const auto& bodies = GetComponents();
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            if (i + kPrefetchAhead < bodies.size()) {
                Prefetch(bodies[i + kPrefetchAhead]);
            }
            static_cast<PhysicsComponent*>(bodies[i])->ClearContacts();
        }
        while (remainingMs > kStepMs) {
            Step(kStepMs);
            remainingMs -= kStepMs;
        }
        Step(remainingMs);
    }
    totalTime = MsSince(start);
}

void PhysicsService::Step(float h) {
    // One clock reading a phase, each phase timed from the end of the one before: a reading costs
    // about as much as stepping a body, and a step of few bodies took twelve.
    std::int64_t mark = ZELM::FrameTimer::Now();
    const auto lap = [this, &mark](Phase phase) {
        const std::int64_t now = ZELM::FrameTimer::Now();
        stepTimes[phase] += static_cast<float>(now - mark) / 1.0e6f;
        mark = now;
    };
    lap(kClearingIds);

    const auto& bodies = GetComponents();
    // Indexed: a body's step may create or destroy entities through the calls it makes.
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        if (i + kPrefetchAhead < bodies.size()) {
            Prefetch(bodies[i + kPrefetchAhead]);
        }
        if (i + kPlaceAhead < bodies.size()) {
            PrefetchPlace(bodies[i + kPlaceAhead]);
        }
        static_cast<PhysicsComponent*>(bodies[i])->Update(h);
    }
    lap(kMoving);

    pairs.clear();
    lap(kClearingCollisions);

    broadPhase.Sweep(axisLists, true, pairs);
    lap(kSweepX);
    broadPhase.Sweep(axisLists, false, pairs);
    lap(kSweepY);

    solver.Solve(pairs);
    lap(kSolving);
}

void PhysicsService::FindPairs() {
    broadPhase.RefreshImmovable(axisLists);
    pairs.clear();
    broadPhase.Sweep(axisLists, true, pairs);
    broadPhase.Sweep(axisLists, false, pairs);
}

}  // namespace Kestrin
