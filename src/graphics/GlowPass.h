// The glow: what glows drawn flat into a small picture, blurred into a second one and added to the
// frame where the blur reaches.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/GlowTiles.h"

namespace Graphics {

class Device;
class Effect;
class RenderTarget;
class SpriteBatch;

class GlowPass {
public:
    GlowPass();
    ~GlowPass();

    // Loads the effect the glow is drawn and blurred with; false, with the compiler's errors, when
    // it fails (the glow then goes undrawn).
    bool LoadShader(const std::string& file, std::string& errors);
    // Makes the two pictures again for a screen of this size.
    void CreateTargets(int screenWidth, int screenHeight);
    // Frees the pictures and the effect while the device's context is still there.
    void Unload();
    bool HasShader() const { return shader != nullptr; }

    // Starts drawing into the glow picture; false, with nothing begun, without the pictures.
    bool Begin();
    // Sets the effect up for one component at the device's world, view and projection, in its flat
    // technique or its depth or normal look, and begins its pass; EndShading after the draw.
    void BeginShading(const Device& device, bool depthShade, bool normalShade, int screenWidth,
                      int screenHeight);
    void EndShading();
    // The glow blurred into the second picture, then added to the back buffer, both only where
    // the blur can carry light. Needs the effect and the pictures; without them it does nothing.
    void Compose(Device& device, SpriteBatch& sprites, int screenWidth, int screenHeight);

private:
    std::unique_ptr<Effect> shader;
    std::unique_ptr<RenderTarget> renderTarget1;  // the glow, at a fraction of the screen size
    std::unique_ptr<RenderTarget> renderTarget2;  // the glow, blurred
    std::vector<std::uint8_t> glowPixels;         // the glow picture read back each frame
    GlowTiles glowTiles;                          // where in it the blur can light the frame
};

}  // namespace Graphics
