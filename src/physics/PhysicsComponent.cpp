// The body's bindings, endpoint upkeep, integration step and gravity sources.
#include "physics/PhysicsComponent.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/ComponentAttachment.h"
#include "engine/Entity.h"
#include "engine/Physical.h"
#include "engine/Service.h"
#include "physics/PhysicsService.h"

namespace Kestrin {
namespace {

// Truncates toward zero, as the tile queries expect; values beyond the int range saturate.
unsigned TileCoordinate(float value) {
    if (!(value > static_cast<float>(std::numeric_limits<int>::min()))) {
        return static_cast<unsigned>(std::numeric_limits<int>::min());
    }
    if (value >= static_cast<float>(std::numeric_limits<int>::max())) {
        return static_cast<unsigned>(std::numeric_limits<int>::max());
    }
    return static_cast<unsigned>(static_cast<int>(value));
}

float Clamp(float value, float limit) { return std::max(-limit, std::min(limit, value)); }

// The velocity kept after a step of dt seconds. Every body takes the same few step lengths, so
// the last one is remembered rather than raising to a power for each body in each step.
float DampingFor(float dt) {
    static float lastDt = std::numeric_limits<float>::quiet_NaN();
    static float lastDamping = 1.0f;
    if (dt != lastDt) {
        lastDt = dt;
        lastDamping = std::pow(0.2f, dt);
    }
    return lastDamping;
}

// Called for every body in every step: the names are normalised and hashed once.
const ZELM::MethodName kSetX("SetX");
const ZELM::MethodName kSetY("SetY");
const ZELM::MethodName kGenerateWorldCollisions("GenerateWorldCollisions");
const ZELM::MethodName kGetTileID("GetTileID");

}  // namespace

PhysicsComponent::~PhysicsComponent() {
    if (endpointsListed && service != nullptr) {
        for (Endpoint& endpoint : endpoints) {
            service->RemoveEndpoint(&endpoint, &endpoint == &endpoints[kXMin] || &endpoint == &endpoints[kXMax]);
        }
        service->UnlistBox(sweptPlace);
    }
}

void PhysicsComponent::Bind() {
    BindProperty(&layer, "Layer", false, false);
    BindProperty(&inverseMass, "Inverse Mass", this, &PhysicsComponent::SetInverseMass);
    BindProperty(&gravityAssociation, "Gravity Association", this, &PhysicsComponent::SetGravityAssociation);
    BindProperty(&ghost, "Ghost", false, false);
    BindProperty(&gravityMagnitude, "Gravity Magnitude", false, false);
    BindProperty(&xGravity, "X Gravity", false, false);
    BindProperty(&yGravity, "Y Gravity", false, false);
    BindProperty(&xVelocity, "X Velocity", false, false);
    BindProperty(&yVelocity, "Y Velocity", false, false);
    BindProperty(&xAcceleration, "X Acceleration", false, false);
    BindProperty(&yAcceleration, "Y Acceleration", false, false);
    BindProperty(&id, "ID", false, false);
    BindProperty(&bounciness, "Bounciness", false, false);
    BindProperty(&friction, "Friction", false, false);
    BindProperty(&terminalVelocity, "Terminal Velocity", false, false);
    BindProperty(&influenceability, "Influenceability", false, false);

    using ZELM::DynamicBinder;
    DynamicBinder::Bind("GetXAcceleration", this, &PhysicsComponent::GetXAcceleration);
    DynamicBinder::Bind("GetYAcceleration", this, &PhysicsComponent::GetYAcceleration);
    DynamicBinder::Bind("SetXAcceleration", this, &PhysicsComponent::SetXAcceleration);
    DynamicBinder::Bind("SetYAcceleration", this, &PhysicsComponent::SetYAcceleration);
    DynamicBinder::Bind("GetXVelocity", this, &PhysicsComponent::GetXVelocity);
    DynamicBinder::Bind("GetYVelocity", this, &PhysicsComponent::GetYVelocity);
    DynamicBinder::Bind("SetXVelocity", this, &PhysicsComponent::SetXVelocity);
    DynamicBinder::Bind("SetYVelocity", this, &PhysicsComponent::SetYVelocity);
    DynamicBinder::Bind("GetXGravity", this, &PhysicsComponent::GetXGravity);
    DynamicBinder::Bind("GetYGravity", this, &PhysicsComponent::GetYGravity);
    DynamicBinder::Bind("SetXGravity", this, &PhysicsComponent::SetXGravity);
    DynamicBinder::Bind("SetYGravity", this, &PhysicsComponent::SetYGravity);
    DynamicBinder::Bind("GetXGravityEffect", this, &PhysicsComponent::GetXGravityEffect);
    DynamicBinder::Bind("GetYGravityEffect", this, &PhysicsComponent::GetYGravityEffect);
    DynamicBinder::Bind("SetFriction", this, &PhysicsComponent::SetFriction);
    DynamicBinder::Bind("SetFreeze", this, &PhysicsComponent::SetFreeze);
    DynamicBinder::Bind("CheckLeftCollision", this, &PhysicsComponent::CheckLeftCollision);
    DynamicBinder::Bind("CheckRightCollision", this, &PhysicsComponent::CheckRightCollision);
    DynamicBinder::Bind("CheckUpCollision", this, &PhysicsComponent::CheckUpCollision);
    DynamicBinder::Bind("CheckDownCollision", this, &PhysicsComponent::CheckDownCollision);
    DynamicBinder::Bind("SetInverseMass", this, &PhysicsComponent::SetInverseMass);
    DynamicBinder::Bind("SetID", this, &PhysicsComponent::SetID);
    BindBroadcast("SetWidth", this, &PhysicsComponent::SetWidth);
    BindBroadcast("SetHeight", this, &PhysicsComponent::SetHeight);
    BindBroadcast("SetX", this, &PhysicsComponent::SetX);
    BindBroadcast("SetY", this, &PhysicsComponent::SetY);
    DynamicBinder::Bind("GetGravityAssociationPointer", this, &PhysicsComponent::GetGravityAssociationPointer);
    DynamicBinder::Bind("GetGravityAssociation", this, &PhysicsComponent::GetGravityAssociation);
    DynamicBinder::Bind("SetGravityGeneral", this, &PhysicsComponent::SetGravityGeneral);
}

void PhysicsComponent::Init() {
    ZELM::Entity* entity = GetOwner().Resolve();
    if (entity == nullptr) {
        return;
    }
    ZELM::EnsureComponent(*entity, "Logic", "Physical");
    physical = dynamic_cast<ZELM::Physical*>(entity->GetComponent("Physical"));
    if (physical == nullptr) {
        return;
    }
    hasPhysical = true;
    const float w = physical->GetWidth();
    const float h = physical->GetHeight();
    endpoints[kXMin] = Endpoint{true, -w / 2.0f, physical->GetX() - w / 2.0f, 0, this};
    endpoints[kXMax] = Endpoint{false, w / 2.0f, physical->GetX() + w / 2.0f, 0, this};
    endpoints[kYMax] = Endpoint{false, h / 2.0f, physical->GetY() + h / 2.0f, 0, this};
    endpoints[kYMin] = Endpoint{true, -h / 2.0f, physical->GetY() - h / 2.0f, 0, this};
    if (service != nullptr && !endpointsListed) {
        sweptPlace = service->ListBox();
        service->AddEndpoint(&endpoints[kXMin], true);
        service->AddEndpoint(&endpoints[kXMax], true);
        service->AddEndpoint(&endpoints[kYMax], false);
        service->AddEndpoint(&endpoints[kYMin], false);
        endpointsListed = true;
    }
    PublishSweptBox();
}

void PhysicsComponent::PublishSweptBox() {
    if (endpointsListed && service != nullptr) {
        service->SetSweptBox(sweptPlace, endpoints[kYMin].value, endpoints[kYMax].value, inverseMass == 0.0f);
    }
}

void PhysicsComponent::ReorderAxis(bool isXAxis, bool maximumFirst) {
    if (!endpointsListed || service == nullptr) {
        return;
    }
    Endpoint* minimum = &endpoints[isXAxis ? kXMin : kYMin];
    Endpoint* maximum = &endpoints[isXAxis ? kXMax : kYMax];
    service->ReorderBox(maximumFirst ? maximum : minimum, maximumFirst ? minimum : maximum, isXAxis);
}

void PhysicsComponent::SetWidth(float width) {
    if (!hasPhysical) {
        return;
    }
    for (int slot : {kXMin, kXMax}) {
        Endpoint& endpoint = endpoints[slot];
        endpoint.value -= endpoint.offset;
        endpoint.offset = endpoint.isMin ? -width / 2.0f : width / 2.0f;
        endpoint.value += endpoint.offset;
    }
    ReorderAxis(true, false);
}

void PhysicsComponent::SetHeight(float height) {
    if (!hasPhysical) {
        return;
    }
    for (int slot : {kYMin, kYMax}) {
        Endpoint& endpoint = endpoints[slot];
        endpoint.value -= endpoint.offset;
        endpoint.offset = endpoint.isMin ? -height / 2.0f : height / 2.0f;
        endpoint.value += endpoint.offset;
    }
    PublishSweptBox();
    ReorderAxis(false, false);
}

void PhysicsComponent::SetX(float x) {
    if (!hasPhysical) {
        return;
    }
    const bool rightwards = x + endpoints[kXMin].offset > endpoints[kXMin].value;
    endpoints[kXMin].value = x + endpoints[kXMin].offset;
    endpoints[kXMax].value = x + endpoints[kXMax].offset;
    ReorderAxis(true, rightwards);
}

void PhysicsComponent::SetY(float y) {
    if (!hasPhysical) {
        return;
    }
    const bool upwards = y + endpoints[kYMin].offset > endpoints[kYMin].value;
    endpoints[kYMin].value = y + endpoints[kYMin].offset;
    endpoints[kYMax].value = y + endpoints[kYMax].offset;
    PublishSweptBox();
    ReorderAxis(false, upwards);
}

void PhysicsComponent::SetInverseMass(const float& value) {
    inverseMass = value;
    if (value != 0.0f) {
        mass = 1.0f / value;
    }
    PublishSweptBox();
}

void PhysicsComponent::SetFreeze(bool freeze) {
    if (freeze) {
        ClearContacts();
        ClearContacts();
    }
    frozen = freeze;
}

void PhysicsComponent::ClearContacts() {
    for (int side = 0; side < 4; ++side) {
        previousContactCount[side] = contactCount[side];
        for (unsigned i = 0; i < kMaxContacts; ++i) {
            previousContacts[side][i] = contacts[side][i];
            contacts[side][i] = 0;
        }
        contactCount[side] = 0;
        blocked[side] = false;
    }
}

void PhysicsComponent::AddContact(int side, unsigned contactId) {
    if (contactId != 0 && contactCount[side] < kMaxContacts) {
        contacts[side][contactCount[side]++] = contactId;
    }
}

void PhysicsComponent::SetBlocked(int side) {
    if (blocked[side]) {
        return;
    }
    blocked[side] = true;
    if (service != nullptr) {
        service->NoteBlocked(this);
    }
}

bool PhysicsComponent::HasContact(int side, unsigned contactId) const {
    for (unsigned i = 0; i < contactCount[side]; ++i) {
        if (contacts[side][i] == contactId) {
            return true;
        }
    }
    for (unsigned i = 0; i < previousContactCount[side]; ++i) {
        if (previousContacts[side][i] == contactId) {
            return true;
        }
    }
    return false;
}

void PhysicsComponent::SetGravityEffect(float x, float y, float weight, float scale) {
    gravityEffectX = x;
    gravityEffectY = y;
    gravityEffectWeight = weight;
    gravityScale = scale;
}

void PhysicsComponent::Update(float dtMs) {
    const float dt = dtMs / 1000.0f;
    stepSeconds = dt;
    if (inverseMass == 0.0f || frozen || physical == nullptr) {
        // The editor writes the inverse mass past its setter, and the sweep reads it from the
        // swept box: a body that moves publishes it with its new place ("SetY").
        PublishSweptBox();
        return;
    }
    if (service != nullptr) {
        service->Call(kGenerateWorldCollisions, this);
    }

    float gx = (xGravity * gravityMagnitude + gravityEffectWeight * gravityEffectX) * gravityScale;
    float gy = (yGravity * gravityMagnitude + gravityEffectWeight * gravityEffectY) * gravityScale;
    if (gravityEffectWeight + gravityMagnitude == 0.0f) {
        gx = 0.0f;
        gy = 0.0f;
    }
    gravityEffectX = 0.0f;
    gravityEffectY = 0.0f;
    gravityEffectWeight = -0.25f;
    gravityScale = 8.0f;

    // Both positions from the velocity before this step; "SetX" first, as the entity sees it.
    const float newX = physical->GetX() + xVelocity * dt + 0.5f * (xAcceleration + gx) * dt * dt;
    CallAll(kSetX, newX);
    const float newY = physical->GetY() + yVelocity * dt + 0.5f * (yAcceleration + gy) * dt * dt;
    CallAll(kSetY, newY);

    const float damping = DampingFor(dt);
    xVelocity = xVelocity * damping + (xAcceleration + gx) * dt;
    yVelocity = yVelocity * damping + (yAcceleration + gy) * dt;

    if (!physical->IsSolid() && physical->GetSolidTimer() <= 0.0f && service != nullptr) {
        const float x = physical->GetX();
        const float y = physical->GetY();
        bool insideBlue = false;
        for (const float sx : {x - 0.25f, x + 0.25f}) {
            for (const float sy : {y - 0.25f, y + 0.25f}) {
                insideBlue = insideBlue ||
                             service->Call<unsigned char>(kGetTileID, TileCoordinate(sx), TileCoordinate(sy)) == 3;
            }
        }
        if (!insideBlue) {
            physical->SetSolid(true, 0.0f);
        }
    }

    yVelocity = Clamp(yVelocity, terminalVelocity);
    xVelocity = Clamp(xVelocity, terminalVelocity);
}

void PhysicsComponent::SetGravityGeneral(float gx, float gy, ZELM::GravityParameters source) {
    const float ex = std::pow(std::fabs(GetX() - source.x) - GetWidth(), 2.0f);
    const float ey = std::pow(std::fabs(GetY() - source.y) - GetHeight(), 2.0f);
    const float e = std::max(ex, ey);
    const float falloff = std::max(0.0f, 1.0f - e / (source.radius * source.radius));
    const float difference = source.power - influenceability;
    const float factor = difference < -3.0f ? 0.0f : std::pow(2.0f, std::min(difference, 3.0f));
    float strength = factor * falloff;
    if (strength < 0.1f) {
        strength = 0.0f;
    }
    gravityMagnitude = source.magnitude * strength;
    if (gravityMagnitude < 0.1f) {
        gravityMagnitude = 0.0f;
    }
    xGravity = gx;
    yGravity = gy;
    const ZELM::Entity* entity = GetOwner().Resolve();
    if (entity != nullptr && entity->GetComponent("GravityGuy") != nullptr) {
        gravityMagnitude = source.magnitude;
    }
}

}  // namespace Kestrin
