// Sub-stepping, the sweep-and-prune broad phase, and the ordered pair solver.
#include "physics/PhysicsService.h"

#include <algorithm>
#include <cmath>

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

// Called for every resolved pair: the names are normalised and hashed once.
const ZELM::MethodName kSetX("SetX");
const ZELM::MethodName kSetY("SetY");
// What a ghost's entity may answer. The physics asks for the calls it makes, not for the
// gameplay's component types: a ghost is a zone or a power-up by what it answers.
const ZELM::MethodName kAddToGravityEffectZone("AddPhysicsComponentToGravityEffectZone");
const ZELM::MethodName kCollidedWithPowerUp("PhysicsComponentCollidedWithPowerUp");
const ZELM::MethodName kAddToVariableGravityZone("AddPhysicsComponentToVariableGravityZone");
// A variable zone is known by the calls it answers, not by its gameplay type.
const ZELM::MethodName kUpdateVariableGravityZone("UpdateVariableGravityZone");
const ZELM::MethodName kIsSwitchRequested("IsVariableGravityZoneSwitchRequested");

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

    Sweep(true);
    lap(kSweepX);
    Sweep(false);
    lap(kSweepY);

    Solve();
    lap(kSolving);
}

void PhysicsService::FindPairs() {
    RefreshImmovable();
    pairs.clear();
    Sweep(true);
    Sweep(false);
}

// ---- Swept boxes ----------------------------------------------------------------------------

unsigned PhysicsService::ListBox() {
    if (!freeBoxPlaces.empty()) {
        const unsigned place = freeBoxPlaces.back();
        freeBoxPlaces.pop_back();
        sweptBoxes[place] = SweptBox{};
        return place;
    }
    sweptBoxes.emplace_back();
    return static_cast<unsigned>(sweptBoxes.size() - 1);
}

void PhysicsService::UnlistBox(unsigned place) {
    if (place < sweptBoxes.size()) {
        freeBoxPlaces.push_back(place);
    }
}

// Before every sweep: the inverse mass can also be written as a plain property, past its setter.
void PhysicsService::RefreshImmovable() {
    axisLists.Settle();
    for (const AxisEntry& entry : axisLists.X()) {
        if (entry.isMin) {
            sweptBoxes[entry.box].immovable = entry.owner->GetInverseMass() == 0.0f;
        }
    }
}

// ---- Broad phase ----------------------------------------------------------------------------

unsigned PhysicsService::Direction(const PhysicsComponent& first, const PhysicsComponent& second) {
    const float dx = first.GetX() - second.GetX();
    const float dy = first.GetY() - second.GetY();
    const float penX = (first.GetWidth() + second.GetWidth()) / 2.0f - std::fabs(dx);
    const float penY = (first.GetHeight() + second.GetHeight()) / 2.0f - std::fabs(dy);
    if (penX < penY) {
        return dx >= 0.0f ? kSecondLeft : kSecondRight;
    }
    return dy >= 0.0f ? kSecondBelow : kSecondAbove;
}

void PhysicsService::AddPair(PhysicsComponent* entering, bool enteringImmovable, PhysicsComponent* open,
                             bool openImmovable) {
    CollisionPair pair;
    if (enteringImmovable) {
        pair.first = entering;
        pair.second = open;
        pair.oneSideFixed = true;
    } else if (openImmovable) {
        pair.first = open;
        pair.second = entering;
        pair.oneSideFixed = true;
    } else {
        pair.first = entering;
        pair.second = open;
    }
    pair.direction = Direction(*pair.first, *pair.second);
    pair.confirmed = true;
    pairs.push_back(pair);
}

void PhysicsService::Sweep(bool isXAxis) {
    // The X sweep forms the pairs and confirms each on Y at once, so no list of X-only candidates
    // (which grows with the square of a column's population) is ever built. The Y sweep then finds
    // nothing left to confirm; it stays as a phase so the statistics keep their meaning.
    if (!isXAxis) {
        return;
    }
    axisLists.Settle();
    if (!MeetManyOpenBoxes(kFewOpenBoxesPerBox * axisLists.X().size()) || !SweepByBands()) {
        SweepAllOpen();
    }
}

