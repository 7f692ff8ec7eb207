// The cost of a call by name with two arguments, each way of calling, against a direct virtual call.
#include <benchmark/benchmark.h>

#include "engine/DelayedCallQueue.h"
#include "utilities/Dynamic.h"

namespace {

class Body {
public:
    virtual ~Body() = default;
    virtual void SetPosition(float x, float y) = 0;
};

// A second implementation, so the compiler cannot assume which SetPosition a Body* reaches.
class Marker : public Body {
public:
    void SetPosition(float, float) override { ++calls; }
    int calls = 0;
};

class Box : public Body, public ZELM::DynamicBinder, public ZELM::DynamicCaller {
public:
    Box() {
        SetName("BenchmarkBox");
        Bind("SetPosition", this, &Box::SetPosition);
        BindBroadcast("SetPosition", this, &Box::SetPosition);
        BindDeferred("SetPosition", this, &Box::SetPosition);
    }
    void SetPosition(float newX, float newY) override {
        x = newX;
        y = newY;
    }
    float x = 0.0f;
    float y = 0.0f;
};

// Names are kept where they are written, as the engine's hot call sites keep theirs.
const ZELM::MethodName kSetPosition("SetPosition");

// The floor: a virtual call the compiler cannot see through. The pointer is laundered every time,
// and Body has two implementations, so the call is neither inlined nor guessed.
void DirectVirtualCall(benchmark::State& state) {
    Box box;
    Marker marker;
    Body* other = &marker;
    benchmark::DoNotOptimize(other);
    other->SetPosition(0.0f, 0.0f);
    float x = 0.0f;
    for (auto _ : state) {
        Body* body = &box;
        benchmark::DoNotOptimize(body);
        body->SetPosition(x, 2.0f);
        x += 1.0f;
        benchmark::DoNotOptimize(box.x);
    }
}
BENCHMARK(DirectVirtualCall);

void CallOne(benchmark::State& state) {
    Box box;
    float x = 0.0f;
    for (auto _ : state) {
        box.Call(kSetPosition, x, 2.0f);
        x += 1.0f;
        benchmark::DoNotOptimize(box.x);
    }
}
BENCHMARK(CallOne);

void CallAll(benchmark::State& state) {
    Box box;
    float x = 0.0f;
    for (auto _ : state) {
        box.CallAll(kSetPosition, x, 2.0f);
        x += 1.0f;
        benchmark::DoNotOptimize(box.x);
    }
}
BENCHMARK(CallAll);

// A name written as a literal at the call: normalised and hashed on every call.
void CallOneByLiteral(benchmark::State& state) {
    Box box;
    float x = 0.0f;
    for (auto _ : state) {
        box.Call("SetPosition", x, 2.0f);
        x += 1.0f;
        benchmark::DoNotOptimize(box.x);
    }
}
BENCHMARK(CallOneByLiteral);

// Queuing and firing: the whole life of a deferred call with delay 0.
void CallLaterAndFire(benchmark::State& state) {
    Box box;
    float x = 0.0f;
    for (auto _ : state) {
        box.CallLater("SetPosition", 0.0f, x, 2.0f);
        ZELM::DelayedCallQueue::Instance().Advance(0.0f);
        x += 1.0f;
        benchmark::DoNotOptimize(box.x);
    }
    ZELM::DelayedCallQueue::DestroyInstance();
}
BENCHMARK(CallLaterAndFire);

}  // namespace
