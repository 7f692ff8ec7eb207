// A long best run's path: read at the level's start (the ghost waits for it) and written when the
// run is kept. Ten minutes at 60 frames a second.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "logic/RunPath.h"

namespace {

constexpr int kFrames = 10 * 60 * 60;

Logic::RunPath LongPath() {
    Logic::RunPath path;
    for (int frame = 0; frame < kFrames; ++frame) {
        const float t = static_cast<float>(frame) / 60.0f;
        path.Add({3.0f + 40.0f * std::sin(t * 0.1f), 5.0f + 20.0f * std::cos(t * 0.3f), std::sin(t),
                  -std::cos(t)});
    }
    path.SetFinishSeconds(kFrames / 60.0f);
    return path;
}

void BM_ReadLongPath(benchmark::State& state) {
    const std::string text = LongPath().Serialise();
    for (auto _ : state) {
        Logic::RunPath read;
        std::string problem;
        benchmark::DoNotOptimize(Logic::RunPath::Parse(text, read, problem));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLongPath)->Unit(benchmark::kMillisecond);

void BM_WriteLongPath(benchmark::State& state) {
    const Logic::RunPath path = LongPath();
    for (auto _ : state) {
        benchmark::DoNotOptimize(path.Serialise());
    }
}
BENCHMARK(BM_WriteLongPath)->Unit(benchmark::kMillisecond);

}  // namespace