// Whether the entering boxes meet more than `limit` open boxes in all, from the kinds of the X
// list's entries alone: where they meet few, filing boxes by band costs more than it saves. The
// count stops at the limit: with many boxes in columns, it is passed early in the list.
bool PhysicsService::MeetManyOpenBoxes(std::size_t limit) const {
    std::size_t open = 0;
    std::size_t met = 0;
    for (const AxisEntry& entry : axisLists.X()) {
        if (entry.isMin) {
            met += open++;
            if (met > limit) {
                return true;
            }
        } else if (open > 0) {
            --open;
        }
    }
    return false;
}

// One pass from the end of the X list: there a box's maximum comes before its minimum, so each box
// is copied with both its ranks as its minimum is met, into the place it has in the order of the
// minima. False when some box does not have both ends listed, maximum after minimum.
bool PhysicsService::CopyBoxesForSweep() {
    if (++sweepCount == 0) {
        for (SweptBox& box : sweptBoxes) {
            box.rankedIn = 0;
        }
        sweepCount = 1;
    }
    const std::vector<AxisEntry>& xList = axisLists.X();
    const std::size_t boxCount = xList.size() / 2;  // each listed box has both ends on X
    sweepBoxes.resize(boxCount);
    sweepBodies.resize(boxCount);
    std::size_t slot = boxCount;
    for (unsigned rank = static_cast<unsigned>(xList.size()); rank-- > 0;) {
        const AxisEntry& entry = xList[rank];
        SweptBox& box = sweptBoxes[entry.box];
        if (!entry.isMin) {
            box.xMaxRank = rank;
            box.rankedIn = sweepCount;
            continue;
        }
        if (box.rankedIn != sweepCount || slot == 0) {
            return false;
        }
        --slot;
        sweepBoxes[slot] = BandedSweep::Box{box.yMin, box.yMax, rank, box.xMaxRank, box.immovable};
        sweepBodies[slot] = entry.owner;
    }
    return slot == 0;
}

// The sweep along the X list, with the open boxes filed by height; the pairs and their order are
// those of comparing each entering box with every open one. False, with nothing found, when some
// box's ends cannot be banded.
bool PhysicsService::SweepByBands() {
    if (!CopyBoxesForSweep() || !bandedSweep.FindOverlaps(sweepBoxes, overlaps)) {
        return false;
    }
    for (const BandedSweep::Overlap& overlap : overlaps) {
        AddPair(sweepBodies[overlap.entering], sweepBoxes[overlap.entering].immovable, sweepBodies[overlap.open],
                sweepBoxes[overlap.open].immovable);
    }
    return true;
}

// Every entering box against every open one: for boxes whose ends the bands cannot take.
void PhysicsService::SweepAllOpen() {
    active.clear();
    std::size_t leftBoxes = 0;
    for (const AxisEntry& entry : axisLists.X()) {
        PhysicsComponent* owner = entry.owner;
        if (!entry.isMin) {
            // A box that is left stays as a gap until gaps are half the list, so leaving does not
            // move every later box each time.
            const auto found =
                std::find_if(active.begin(), active.end(), [owner](const ActiveBox& box) { return box.body == owner; });
            if (found != active.end()) {
                found->body = nullptr;
                if (++leftBoxes * 2 > active.size()) {
                    active.erase(std::remove_if(active.begin(), active.end(),
                                                [](const ActiveBox& box) { return box.body == nullptr; }),
                                 active.end());
                    leftBoxes = 0;
                }
            }
            continue;
        }
        const ActiveBox entering{owner, owner->GetEndpoint(kYMin)->value, owner->GetEndpoint(kYMax)->value,
                                 owner->GetInverseMass() == 0.0f};
        for (const ActiveBox& other : active) {
            // Boxes that only touch overlap, as in the lists.
            const bool overlapOnY = entering.yMin <= other.yMax && other.yMin <= entering.yMax;
            if (other.body == nullptr || (entering.immovable && other.immovable) || !overlapOnY) {
                continue;
            }
            AddPair(owner, entering.immovable, other.body, other.immovable);
        }
        active.push_back(entering);
    }
}

// ---- Solver ---------------------------------------------------------------------------------

