// The edge scan and the body-versus-tile resolution.
#include "logic/TileCollision.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/Entity.h"
#include "engine/Physical.h"
#include "physics/PhysicsComponent.h"

namespace Logic {
namespace {

using Kestrin::PhysicsComponent;
using Kestrin::TilePhysicsObject;

constexpr int kCheckpointTile = 5;

// Truncation toward zero, saturating outside the int range (such a body is rejected anyway).
int Truncate(float value) {
    if (!(value > -2.0e9f)) {
        return std::numeric_limits<int>::min();
    }
    if (value > 2.0e9f) {
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(value);
}

// Called for every body touching a tile in every step: the names are normalised and hashed once.
const ZELM::MethodName kSetX("SetX");
const ZELM::MethodName kSetY("SetY");

}  // namespace

unsigned char TileCollision::Tile(int x, int y) const {
    return map.GetTileID(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y));
}

void TileCollision::Generate(PhysicsComponent& body) {
    const float x = body.GetX();
    const float y = body.GetY();
    const float halfWidth = body.GetWidth() / 2.0f;
    const float halfHeight = body.GetHeight() / 2.0f;
    const int left = Truncate(x - halfWidth);
    const int right = Truncate(x + halfWidth);
    const int bottom = Truncate(y - halfHeight);
    const int top = Truncate(y + halfHeight);
    // Taken as unsigned, a negative coordinate is huge: both are rejected by the one test.
    const auto outside = [](int edge) { return static_cast<unsigned>(edge) > kMaxCoordinate; };
    if (outside(left) || outside(right) || outside(bottom) || outside(top)) {
        return;
    }
    if (body.GetYVelocity() > 0.0f) {
        ScanRow(body, top, left, right, false);
    }
    cornerRun = false;
    if (body.GetYVelocity() < 0.0f) {  // read again: a bounce on the top row may have reversed it
        ScanRow(body, bottom, left, right, true);
    }
    if (body.GetXVelocity() < 0.0f) {
        ScanColumn(body, left, bottom, top);
    }
    if (body.GetXVelocity() > 0.0f) {
        ScanColumn(body, right, bottom, top);
    }
}

void TileCollision::ScanRow(PhysicsComponent& body, int row, int left, int right, bool markCorner) {
    for (int i = left; i <= right;) {
        const unsigned char id = Tile(i, row);
        if (id == 0) {
            ++i;
            continue;
        }
        // A run stops one short of the right column, which is resolved on its own.
        int length = 1;
        while (i + length < right && Tile(i + length, row) == id) {
            ++length;
        }
        if (markCorner && i == left && length >= 2) {
            cornerRun = true;
        }
        TilePhysicsObject& tile = tileObjects[id];
        tile.x = static_cast<float>(i) + static_cast<float>(length) / 2.0f;
        tile.y = static_cast<float>(row) + 0.5f;
        tile.width = static_cast<float>(length);
        tile.height = 1.0f;
        Resolve(body, tile);
        i += length;
    }
}

void TileCollision::ScanColumn(PhysicsComponent& body, int column, int bottom, int top) {
    for (int j = bottom; j <= top;) {
        const unsigned char id = Tile(column, j);
        if (id == 0) {
            ++j;
            continue;
        }
        int length = 1;
        while (j + length <= top && Tile(column, j + length) == id) {
            ++length;
        }
        // A corner tile that was part of a run along the bottom row is not resolved again.
        const bool cornerTile = length == 1 && (j == bottom || j == top);
        if (!(cornerTile && cornerRun)) {
            TilePhysicsObject& tile = tileObjects[id];
            tile.x = static_cast<float>(column) + 0.5f;
            tile.y = static_cast<float>(j) + static_cast<float>(length) / 2.0f;
            tile.width = 1.0f;
            tile.height = static_cast<float>(length);
            Resolve(body, tile);
        }
        j += length;
    }
}

void TileCollision::Resolve(PhysicsComponent& body, TilePhysicsObject& tile) {
    ZELM::Physical* physical = body.GetPhysical();
    const bool phasing = physical != nullptr && !physical->IsSolid();
    const bool passThrough = (phasing && (tile.type == 3 || tile.type == 4)) || tile.ghost;

    const float x = body.GetX();
    const float y = body.GetY();
    const float dx = tile.x - x;
    const float dy = tile.y - y;
    const float hw = body.GetWidth() / 2.0f + tile.width / 2.0f;
    const float hh = body.GetHeight() / 2.0f + tile.height / 2.0f;
    const float penX = hw - std::fabs(dx);
    const float penY = hh - std::fabs(dy);

    enum { kBelow = 0, kAbove = 1, kLeft = 2, kRight = 3 } side;
    // Separated along the axis of least penetration (ties vertical): a body resting on a floor that
    // spans several tiles overlaps each of them far more across than down.
    if (penY <= penX) {
        side = dy < 0.0f ? kBelow : kAbove;
    } else {
        side = dx >= 0.0f ? kRight : kLeft;
    }
    const float penetration = (side == kBelow || side == kAbove) ? penY : penX;
    // The depth the body reaches by the end of this step: a body is left exactly touching, so what
    // it overlaps at the start of a step depends on where its previous step happened to end. Judged
    // by this depth, an impact always counts and a graze or a resting touch never does.
    const float speedInto = side == kBelow ? -body.GetYVelocity()
                            : side == kAbove ? body.GetYVelocity()
                            : side == kLeft  ? -body.GetXVelocity()
                                             : body.GetXVelocity();
    const float depth = penetration + std::max(0.0f, speedInto) * body.GetStepSeconds();
    const bool impact = depth > tile.reportThreshold;
    // A checkpoint is taken by any touch: walked into at a walk's speed (short of an impact) or
    // stood against, a player who reached it must come back there.
    const bool takesCheckpoint = tile.type == kCheckpointTile && depth > 0.0f;
    if (impact) {
        static const int kContactSide[] = {Kestrin::kContactDown, Kestrin::kContactUp, Kestrin::kContactLeft,
                                           Kestrin::kContactRight};
        body.AddContact(kContactSide[side], static_cast<unsigned>(tile.type));
    }
    if (impact || takesCheckpoint) {
        // Looked up only for a touch that counts: a body resting on tiles touches them every step.
        const ZELM::Entity* owner = body.GetOwner().Resolve();
        if (owner != nullptr && owner->GetComponent("PlayerMovement") != nullptr) {
            engine.Call("CollidedWithPlayer", &tile, static_cast<unsigned>(side));
        }
    }
    if (passThrough) {
        return;
    }

    const float e = body.GetBounciness() * tile.bounciness;
    switch (side) {
        case kRight:
            body.SetBlocked(Kestrin::kBlockedRight);
            body.CallAll(kSetX, x + dx - hw);
            if (body.GetXVelocity() > 0.0f) body.SetXVelocity(-body.GetXVelocity() * e);
            if (body.GetXAcceleration() > 0.0f) body.SetXAcceleration(0.0f);
            break;
        case kLeft:
            body.SetBlocked(Kestrin::kBlockedLeft);
            body.CallAll(kSetX, x + dx + hw);
            if (body.GetXVelocity() < 0.0f) body.SetXVelocity(-body.GetXVelocity() * e);
            if (body.GetXAcceleration() < 0.0f) body.SetXAcceleration(0.0f);
            break;
        case kBelow:
            body.SetBlocked(Kestrin::kBlockedDown);
            body.CallAll(kSetY, y + dy + hh);
            if (body.GetYVelocity() < 0.0f) body.SetYVelocity(-body.GetYVelocity() * e);
            if (body.GetYAcceleration() < 0.0f) body.SetYAcceleration(0.0f);
            break;
        case kAbove:
            body.SetBlocked(Kestrin::kBlockedUp);
            body.CallAll(kSetY, y + dy - hh);
            if (body.GetYVelocity() > 0.0f) body.SetYVelocity(-body.GetYVelocity() * e);
            if (body.GetYAcceleration() > 0.0f) body.SetYAcceleration(0.0f);
            break;
    }
}

}  // namespace Logic
