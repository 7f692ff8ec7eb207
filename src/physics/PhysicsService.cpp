// Sub-stepping, the sweep-and-prune broad phase, and the ordered pair solver.
#include "physics/PhysicsService.h"

#include <algorithm>
#include <cmath>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/FrameTimer.h"
#include "engine/ProblemReport.h"
#include "physics/PhysicsComponent.h"

namespace Kestrin {
namespace {

// Milliseconds since a clock reading, for the phase statistics.
float MsSince(std::int64_t start) {
    return static_cast<float>(ZELM::FrameTimer::Now() - start) / 1.0e6f;
}

bool Has(PhysicsComponent& body, const char* type) {
    const ZELM::Entity* entity = body.GetOwner().Resolve();
    return entity != nullptr && entity->GetComponent(type) != nullptr;
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
        accumulator = std::min(accumulator + dtMs, kMaxFrameMs);
        for (ZELM::Component* body : GetComponents()) {
            static_cast<PhysicsComponent*>(body)->ClearContacts();
        }
        while (accumulator > kStepMs) {
            Step(kStepMs);
            accumulator -= kStepMs;
        }
        Step(accumulator);
        accumulator = 0.0f;
    }
    totalTime = MsSince(start);
}

void PhysicsService::Step(float h) {
    std::int64_t start = ZELM::FrameTimer::Now();
    stepTimes[kClearingIds] += MsSince(start);

    start = ZELM::FrameTimer::Now();
    const auto& bodies = GetComponents();
    // Indexed: a body's step may create or destroy entities through the calls it makes.
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        static_cast<PhysicsComponent*>(bodies[i])->Update(h);
    }
    stepTimes[kMoving] += MsSince(start);

    start = ZELM::FrameTimer::Now();
    pairs.clear();
    stepTimes[kClearingCollisions] += MsSince(start);

    start = ZELM::FrameTimer::Now();
    Sweep(true);
    stepTimes[kSweepX] += MsSince(start);
    start = ZELM::FrameTimer::Now();
    Sweep(false);
    stepTimes[kSweepY] += MsSince(start);

    start = ZELM::FrameTimer::Now();
    Solve();
    stepTimes[kSolving] += MsSince(start);
}

void PhysicsService::FindPairs() {
    pairs.clear();
    Sweep(true);
    Sweep(false);
}

// ---- Endpoint lists -------------------------------------------------------------------------

void PhysicsService::AddEndpoint(Endpoint* endpoint, bool isXAxis) {
    std::vector<Endpoint*>& list = isXAxis ? xEndpoints : yEndpoints;
    endpoint->index = static_cast<unsigned>(list.size());
    list.push_back(endpoint);
    ReorderEndpoint(endpoint, isXAxis);
}

void PhysicsService::ReorderEndpoint(Endpoint* endpoint, bool isXAxis) {
    std::vector<Endpoint*>& list = isXAxis ? xEndpoints : yEndpoints;
    unsigned i = endpoint->index;
    if (i >= list.size() || list[i] != endpoint) {
        return;  // not in this list
    }
    auto swapWithNext = [&list](unsigned at) {
        std::swap(list[at], list[at + 1]);
        list[at]->index = at;
        list[at + 1]->index = at + 1;
    };
    if (i > 0 && list[i - 1]->MustFollow(*endpoint)) {
        while (i > 0 && list[i - 1]->MustFollow(*endpoint)) {
            swapWithNext(i - 1);
            --i;
        }
    } else {
        while (i + 1 < list.size() && endpoint->MustFollow(*list[i + 1])) {
            swapWithNext(i);
            ++i;
        }
    }
}

