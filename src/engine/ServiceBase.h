// The interface of every service: bound by name into the "Engine" table, updated every simulation
// tick and once every display frame.
#pragma once

#include "utilities/Dynamic.h"

namespace ZELM {

class Component;

class ServiceBase : public DynamicBinder, public DynamicCaller {
public:
    ~ServiceBase() override = default;

    // Binds the service's methods and properties.
    virtual void Bind() = 0;
    // Enters the service's component types into the registry and loads its own resources.
    virtual void Init() = 0;
    // Called on every service before any service updates in a tick: what the tick is to see (the
    // input sampled since the last tick, the places things are drawn from) is settled here.
    virtual void BeginTick() {}
    // One simulation tick; dt in milliseconds (the tick's length, 0 while the game is paused).
    virtual void Update(float dt) = 0;
    // Once every display frame, right after this service's Update in the frame's last tick (or on
    // its own in a frame that runs no tick): drawing, sampling the devices. frameMs is the frame's
    // real length; the engine's GetBlend() says how far the drawn moment lies between the last two
    // ticks.
    virtual void UpdateFrame(float /*frameMs*/) {}
    virtual void AddComponent(Component* component) = 0;
    virtual void RemoveComponent(Component* component) = 0;
};

}  // namespace ZELM