// A body already pushed away from one side cannot give way there: the pair becomes fixed, with
// the blocked body first. Applying it twice changes nothing.
void PhysicsService::ApplyBlocking(CollisionPair& pair) {
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

void PhysicsService::PropagateBlocking(std::size_t from) {
    for (std::size_t i = from; i < pairs.size(); ++i) {
        ApplyBlocking(pairs[i]);
    }
}

void PhysicsService::NoteBlocked(PhysicsComponent* body) {
    if (watchingBlocks) {
        newlyBlocked.push_back(body);
    }
}

// The order of resolution: all fixed pairs first; then, one at a time, the first free pair, after
// which the blocks it caused fix more pairs, which go first again. The pairs left after a run of
// resolutions are all free, and a free pair can only become fixed through a body blocked since, so
// only the pairs of newly blocked bodies are looked at again; they are moved forward exactly as
// a partition of the whole rest would move them, which keeps the order (and every result) of the
// plain propagate-and-partition loop while each step stays linear in the number of pairs.
void PhysicsService::Solve() {
    pairs.erase(std::remove_if(pairs.begin(), pairs.end(), [](const CollisionPair& p) { return !p.confirmed; }),
                pairs.end());
    if (pairs.empty()) {
        return;
    }
    auto fixedFirst = [](const CollisionPair& p) { return p.oneSideFixed; };
    std::partition(pairs.begin(), pairs.end(), fixedFirst);
    PropagateBlocking(0);
    std::partition(pairs.begin(), pairs.end(), fixedFirst);
    watchingBlocks = true;
    pairsIndexed = false;
    newlyBlocked.clear();
    std::size_t next = 0;
    ResolveRun(next);
    while (next < pairs.size()) {
        FixNewlyBlockedPairs(next);
        ResolveRun(next);
    }
    watchingBlocks = false;
}

// Resolves the pair at `next` and every fixed pair straight after it.
void PhysicsService::ResolveRun(std::size_t& next) {
    Resolve(pairs[next]);
    ++next;
    while (next < pairs.size() && pairs[next].oneSideFixed) {
        Resolve(pairs[next]);
        ++next;
    }
}

void PhysicsService::FixNewlyBlockedPairs(std::size_t from) {
    if (newlyBlocked.empty()) {
        return;
    }
    if (!pairsIndexed) {
        IndexPairsByBody();
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
            SwapPairs(at, *fromBack++);
        }
    }
}

