// The engine of the file targets: the logic and physics services started, once per process.
#pragma once

#include "FuzzScratch.h"
#include "engine/Engine.h"
#include "engine/ShortName.h"
#include "logic/LogicService.h"
#include "physics/PhysicsService.h"

namespace FallwardFuzz {

inline ZELM::Engine& GameplayEngine() {
    static ZELM::Engine& engine = []() -> ZELM::Engine& {
        EnterScratchData();
        ZELM::Engine& created = ZELM::Engine::Instance();
        created.AddService(ZELM::ShortName("Logic::LogicService"), new Logic::LogicService());
        created.AddService(ZELM::ShortName("Kestrin::PhysicsService"), new Kestrin::PhysicsService());
        created.StartServices();
        return created;
    }();
    return engine;
}

}  // namespace FallwardFuzz