void PhysicsService::RemoveEndpoint(Endpoint* endpoint, bool isXAxis) {
    std::vector<Endpoint*>& list = isXAxis ? xEndpoints : yEndpoints;
    unsigned i = endpoint->index;
    if (i >= list.size() || list[i] != endpoint) {
        return;  // not in this list
    }
    for (unsigned j = i + 1; j < list.size(); ++j) {
        --list[j]->index;
    }
    list.erase(list.begin() + i);
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

namespace {

// Whether two boxes overlap on Y, by their Y endpoints; boxes that only touch overlap, as in the lists.
bool OverlapOnY(PhysicsComponent& a, PhysicsComponent& b) {
    return a.GetEndpoint(kYMin)->value <= b.GetEndpoint(kYMax)->value &&
           b.GetEndpoint(kYMin)->value <= a.GetEndpoint(kYMax)->value;
}

}  // namespace

void PhysicsService::Sweep(bool isXAxis) {
    // The X sweep forms the pairs and confirms each on Y at once, so no list of X-only candidates
    // (which grows with the square of a column's population) is ever built. The Y sweep then finds
    // nothing left to confirm; it stays as a phase so the statistics keep their meaning.
    if (!isXAxis) {
        return;
    }
    active.clear();
    for (Endpoint* endpoint : xEndpoints) {
        PhysicsComponent* owner = endpoint->owner;
        if (!endpoint->isMin) {
            const auto found = std::find(active.begin(), active.end(), owner);
            if (found != active.end()) {
                active.erase(found);
            }
            continue;
        }
        for (PhysicsComponent* other : active) {
            if (owner->GetInverseMass() == 0.0f && other->GetInverseMass() == 0.0f) {
                continue;
            }
            if (!OverlapOnY(*owner, *other)) {
                continue;
            }
            CollisionPair pair;
            if (owner->GetInverseMass() == 0.0f) {
                pair.first = owner;
                pair.second = other;
                pair.oneSideFixed = true;
            } else if (other->GetInverseMass() == 0.0f) {
                pair.first = other;
                pair.second = owner;
                pair.oneSideFixed = true;
            } else {
                pair.first = owner;
                pair.second = other;
            }
            pair.direction = Direction(*pair.first, *pair.second);
            pair.confirmed = true;
            pairs.push_back(pair);
        }
        active.push_back(owner);
    }
}

// ---- Solver ---------------------------------------------------------------------------------

void PhysicsService::PropagateBlocking(std::size_t from) {
    for (std::size_t i = from; i < pairs.size(); ++i) {
        CollisionPair& pair = pairs[i];
        PhysicsComponent& first = *pair.first;
        PhysicsComponent& second = *pair.second;
        // A body already pushed away from one side cannot give way there: the pair becomes fixed,
        // with the blocked body first.
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
}

void PhysicsService::Solve() {
    pairs.erase(std::remove_if(pairs.begin(), pairs.end(), [](const CollisionPair& p) { return !p.confirmed; }),
                pairs.end());
    auto fixedFirst = [](const CollisionPair& p) { return p.oneSideFixed; };
    std::partition(pairs.begin(), pairs.end(), fixedFirst);
    std::size_t i = 0;
    while (i < pairs.size()) {
        PropagateBlocking(i);
        std::partition(pairs.begin() + static_cast<std::ptrdiff_t>(i), pairs.end(), fixedFirst);
        Resolve(pairs[i]);
        ++i;
        while (i < pairs.size() && pairs[i].oneSideFixed) {
            Resolve(pairs[i]);
            ++i;
        }
    }
}

bool PhysicsService::TriggerGhost(PhysicsComponent& ghost, PhysicsComponent& other) {
    if (!ghost.IsGhost()) {
        return false;
    }
    PhysicsComponent* body = &other;
    if (Has(ghost, "GravityEffectZone")) {
        ghost.Call("AddPhysicsComponentToGravityEffectZone", body);
    }
    if (Has(ghost, "PowerUp")) {
        ghost.Call("PhysicsComponentCollidedWithPowerUp", body);
    }
    if (Has(ghost, "VariableGravityZone")) {
        ghost.Call("AddPhysicsComponentToVariableGravityZone", body);
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
            b.CallAll("SetX", a.GetX() - hw + 0.001f);
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
            b.CallAll("SetX", a.GetX() + hw - 0.001f);
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
            b.CallAll("SetY", a.GetY() + hh - 0.001f);
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
            b.CallAll("SetY", a.GetY() - hh + 0.001f);
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
        b.CallAll("SetX", bx);
        a.CallAll("SetX", ax);
    } else {
        const float by = b.GetY() + c;
        const float ay = a.GetY() - c;
        b.CallAll("SetY", by);
        a.CallAll("SetY", ay);
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

// The controller answers with a level; without a controller service nothing is triggered.
bool PhysicsService::TriggerHeld() {
    return IsBound("IsTriggeredProfile") && Call<char>("IsTriggeredProfile", 5) != 0;
}

void PhysicsService::ChangeGlobalGravity(float gx, float gy, ZELM::GravityParameters source) {
    const auto& bodies = GetComponents();
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        auto* body = static_cast<PhysicsComponent*>(bodies[i]);
        if (Has(*body, "VariableGravityZone") && TriggerHeld() && source.magnitude != 0.0f && canChangeGravity) {
            canChangeGravity = false;
            auto strengthen = [this](float g) { return g > 0.0f ? zoneStrength : (g < 0.0f ? -zoneStrength : 0.0f); };
            gx = strengthen(gx);
            gy = strengthen(gy);
            body->Call("UpdateVariableGravityZone", gx, gy, source.magnitude);
        }
        body->SetGravityGeneral(gx, gy, source);
    }
}

}  // namespace Kestrin
