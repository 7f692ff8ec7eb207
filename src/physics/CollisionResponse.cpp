// Separating pairs with friction and restitution; ghosts report overlaps instead of pushing.
#include "physics/CollisionResponse.h"

#include <cmath>

#include "physics/PhysicsComponent.h"

namespace Kestrin {
namespace {

// Called for every resolved pair: the names are normalised and hashed once.
const ZELM::MethodName kSetX("SetX");
const ZELM::MethodName kSetY("SetY");
// What a ghost's entity may answer. The physics asks for the calls it makes, not for the
// gameplay's component types: a ghost is a zone or a power-up by what it answers.
const ZELM::MethodName kAddToGravityEffectZone("AddPhysicsComponentToGravityEffectZone");
const ZELM::MethodName kCollidedWithPowerUp("PhysicsComponentCollidedWithPowerUp");
const ZELM::MethodName kAddToVariableGravityZone("AddPhysicsComponentToVariableGravityZone");

}  // namespace

bool CollisionResponse::TriggerGhost(PhysicsComponent& ghost, PhysicsComponent& other) {
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

void CollisionResponse::Resolve(CollisionPair& pair) {
    if (TriggerGhost(*pair.first, *pair.second) || TriggerGhost(*pair.second, *pair.first)) {
        return;
    }
    if (pair.oneSideFixed) {
        ResolveFixed(pair);
    } else {
        ResolveFree(pair);
    }
}

void CollisionResponse::ResolveFixed(CollisionPair& pair) {
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

void CollisionResponse::ResolveFree(CollisionPair& pair) {
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

}  // namespace Kestrin
