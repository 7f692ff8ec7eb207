// Emitting, ageing and drawing the particles of a system.
#include "graphics/PSystem.h"

#include <cstddef>

#include "engine/AssetManager.h"
#include "graphics/D3DMath.h"
#include "graphics/gl/Effect.h"
#include "graphics/gl/PointBuffer.h"
#include "graphics/gl/Texture.h"

namespace Graphics {

PSystem::PSystem(std::shared_ptr<Effect> particleEffect, const std::string& techniqueName,
                 const std::string& textureName, const glm::vec3& accel, int maxNumParticles,
                 float secondsPerParticle)
    : effect(std::move(particleEffect)),
      technique(techniqueName),
      texture(textureName),
      acceleration(accel),
      timePerParticle(secondsPerParticle),
      particles(static_cast<std::size_t>(maxNumParticles > 0 ? maxNumParticles : 0)) {
    engine.SetName("Engine");
    live.reserve(particles.size());
    dead.reserve(particles.size());
    vertices.reserve(particles.size());
    // Every particle starts dead: its life has run out before the clock starts.
    for (auto particle = particles.rbegin(); particle != particles.rend(); ++particle) {
        particle->lifeTime = -1.0f;
        dead.push_back(&*particle);
    }
    if (effect) {
        buffer = std::make_unique<PointBuffer>(
            sizeof(Particle), maxNumParticles,
            std::vector<PointBuffer::Attribute>{{0, 3, offsetof(Particle, initialPos)},
                                                {1, 3, offsetof(Particle, initialVelocity)},
                                                {2, 1, offsetof(Particle, initialSize)},
                                                {3, 1, offsetof(Particle, initialTime)},
                                                {4, 1, offsetof(Particle, lifeTime)},
                                                {5, 1, offsetof(Particle, mass)},
                                                {6, 0, offsetof(Particle, initialColour)}});
    }
}

PSystem::~PSystem() = default;

void PSystem::SetWorldMtx(const glm::mat4& matrix) {
    world = matrix;
    invWorld = glm::inverse(matrix);
}

float PSystem::Random() {
    return static_cast<float>(random() % 10001u) * 0.0001f;
}

float PSystem::Random(float a, float b) {
    return b <= a ? a : a + (b - a) * Random();
}

glm::vec3 PSystem::PlayerPosition() {
    return engine.IsBound("GetP1Light") ? engine.Call<glm::vec3>("GetP1Light") : glm::vec3(0.0f);
}

void PSystem::AddParticle() {
    if (dead.empty()) {
        return;
    }
    Particle* particle = dead.back();
    dead.pop_back();
    InitParticle(*particle);
    live.push_back(particle);
}

void PSystem::Update(float dt) {
    time += dt / 1000.0f;
    live.clear();
    dead.clear();
    for (Particle& particle : particles) {
        if (time - particle.initialTime > particle.lifeTime) {
            dead.push_back(&particle);
        } else {
            live.push_back(&particle);
        }
    }
    if (timePerParticle > 0.0f) {
        timeSinceEmission += dt / 1000.0f;
        while (timeSinceEmission >= timePerParticle) {
            AddParticle();
            timeSinceEmission -= timePerParticle;
        }
    }
}

const std::vector<Particle>& PSystem::CopyLive() {
    vertices.clear();
    for (const Particle* particle : live) {
        vertices.push_back(*particle);
    }
    return vertices;
}

void PSystem::Draw() {
    // An effect without the technique draws nothing rather than another system's look.
    if (!effect || !buffer || live.empty() || !effect->SetTechnique(technique)) {
        return;
    }
    const glm::vec3 eye = engine.IsBound("GetCamPos") ? engine.Call<glm::vec3>("GetCamPos") : glm::vec3(0.0f);
    const glm::mat4 viewProj =
        engine.IsBound("GetViewProj") ? engine.Call<glm::mat4>("GetViewProj") : glm::mat4(1.0f);
    const int viewportHeight = engine.IsBound("GetScreenHeight") ? engine.Call<int>("GetScreenHeight") : 600;
    ZELM::AssetManager& assets = ZELM::AssetManager::Instance();
    // Looked up each frame: the asset manager owns the texture and may unload it.
    const Texture* sprite = assets.Has(texture) ? assets.Get<Texture*>(texture) : nullptr;

    effect->SetVector("gEyePosL", glm::vec4(glm::vec3(TransformPoint(eye, invWorld)), 1.0f));
    effect->SetTexture("gTex", sprite);
    effect->SetFloat("gTime", time);
    effect->SetVector("gAccel", glm::vec4(acceleration, 0.0f));
    effect->SetMatrix("gWVP", world * viewProj);
    effect->SetFloat("gViewportHeight", static_cast<float>(viewportHeight));

    const std::vector<Particle>& copied = CopyLive();
    effect->Begin();
    effect->BeginPass(0);
    buffer->Draw(copied.data(), static_cast<int>(copied.size()));
    effect->EndPass();
    effect->End();
}

}  // namespace Graphics
