// The base of the particle systems: a fixed pool of point-sprite particles that the vertex shader
// moves from their initial values, so the processor only emits them and copies the live ones.
#pragma once

#include <cstdint>
#include <glm/glm.hpp>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "utilities/Dynamic.h"

namespace Graphics {

class Effect;
class PointBuffer;

// One particle, and the vertex the particle buffer holds for it (44 bytes).
struct Particle {
    glm::vec3 initialPos;
    glm::vec3 initialVelocity;
    float initialSize;
    float initialTime;  // seconds of the system's clock
    float lifeTime;     // seconds
    float mass;
    std::uint32_t initialColour;  // ARGB
};
static_assert(sizeof(Particle) == 44, "the particle vertex is 44 bytes");

class PSystem {
public:
    // `effect` may be shared by several systems and is null without a device: the particles are
    // then emitted, aged and moved as usual, only never drawn. `texture` is an asset name. A
    // negative `timePerParticle` emits only on request.
    PSystem(std::shared_ptr<Effect> effect, const std::string& technique, const std::string& texture,
            const glm::vec3& acceleration, int maxNumParticles, float timePerParticle);
    virtual ~PSystem();
    PSystem(const PSystem&) = delete;
    PSystem& operator=(const PSystem&) = delete;

    // Gives a dead particle life; nothing happens while every particle is alive.
    void AddParticle();
    // Advances the clock by dt milliseconds and sorts the particles into live and dead.
    virtual void Update(float dt);
    // Draws the live particles as point sprites with the system's technique.
    virtual void Draw();

    void SetWorldMtx(const glm::mat4& world);
    // The live particles as they go into the vertex buffer: the processor's part of Draw.
    const std::vector<Particle>& CopyLive();

    float GetTime() const { return time; }
    int GetMaxParticles() const { return static_cast<int>(particles.size()); }
    // The particles alive after the last update and the emissions since.
    const std::vector<Particle*>& GetLive() const { return live; }

protected:
    // Fills a particle about to be emitted.
    virtual void InitParticle(Particle& out) = 0;

    // u in [0, 1], in steps of 0.0001.
    float Random();
    // a + (b - a) u; a when b <= a.
    float Random(float a, float b);
    // The player's position ("GetP1Light"); the origin when nothing answers it.
    glm::vec3 PlayerPosition();

    ZELM::DynamicCaller engine;
    float time = 0.0f;

private:
    std::shared_ptr<Effect> effect;
    std::string technique;
    std::string texture;
    std::unique_ptr<PointBuffer> buffer;
    glm::mat4 world{1.0f};
    glm::mat4 invWorld{1.0f};
    glm::vec3 acceleration;
    float timePerParticle;
    float timeSinceEmission = 0.0f;  // seconds, for automatic emission
    std::vector<Particle> particles;
    std::vector<Particle*> live;
    std::vector<Particle*> dead;
    std::vector<Particle> vertices;
    std::minstd_rand random;
};

}  // namespace Graphics
