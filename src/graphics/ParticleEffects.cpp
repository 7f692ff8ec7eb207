// Making, bursting, updating and drawing the splash systems and the dust.
#include "graphics/ParticleEffects.h"

#include <algorithm>
#include <glm/glm.hpp>

#include "graphics/Dust.h"
#include "graphics/PhaseSplash.h"
#include "graphics/gl/Effect.h"

namespace Graphics {
namespace {

constexpr int kSplashParticles = 100;
constexpr int kDustParticles = 1000;

}  // namespace

ParticleEffects::ParticleEffects() = default;
ParticleEffects::~ParticleEffects() = default;

bool ParticleEffects::Create(const std::string& effectFile, std::string& errors) {
    // One effect for all five: each system sets every parameter it draws with.
    std::shared_ptr<Effect> effect;
    if (!effectFile.empty()) {
        effect = Effect::Load(effectFile, errors);
    }
    const struct {
        SplashColour colour;
        const char* technique;
        int particles;
    } kinds[] = {{SplashColour::Blue, "PhaseSplashTech", 3000},
                 {SplashColour::Red, "RedSplashTech", 300},
                 {SplashColour::Green, "GreenSplashTech", 300},
                 {SplashColour::Yellow, "YellowSplashTech", 300}};
    for (const auto& kind : kinds) {
        auto& system = splashes[static_cast<int>(kind.colour)];
        system = std::make_unique<PhaseSplash>(effect, kind.technique, "splashparticle", glm::vec3(0.0f),
                                               kind.particles, -1.0f);
        system->SetWorldMtx(glm::mat4(1.0f));
    }
    dust = std::make_unique<Dust>(effect, "DustTech", "dust", glm::vec3(0.0f), kDustParticles, -1.0f);
    dust->SetWorldMtx(glm::mat4(1.0f));
    return effectFile.empty() || effect != nullptr;
}

void ParticleEffects::Destroy() {
    dust.reset();
    for (std::unique_ptr<PhaseSplash>& splash : splashes) {
        splash.reset();
    }
}

void ParticleEffects::Splash(SplashColour colour, int direction, float share) {
    PhaseSplash& splash = *splashes[static_cast<int>(colour)];
    splash.SetDirection(direction);
    const int count = static_cast<int>(static_cast<float>(kSplashParticles) * std::clamp(share, 0.0f, 1.0f));
    for (int i = 0; i < count; ++i) {
        splash.AddParticle();
    }
}

void ParticleEffects::PrewarmDust() {
    if (dustPrewarmed) {
        return;
    }
    dustPrewarmed = true;
    for (int i = 0; i < kDustParticles; ++i) {
        dust->AddParticle();
    }
}

void ParticleEffects::Update(float dt) {
    for (std::unique_ptr<PhaseSplash>& splash : splashes) {
        splash->Update(dt);
    }
    dust->Update(dt);
}

void ParticleEffects::Draw() {
    for (std::unique_ptr<PhaseSplash>& splash : splashes) {
        splash->Draw();
    }
    dust->Draw();
}

}  // namespace Graphics
