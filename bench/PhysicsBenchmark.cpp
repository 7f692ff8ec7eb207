// Our broad phase and whole physics frame against a general-purpose 2D physics library on the same scenes.
#include <box2d/box2d.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "support/PhysicsWorld.h"

namespace {

// Our world is the one the physics tests use: game flow (for the tiles), physics and an entity table.
using OurWorld = ZELMTest::PhysicsWorld;

Kestrin::PhysicsComponent* AddBox(OurWorld& world, int index, float x, float y) {
    return world.AddBox("Box" + std::to_string(index), x, y, 1.0f, 1.0f, 1.0f, static_cast<unsigned>(index + 1));
}

// Boxes scattered over a square sized so that each box overlaps about one other on average.
std::vector<b2Vec2> Scatter(int count, unsigned seed) {
    std::mt19937 random(seed);
    const float side = std::sqrt(static_cast<float>(count) * 2.0f);
    std::uniform_real_distribution<float> place(0.0f, side);
    std::vector<b2Vec2> positions;
    for (int i = 0; i < count; ++i) {
        positions.emplace_back(place(random), place(random));
    }
    return positions;
}

// Every box moves a little each iteration, then every overlapping pair is found.
void OurBroadPhase(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    OurWorld world;
    std::vector<Kestrin::PhysicsComponent*> bodies;
    std::vector<b2Vec2> positions = Scatter(count, 1);
    for (int i = 0; i < count; ++i) {
        bodies.push_back(AddBox(world, i, positions[i].x, positions[i].y));
    }
    std::mt19937 random(2);
    std::uniform_real_distribution<float> jitter(-0.05f, 0.05f);
    std::size_t pairs = 0;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            positions[i].x += jitter(random);
            positions[i].y += jitter(random);
            ZELM::Physical* physical = bodies[i]->GetPhysical();
            physical->SetX(positions[i].x);
            physical->SetY(positions[i].y);
            bodies[i]->SetX(positions[i].x);
            bodies[i]->SetY(positions[i].y);
        }
        world.physics->FindPairs();
        pairs = world.physics->GetPairs().size();
        benchmark::DoNotOptimize(pairs);
    }
    state.counters["candidate pairs"] = static_cast<double>(pairs);
}
BENCHMARK(OurBroadPhase)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

struct PairCounter {
    void AddPair(void*, void*) { ++pairs; }
    std::size_t pairs = 0;
};

void PeerBroadPhase(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    b2BroadPhase broadPhase;
    std::vector<b2Vec2> positions = Scatter(count, 1);
    std::vector<int> proxies;
    auto box = [](const b2Vec2& centre) {
        b2AABB aabb;
        aabb.lowerBound = b2Vec2(centre.x - 0.5f, centre.y - 0.5f);
        aabb.upperBound = b2Vec2(centre.x + 0.5f, centre.y + 0.5f);
        return aabb;
    };
    for (int i = 0; i < count; ++i) {
        proxies.push_back(broadPhase.CreateProxy(box(positions[i]), nullptr));
    }
    std::mt19937 random(2);
    std::uniform_real_distribution<float> jitter(-0.05f, 0.05f);
    PairCounter counter;
    for (auto _ : state) {
        for (int i = 0; i < count; ++i) {
            const b2Vec2 step(jitter(random), jitter(random));
            positions[i] += step;
            broadPhase.MoveProxy(proxies[i], box(positions[i]), step);
            broadPhase.TouchProxy(proxies[i]);  // every pair is reported each step, as ours finds them
        }
        counter.pairs = 0;
        broadPhase.UpdatePairs(&counter);
        benchmark::DoNotOptimize(counter.pairs);
    }
    state.counters["candidate pairs"] = static_cast<double>(counter.pairs);
}
BENCHMARK(PeerBroadPhase)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// 1,000 boxes dropped into a walled arena with a tile floor; one frame of 16.7 ms per iteration,
// restarting the drop every 120 frames so the scene keeps both falling and resting boxes.
constexpr int kArenaBoxes = 1000;
constexpr unsigned kArenaWidth = 60;
constexpr unsigned kArenaHeight = 80;

// n boxes in rows of 40 over the arena floor, 1.4 apart across and 1.5 up.
std::vector<b2Vec2> RowDrop(int count) {
    std::vector<b2Vec2> positions;
    for (int i = 0; i < count; ++i) {
        positions.emplace_back(2.0f + static_cast<float>(i % 40) * 1.4f, 3.0f + static_cast<float>(i / 40) * 1.5f);
    }
    return positions;
}

