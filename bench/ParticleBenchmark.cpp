// A frame's processor work for 3,000 live particles: the update and the copy into the vertex stream.
#include <benchmark/benchmark.h>

#include <glm/glm.hpp>
#include <memory>

#include "graphics/Dust.h"
#include "graphics/PhaseSplash.h"

namespace {

constexpr int kParticles = 3000;
constexpr float kFrameMs = 16.6667f;

// Splash particles move in the shader: the update only sorts them into live and dead. The clock
// stands still (dt 0) so all 3,000 stay alive however long the benchmark runs.
void SplashUpdateAndCopy(benchmark::State& state) {
    Graphics::PhaseSplash splash(nullptr, "PhaseSplashTech", "splashparticle", glm::vec3(0.0f), kParticles,
                                 -1.0f);
    for (int i = 0; i < kParticles; ++i) {
        splash.AddParticle();
    }
    for (auto _ : state) {
        splash.Update(0.0f);
        benchmark::DoNotOptimize(splash.CopyLive().data());
    }
    state.counters["live"] = static_cast<double>(splash.GetLive().size());
}
BENCHMARK(SplashUpdateAndCopy)->Unit(benchmark::kMicrosecond);

// Dust is drifted and wrapped on the processor: the heavier update, at a real frame's dt. The
// cloud is made again before its 1,000-second life runs out.
void DustUpdateAndCopy(benchmark::State& state) {
    std::unique_ptr<Graphics::Dust> dust;
    for (auto _ : state) {
        if (!dust || dust->GetTime() > 900.0f) {
            state.PauseTiming();
            dust = std::make_unique<Graphics::Dust>(nullptr, "DustTech", "dust", glm::vec3(0.0f), kParticles,
                                                    -1.0f);
            for (int i = 0; i < kParticles; ++i) {
                dust->AddParticle();
            }
            state.ResumeTiming();
        }
        dust->Update(kFrameMs);
        benchmark::DoNotOptimize(dust->CopyLive().data());
    }
    state.counters["live"] = static_cast<double>(dust->GetLive().size());
}
BENCHMARK(DustUpdateAndCopy)->Unit(benchmark::kMicrosecond);

}  // namespace
