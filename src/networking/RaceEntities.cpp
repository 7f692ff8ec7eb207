// The race's players and clock, found by their components; the players' motion read and set by name.
#include "networking/RaceEntities.h"

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"

namespace Networking {
namespace {

// Calls the visitor with every living entity of the engine's table (its handle and the entity), in
// its order.
template <typename F>
void ForEachEntity(F&& visit) {
    struct Visitor : ZELM::IVisitor<ZELM::EntityHandle> {
        explicit Visitor(F& visit) : visit(visit) {}
        void Visit(ZELM::EntityHandle& handle) override {
            ZELM::Entity* entity = handle.GetIfAlive();
            if (entity != nullptr && !entity->IsDying()) {
                visit(handle, *entity);
            }
        }
        F& visit;
    } visitor(visit);
    if (ZELM::EntityController* entities = ZELM::ComponentRegistry::Instance().GetEntities()) {
        entities->VisitEntities(visitor);
    }
}

}  // namespace

ZELM::EntityHandle RaceEntities::FindLocalPlayer() {
    ZELM::EntityHandle linked;
    ZELM::EntityHandle any;
    ForEachEntity([&](ZELM::EntityHandle& handle, ZELM::Entity& entity) {
        if (entity.GetComponent("PhysicsComponent") == nullptr ||
            entity.GetComponent("NetworkInput") != nullptr) {
            return;
        }
        // A box or a power-up is a physics body too; the race's player carries the link.
        if (!linked.IsAlive() && entity.GetComponent("NetworkingComponent") != nullptr) {
            linked = handle;
        }
        if (!any.IsAlive()) {
            any = handle;
        }
    });
    return linked.IsAlive() ? linked : any;
}

ZELM::EntityHandle RaceEntities::FindRemotePlayer() {
    ZELM::EntityHandle found;
    ForEachEntity([&found](ZELM::EntityHandle& handle, ZELM::Entity& entity) {
        if (!found.IsAlive() && entity.GetComponent("PhysicsComponent") != nullptr &&
            entity.GetComponent("NetworkInput") != nullptr) {
            found = handle;
        }
    });
    return found;
}

bool RaceEntities::ReadLocalPlayer(PlayerState& state) {
    const ZELM::EntityHandle local = FindLocalPlayer();
    if (ZELM::Entity* alive = local.GetIfAlive()) {
        ZELM::Entity& player = *alive;
        auto value = [&player](const char* method) {
            return player.IsBound(method) ? player.Call<float>(method) : 0.0f;
        };
        state = PlayerState{value("GetX"),
                            value("GetY"),
                            value("GetXAcceleration"),
                            value("GetYAcceleration"),
                            value("GetXVelocity"),
                            value("GetYVelocity"),
                            value("GetXGravity"),
                            value("GetYGravity")};
    }
    return local.IsAlive();
}

void RaceEntities::ApplyToRemotePlayer(const PlayerState& state) {
    const ZELM::EntityHandle remote = FindRemotePlayer();
    ZELM::Entity* alive = remote.GetIfAlive();
    if (alive == nullptr) {
        return;
    }
    ZELM::Entity& player = *alive;
    auto set = [&player](const char* method, float value) {
        if (player.IsBound(method)) {
            player.Call(method, value);
        }
    };
    set("SetXAcceleration", state.xAcceleration);
    set("SetYAcceleration", state.yAcceleration);
    set("SetXVelocity", state.xVelocity);
    set("SetYVelocity", state.yVelocity);
    // Broadcast: the spatial component and the body both keep the place.
    player.CallAll("SetX", state.x);
    player.CallAll("SetY", state.y);
    set("SetXGravity", state.xGravity);
    set("SetYGravity", state.yGravity);
}

bool RaceEntities::GetRemotePosition(float& x, float& y) {
    const ZELM::EntityHandle handle = FindRemotePlayer();
    ZELM::Entity* remote = handle.GetIfAlive();
    return remote != nullptr && remote->GetPlace(x, y);
}

void RaceEntities::PauseClock() {
    bool paused = false;
    ForEachEntity([&paused](ZELM::EntityHandle&, ZELM::Entity& entity) {
        if (!paused && entity.GetComponent("TimingComponent") != nullptr && entity.IsBound("PauseTimer")) {
            entity.Call("PauseTimer", true);
            paused = true;
        }
    });
}

}  // namespace Networking
