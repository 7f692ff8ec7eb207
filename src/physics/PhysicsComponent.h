// An axis-aligned box body: velocity, gravity, mass, bounce, friction, and its per-side contacts.
#pragma once

#include "engine/Component.h"
#include "engine/GravityParameters.h"
#include "engine/Physical.h"
#include "physics/Endpoint.h"

namespace Kestrin {

class PhysicsService;

// Contact lists by side.
enum ContactSide : int { kContactLeft = 0, kContactRight = 1, kContactUp = 2, kContactDown = 3 };
// Blocked flags by side.
enum BlockedSide : int { kBlockedUp = 0, kBlockedDown = 1, kBlockedLeft = 2, kBlockedRight = 3 };
// Endpoints of a body.
enum EndpointSlot : int { kXMin = 0, kXMax = 1, kYMax = 2, kYMin = 3 };

class PhysicsComponent : public ZELM::Component {
public:
    static constexpr unsigned kMaxContacts = 4;

    // Takes its endpoints out of the service's axis lists.
    ~PhysicsComponent() override;

    void Bind() override;
    // Finds (or creates) the entity's Physical and puts the body's endpoints into the axis lists.
    void Init() override;
    // One integration step of dtMs milliseconds: tiles first, then gravity, motion and damping.
    void Update(float dtMs) override;

    void SetService(PhysicsService* owner) { service = owner; }

    // Bound by name.
    float GetXAcceleration() { return xAcceleration; }
    float GetYAcceleration() { return yAcceleration; }
    void SetXAcceleration(float value) { xAcceleration = value; }
    void SetYAcceleration(float value) { yAcceleration = value; }
    float GetXVelocity() { return xVelocity; }
    float GetYVelocity() { return yVelocity; }
    void SetXVelocity(float value) { xVelocity = value; }
    void SetYVelocity(float value) { yVelocity = value; }
    float GetXGravity() { return xGravity; }
    float GetYGravity() { return yGravity; }
    void SetXGravity(float value) { xGravity = value; }
    void SetYGravity(float value) { yGravity = value; }
    float GetXGravityEffect() { return gravityEffectX; }
    float GetYGravityEffect() { return gravityEffectY; }
    void SetFriction(float value) { friction = value; }
    // Parks the body: not integrated, with both this step's and the last step's contacts emptied.
    void SetFreeze(bool freeze);
    bool CheckLeftCollision(unsigned id) { return HasContact(kContactLeft, id); }
    bool CheckRightCollision(unsigned id) { return HasContact(kContactRight, id); }
    bool CheckUpCollision(unsigned id) { return HasContact(kContactUp, id); }
    bool CheckDownCollision(unsigned id) { return HasContact(kContactDown, id); }
    void SetInverseMass(const float& value);
    void SetID(unsigned value) { id = value; }
    void SetWidth(float width);
    void SetHeight(float height);
    void SetX(float x);
    void SetY(float y);
    unsigned* GetGravityAssociationPointer() { return &gravityAssociation; }
    unsigned GetGravityAssociation() { return gravityAssociation; }
    void SetGravityAssociation(const unsigned& value) { gravityAssociation = value; }
    // Points gravity along (gx, gy) with a strength that falls off with the distance to the source.
    void SetGravityGeneral(float gx, float gy, ZELM::GravityParameters source);

    // For the solver and the tile collision.
    void ClearContacts();
    void AddContact(int side, unsigned contactId);
    bool HasContact(int side, unsigned contactId) const;
    unsigned GetContactCount(int side) const { return contactCount[side]; }
    bool IsBlocked(int side) const { return blocked[side]; }
    // Marks a side blocked for the rest of the frame; the service hears of each newly blocked side.
    void SetBlocked(int side);
    Endpoint* GetEndpoint(int slot) { return &endpoints[slot]; }
    ZELM::Physical* GetPhysical() const { return physical; }
    // Read for every pair in every step, so kept inline.
    float GetX() const { return physical != nullptr ? physical->GetX() : 0.0f; }
    float GetY() const { return physical != nullptr ? physical->GetY() : 0.0f; }
    float GetWidth() const { return physical != nullptr ? physical->GetWidth() : 0.0f; }
    float GetHeight() const { return physical != nullptr ? physical->GetHeight() : 0.0f; }
    float GetInverseMass() const { return inverseMass; }
    float GetMass() const { return mass; }
    float GetBounciness() const { return bounciness; }
    float GetFriction() const { return friction; }
    float GetGravityMagnitude() const { return gravityMagnitude; }
    unsigned GetID() const { return id; }
    bool IsGhost() const { return ghost; }
    bool IsFrozen() const { return frozen; }
    float GetStepSeconds() const { return stepSeconds; }
    unsigned GetSweptPlace() const { return sweptPlace; }
    // The body's place in the solver's per-step index; meaningful to the solver only.
    unsigned GetSolverSlot() const { return solverSlot; }
    void SetSolverSlot(unsigned slot) { solverSlot = slot; }
    // Zones (gravity effect) write these before a step; the step consumes and resets them.
    void SetGravityEffect(float x, float y, float weight, float scale);

private:
    // Re-sorts the body's two endpoints of one axis. The one moving ahead goes first: moved the
    // other way round, the leading endpoint would stop at its partner's old place.
    void ReorderAxis(bool isXAxis, bool maximumFirst);
    // Tells the service what its sweep reads of this body, once the endpoints are listed.
    void PublishSweptBox();

    float gravityEffectX = 0.0f;
    float gravityEffectY = 0.0f;
    float gravityEffectWeight = 0.0f;
    float gravityScale = 5.0f;
    ZELM::Physical* physical = nullptr;
    PhysicsService* service = nullptr;
    unsigned layer = 1;
    float mass = 1.0f;
    float inverseMass = 0.0f;
    float xGravity = 0.0f;
    float yGravity = -1.0f;
    float gravityMagnitude = 1.0f;
    float xVelocity = 0.0f;
    float yVelocity = 0.0f;
    float xAcceleration = 0.0f;
    float yAcceleration = 0.0f;
    float bounciness = 1.0f;
    float friction = 1.0f;
    float stepSeconds = 0.0f;
    float terminalVelocity = 100.0f;
    bool hasPhysical = false;
    unsigned id = 0;
    unsigned previousContactCount[4] = {};
    unsigned contactCount[4] = {};
    unsigned contacts[4][kMaxContacts] = {};
    unsigned previousContacts[4][kMaxContacts] = {};
    bool blocked[4] = {};
    Endpoint endpoints[4];
    bool frozen = false;
    unsigned gravityAssociation = 1;
    bool ghost = false;
    float influenceability = 1.0f;
    bool endpointsListed = false;
    unsigned solverSlot = 0;
    unsigned sweptPlace = 0;
};

}  // namespace Kestrin