// Numbers the pairs in their present order and lists, for every body in a pair, its pairs.
void PhysicsService::IndexPairsByBody() {
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

void PhysicsService::SwapPairs(std::size_t a, std::size_t b) {
    std::swap(pairs[a], pairs[b]);
    std::swap(pairAt[a], pairAt[b]);
    positionOf[pairAt[a]] = static_cast<unsigned>(a);
    positionOf[pairAt[b]] = static_cast<unsigned>(b);
}

bool PhysicsService::TriggerGhost(PhysicsComponent& ghost, PhysicsComponent& other) {
    if (!ghost.IsGhost()) {
        return false;
    }
    PhysicsComponent* body = &other;
    if (ghost.IsBound(kAddToGravityEffectZone)) {
        ghost.Call(kAddToGravityEffectZone, body);
    }
    if (ghost.IsBound(kCollidedWithPowerUp)) {
        ghost.Call(kCollidedWithPowerUp, body);
    }
    if (ghost.IsBound(kAddToVariableGravityZone)) {
        ghost.Call(kAddToVariableGravityZone, body);
    }
    return true;
}

void PhysicsService::Resolve(CollisionPair& pair) {
    if (TriggerGhost(*pair.first, *pair.second) || TriggerGhost(*pair.second, *pair.first)) {
        return;
    }
    if (pair.oneSideFixed) {
        ResolveFixed(pair);
    } else {
        ResolveFree(pair);
    }
}

void PhysicsService::ResolveFixed(CollisionPair& pair) {
    PhysicsComponent& a = *pair.first;
    PhysicsComponent& b = *pair.second;
    const float hw = (a.GetWidth() + b.GetWidth()) / 2.0f;
    const float hh = (a.GetHeight() + b.GetHeight()) / 2.0f;
    const float f = a.GetFriction() * b.GetFriction();
    const float e = a.GetBounciness() * b.GetBounciness();
    // B is left 0.001 inside A, so the contact is found again next step and stays recorded.
    switch (pair.direction) {
        case kSecondLeft:
            b.AddContact(kContactRight, a.GetID());
            a.AddContact(kContactLeft, b.GetID());
            b.SetBlocked(kBlockedRight);
            b.CallAll(kSetX, a.GetX() - hw + 0.001f);
            if (b.GetXVelocity() > 0.0f) {
                b.SetYVelocity((1.0f - f) * b.GetYVelocity() + f * a.GetYVelocity());
                b.SetXVelocity(-b.GetXVelocity() * e);
            }
            if (b.GetXAcceleration() > 0.0f) {
                b.SetXAcceleration(0.0f);
            }
            break;
        case kSecondRight:
            b.AddContact(kContactLeft, a.GetID());
            a.AddContact(kContactRight, b.GetID());
            b.SetBlocked(kBlockedLeft);
            b.CallAll(kSetX, a.GetX() + hw - 0.001f);
            if (b.GetXVelocity() < 0.0f) {
                b.SetYVelocity((1.0f - f) * b.GetYVelocity() + f * a.GetYVelocity());
                b.SetXVelocity(-b.GetXVelocity() * e);
            }
            if (b.GetXAcceleration() < 0.0f) {
                b.SetXAcceleration(0.0f);
            }
            break;
        case kSecondAbove:
            b.AddContact(kContactDown, a.GetID());
            a.AddContact(kContactUp, b.GetID());
            b.SetBlocked(kBlockedDown);
            b.CallAll(kSetY, a.GetY() + hh - 0.001f);
            if (b.GetYVelocity() < 0.0f) {
                b.SetXVelocity((1.0f - f) * b.GetXVelocity() + f * a.GetXVelocity());
                b.SetYVelocity(-b.GetYVelocity() * e);
            }
            if (b.GetYAcceleration() < 0.0f) {
                b.SetYAcceleration(0.0f);
            }
            break;
        case kSecondBelow:
            b.AddContact(kContactUp, a.GetID());
            a.AddContact(kContactDown, b.GetID());
            b.SetBlocked(kBlockedUp);
            b.CallAll(kSetY, a.GetY() - hh + 0.001f);
            if (b.GetYVelocity() > 0.0f) {
                b.SetXVelocity((1.0f - f) * b.GetXVelocity() + f * a.GetXVelocity());
                b.SetYVelocity(-b.GetYVelocity() * e);
            }
            if (b.GetYAcceleration() > 0.0f) {
                b.SetYAcceleration(0.0f);
            }
            break;
    }
}

namespace {

// The velocities after a collision with restitution e: e = 1 exchanges momentum elastically,
// e = 0 leaves both with the common velocity.
void Exchange(float e, float massA, float massB, float& velocityA, float& velocityB) {
    const float total = massA + massB;
    const float common = (massA * velocityA + massB * velocityB) / total;
    const float newB = e * ((massB - massA) * velocityB + 2.0f * massA * velocityA) / total + (1.0f - e) * common;
    const float newA = e * ((massA - massB) * velocityA + 2.0f * massB * velocityB) / total + (1.0f - e) * common;
    velocityA = newA;
    velocityB = newB;
}

}  // namespace

void PhysicsService::ResolveFree(CollisionPair& pair) {
    PhysicsComponent& a = *pair.first;
    PhysicsComponent& b = *pair.second;
    const float hw = (a.GetWidth() + b.GetWidth()) / 2.0f;
    const float hh = (a.GetHeight() + b.GetHeight()) / 2.0f;
    const float dx = a.GetX() - b.GetX();
    const float dy = a.GetY() - b.GetY();
    const float f = a.GetFriction() * b.GetFriction();
    const float e = a.GetBounciness() * b.GetBounciness();
    const bool alongX = pair.direction == kSecondLeft || pair.direction == kSecondRight;

    float c = 0.0f;
    bool approaching = false;
    switch (pair.direction) {
        case kSecondLeft:
            c = (dx - hw) / 2.0f;
            b.AddContact(kContactRight, a.GetID());
            a.AddContact(kContactLeft, b.GetID());
            approaching = b.GetXVelocity() - a.GetXVelocity() > 0.01f;
            break;
        case kSecondRight:
            c = (dx + hw) / 2.0f;
            b.AddContact(kContactLeft, a.GetID());
            a.AddContact(kContactRight, b.GetID());
            approaching = a.GetXVelocity() - b.GetXVelocity() > 0.01f;
            break;
        case kSecondAbove:
            c = (dy + hh) / 2.0f;
            b.AddContact(kContactDown, a.GetID());
            a.AddContact(kContactUp, b.GetID());
            approaching = a.GetYVelocity() - b.GetYVelocity() > 0.01f;
            break;
        case kSecondBelow:
            c = (dy - hh) / 2.0f;
            b.AddContact(kContactUp, a.GetID());
            a.AddContact(kContactDown, b.GetID());
            approaching = b.GetYVelocity() - a.GetYVelocity() > 0.01f;
            break;
        default:
            return;
    }
    if (alongX) {
        const float bx = b.GetX() + c;
        const float ax = a.GetX() - c;
        b.CallAll(kSetX, bx);
        a.CallAll(kSetX, ax);
    } else {
        const float by = b.GetY() + c;
        const float ay = a.GetY() - c;
        b.CallAll(kSetY, by);
        a.CallAll(kSetY, ay);
    }

    // Friction blends the velocities across the contact, then momentum is exchanged along it.
    if (approaching) {
        if (alongX) {
            const float bvy = b.GetYVelocity();
            b.SetYVelocity((1.0f - f) * bvy + f * a.GetYVelocity());
            a.SetYVelocity((1.0f - f) * a.GetYVelocity() + f * bvy);
        } else {
            const float bvx = b.GetXVelocity();
            b.SetXVelocity((1.0f - f) * bvx + f * a.GetXVelocity());
            a.SetXVelocity((1.0f - f) * a.GetXVelocity() + f * bvx);
        }
    }
    if (alongX) {
        float va = a.GetXVelocity();
        float vb = b.GetXVelocity();
        Exchange(e, a.GetMass(), b.GetMass(), va, vb);
        a.SetXVelocity(va);
        b.SetXVelocity(vb);
    } else {
        float va = a.GetYVelocity();
        float vb = b.GetYVelocity();
        Exchange(e, a.GetMass(), b.GetMass(), va, vb);
        a.SetYVelocity(va);
        b.SetYVelocity(vb);
    }

    // Neither keeps driving into the other.
    switch (pair.direction) {
        case kSecondLeft:
            if (b.GetXAcceleration() > 0.0f) b.SetXAcceleration(0.0f);
            if (a.GetXAcceleration() < 0.0f) a.SetXAcceleration(0.0f);
            break;
        case kSecondRight:
            if (b.GetXAcceleration() < 0.0f) b.SetXAcceleration(0.0f);
            if (a.GetXAcceleration() > 0.0f) a.SetXAcceleration(0.0f);
            break;
        case kSecondAbove:
            if (b.GetYAcceleration() < 0.0f) b.SetYAcceleration(0.0f);
            if (a.GetYAcceleration() > 0.0f) a.SetYAcceleration(0.0f);
            break;
        case kSecondBelow:
            if (b.GetYAcceleration() > 0.0f) b.SetYAcceleration(0.0f);
            if (a.GetYAcceleration() < 0.0f) a.SetYAcceleration(0.0f);
            break;
    }
}

// ---- Gravity --------------------------------------------------------------------------------

float PhysicsService::ZoneDirection(float g) const {
    return g > 0.0f ? zoneStrength : (g < 0.0f ? -zoneStrength : 0.0f);
}

void PhysicsService::ChangeGlobalGravity(float gx, float gy, ZELM::GravityParameters source) {
    // One switch turns every variable zone; the permission it uses up is checked at the first zone,
    // and whether the player asked for the switch is the zone's to say.
    bool switching = false;
    const auto& bodies = GetComponents();
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        auto* body = static_cast<PhysicsComponent*>(bodies[i]);
        if (body->IsBound(kUpdateVariableGravityZone) &&
            (switching ||
             (canChangeGravity && source.magnitude != 0.0f && body->Call<bool>(kIsSwitchRequested, gx, gy)))) {
            canChangeGravity = false;
            switching = true;
            // The zones take the direction at their own strength; the bodies keep the turn as asked,
            // so a switch never pulls anything harder than the turn itself.
            body->Call(kUpdateVariableGravityZone, ZoneDirection(gx), ZoneDirection(gy), source.magnitude);
        }
        body->SetGravityGeneral(gx, gy, source);
    }
}

}  // namespace Kestrin