std::vector<b2Vec2> ArenaDrop() { return RowDrop(kArenaBoxes); }

// The arena's tiles: a floor and two walls.
void BuildArena(OurWorld& world) {
    Logic::WorldMap& map = world.logic->GetWorldMap();
    map.Create(kArenaWidth, kArenaHeight);
    for (unsigned x = 0; x < kArenaWidth; ++x) {
        map.SetTileID(x, 0, 1);
    }
    for (unsigned y = 0; y < kArenaHeight; ++y) {
        map.SetTileID(0, y, 1);
        map.SetTileID(kArenaWidth - 1, y, 1);
    }
}

// Frames of the world, every body put back at its drop point (at rest) every 120 frames, untimed.
void RunDroppedFrames(benchmark::State& state, OurWorld& world, const std::vector<Kestrin::PhysicsComponent*>& bodies,
                      const std::vector<b2Vec2>& drop) {
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % 120 == 0) {
            state.PauseTiming();
            for (std::size_t i = 0; i < bodies.size(); ++i) {
                bodies[i]->CallAll("SetX", drop[i].x);
                bodies[i]->CallAll("SetY", drop[i].y);
                bodies[i]->SetXVelocity(0.0f);
                bodies[i]->SetYVelocity(0.0f);
            }
            state.ResumeTiming();
        }
        world.physics->Update(16.6667f);
    }
}

void OurFrame(benchmark::State& state) {
    OurWorld world;
    BuildArena(world);
    const std::vector<b2Vec2> drop = ArenaDrop();
    std::vector<Kestrin::PhysicsComponent*> bodies;
    for (int i = 0; i < kArenaBoxes; ++i) {
        bodies.push_back(AddBox(world, i, drop[i].x, drop[i].y));
    }
    RunDroppedFrames(state, world, bodies, drop);
}
BENCHMARK(OurFrame)->Unit(benchmark::kMillisecond);

// The scaling of the whole frame: n boxes in rows over the arena floor, dropped again every 120 frames.
void OurFrameOf(benchmark::State& state) {
    OurWorld world;
    BuildArena(world);
    const std::vector<b2Vec2> drop = RowDrop(static_cast<int>(state.range(0)));
    std::vector<Kestrin::PhysicsComponent*> bodies;
    for (std::size_t i = 0; i < drop.size(); ++i) {
        bodies.push_back(AddBox(world, static_cast<int>(i), drop[i].x, drop[i].y));
    }
    RunDroppedFrames(state, world, bodies, drop);
}
BENCHMARK(OurFrameOf)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A level of n boxes loaded and unloaded: the world made, every box listed, the lists put in order
// by their first use, and everything taken down again.
void OurLoadAndUnloadOf(benchmark::State& state) {
    const std::vector<b2Vec2> drop = RowDrop(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        OurWorld world;
        BuildArena(world);
        for (std::size_t i = 0; i < drop.size(); ++i) {
            AddBox(world, static_cast<int>(i), drop[i].x, drop[i].y);
        }
        benchmark::DoNotOptimize(world.physics->GetEndpoints(true).data());
    }
}
BENCHMARK(OurLoadAndUnloadOf)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Processor time of this thread, so a frame is not charged for the time other programs ran.
double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1.0e3 + static_cast<double>(now.tv_nsec) / 1.0e6;
}

// n boxes placed by the given function over the arena floor; each iteration is one frame, and the
// boxes are placed again every 120 frames. "worst frame ms" is the longest single frame, in
// processor time.
template <typename Place>
void FramesOfPlacedBoxes(benchmark::State& state, Place place) {
    const int count = static_cast<int>(state.range(0));
    OurWorld world;
    BuildArena(world);
    std::vector<Kestrin::PhysicsComponent*> bodies;
    for (int i = 0; i < count; ++i) {
        const b2Vec2 at = place(i);
        bodies.push_back(AddBox(world, i, at.x, at.y));
    }
    double worstMs = 0.0;
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % 120 == 0) {
            state.PauseTiming();
            for (int i = 0; i < count; ++i) {
                const b2Vec2 at = place(i);
                bodies[i]->CallAll("SetX", at.x);
                bodies[i]->CallAll("SetY", at.y);
                bodies[i]->SetXVelocity(0.0f);
                bodies[i]->SetYVelocity(0.0f);
            }
            state.ResumeTiming();
        }
        const double start = ThreadCpuMs();
        world.physics->Update(16.6667f);
        worstMs = std::max(worstMs, ThreadCpuMs() - start);
    }
    state.counters["worst frame ms"] = worstMs;
}

