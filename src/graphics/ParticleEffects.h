// The particles of the frame: the four coloured splashes that burst from the player and the
// ambient dust around it, made together on one effect.
#pragma once

#include <array>
#include <memory>
#include <string>

namespace Graphics {

class Dust;
class Effect;
class PhaseSplash;

// The splash systems, in the order the frame updates and draws them.
enum class SplashColour { Blue, Red, Green, Yellow };

class ParticleEffects {
public:
    ParticleEffects();
    ~ParticleEffects();

    bool IsCreated() const { return dust != nullptr; }
    // Makes the four splash systems and the dust, sharing the effect of that file; without a file
    // (no device) or when it fails to load they go undrawn but still emit and age. False, with the
    // compiler's errors, when the effect fails.
    bool Create(const std::string& effectFile, std::string& errors);
    // Frees the systems while the device's context is still there.
    void Destroy();
    // A burst of a hundred particles of the colour flying in the direction (0 up, 1 down, 2 left,
    // 3 right). The systems must have been made.
    // `share` of the particles (reduced flashing bursts a third).
    void Splash(SplashColour colour, int direction, float share = 1.0f);
    // Fills the dust cloud once, around wherever the player starts; later calls do nothing.
    void PrewarmDust();
    void Update(float dt);
    void Draw();

    // Null until the systems are made.
    const PhaseSplash* GetSplash(SplashColour colour) const {
        return splashes[static_cast<int>(colour)].get();
    }
    const Dust* GetDust() const { return dust.get(); }

private:
    std::array<std::unique_ptr<PhaseSplash>, 4> splashes;  // by SplashColour
    std::unique_ptr<Dust> dust;
    bool dustPrewarmed = false;
};

}  // namespace Graphics
