// What the gameplay adds to a frame: the player's characters and movement with their calls by name.
#include <string>

#include <benchmark/benchmark.h>

#include "support/GameplayWorld.h"

namespace {

// One game-flow update with a player holding an arrow key inside a gravity zone, walking, with
// 100 boxes in the level for the gravity to reach (the physics frame itself is not counted).
void GameplayUpdateWithAPlayer(benchmark::State& state) {
    ZELMTest::GameplayWorld world;
    world.Map(64, 64);
    Kestrin::PhysicsComponent* player = world.AddPlayer(32.0f, 32.0f);
    for (int i = 0; i < 100; ++i) {
        world.AddBox("Box" + std::to_string(i), 2.0f + static_cast<float>(i % 10) * 6.0f,
                     2.0f + static_cast<float>(i / 10) * 6.0f);
    }
    world.engine.held = {"RIGHT", "D"};
    for (auto _ : state) {
        player->SetGravityEffect(0.0f, -1.0f, 1.0f, 4.0f);
        player->AddContact(Kestrin::kContactDown, 1);
        world.logic->Update(16.6667f);
    }
}
BENCHMARK(GameplayUpdateWithAPlayer);

}  // namespace