// Boxes all created at one point (a designer's clicks, a script that spawns): a pile that must
// separate without any frame costing far more than the same boxes spread out.
void PileFrame(benchmark::State& state) {
    FramesOfPlacedBoxes(state, [](int) { return b2Vec2(30.0f, 10.0f); });
}
BENCHMARK(PileFrame)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

void SpreadFrame(benchmark::State& state) {
    FramesOfPlacedBoxes(state, [](int i) {
        return b2Vec2(2.0f + static_cast<float>(i % 40) * 1.4f, 3.0f + static_cast<float>(i / 40) * 1.5f);
    });
}
BENCHMARK(SpreadFrame)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

// The peer's world: the floor and walls as static unit boxes, like the tiles.
std::unique_ptr<b2World> PeerArena() {
    auto world = std::make_unique<b2World>(b2Vec2(0.0f, -8.0f));
    b2BodyDef groundDef;
    b2Body* ground = world->CreateBody(&groundDef);
    b2PolygonShape tile;
    for (unsigned x = 0; x < kArenaWidth; ++x) {
        tile.SetAsBox(0.5f, 0.5f, b2Vec2(static_cast<float>(x) + 0.5f, 0.5f), 0.0f);
        ground->CreateFixture(&tile, 0.0f);
    }
    for (unsigned y = 1; y < kArenaHeight; ++y) {
        for (const unsigned x : {0u, kArenaWidth - 1}) {
            tile.SetAsBox(0.5f, 0.5f, b2Vec2(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f), 0.0f);
            ground->CreateFixture(&tile, 0.0f);
        }
    }
    return world;
}

b2Body* AddPeerBox(b2World& world, const b2Vec2& at) {
    b2BodyDef definition;
    definition.type = b2_dynamicBody;
    definition.fixedRotation = true;  // our boxes stay axis-aligned
    definition.position = at;
    b2Body* body = world.CreateBody(&definition);
    b2PolygonShape box;
    box.SetAsBox(0.5f, 0.5f);
    body->CreateFixture(&box, 1.0f);
    return body;
}

// The peer's frames of boxes dropped from the given points, put back at rest every 120 frames, untimed.
void PeerDroppedFrames(benchmark::State& state, const std::vector<b2Vec2>& drop) {
    std::unique_ptr<b2World> world = PeerArena();
    std::vector<b2Body*> bodies;
    for (const b2Vec2& at : drop) {
        bodies.push_back(AddPeerBox(*world, at));
    }
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % 120 == 0) {
            state.PauseTiming();
            for (std::size_t i = 0; i < bodies.size(); ++i) {
                bodies[i]->SetTransform(drop[i], 0.0f);
                bodies[i]->SetLinearVelocity(b2Vec2(0.0f, 0.0f));
                // A body asleep on the floor would otherwise hang at its drop point, costing nothing.
                bodies[i]->SetAwake(true);
            }
            state.ResumeTiming();
        }
        world->Step(1.0f / 60.0f, 8, 3);
    }
}

void PeerFrame(benchmark::State& state) {
    PeerDroppedFrames(state, ArenaDrop());
}
BENCHMARK(PeerFrame)->Unit(benchmark::kMillisecond);

void PeerFrameOf(benchmark::State& state) {
    PeerDroppedFrames(state, RowDrop(static_cast<int>(state.range(0))));
}
BENCHMARK(PeerFrameOf)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The peer's pile: n boxes made at one point in a new world every 10 frames (untimed); "worst frame
// ms" is the longest of those first frames, in processor time, while the pile flies apart.
void PeerPileFrame(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::unique_ptr<b2World> world;
    double worstMs = 0.0;
    int frame = 0;
    for (auto _ : state) {
        if (frame++ % 10 == 0) {
            state.PauseTiming();
            world.reset();
            world = PeerArena();
            for (int i = 0; i < count; ++i) {
                AddPeerBox(*world, b2Vec2(30.0f, 10.0f));
            }
            state.ResumeTiming();
        }
        const double start = ThreadCpuMs();
        world->Step(1.0f / 60.0f, 8, 3);
        worstMs = std::max(worstMs, ThreadCpuMs() - start);
    }
    state.counters["worst frame ms"] = worstMs;
}
BENCHMARK(PeerPileFrame)->Arg(100)->Arg(200)->Arg(400)->Unit(benchmark::kMillisecond);

}  // namespace
