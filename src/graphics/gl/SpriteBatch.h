// Textured screen quads in pixels (the sprite object): glyphs and full-screen images.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "graphics/TextLayer.h"

namespace Graphics {

class Effect;

// Where a batch draws: over the screen, or into a transparent picture laid over the screen later
// by DrawPicture with the same result.
enum class SpriteTarget { kScreen, kPicture };

class SpriteBatch {
public:
    // Compiles its own small effect; IsReady is false when that failed.
    SpriteBatch();
    ~SpriteBatch();
    bool IsReady() const { return effect != nullptr; }

    // Starts a batch for a screen of the size, drawing over what is there with alpha blending.
    void Begin(int screenWidth, int screenHeight, SpriteTarget target = SpriteTarget::kScreen);
    // The texture's pixel rectangle (left, top, right, bottom) drawn with its top-left at (x, y),
    // scaled; `argb` tints it.
    void Draw(unsigned texture, int textureWidth, int textureHeight, const int source[4], float x, float y,
              float scale, std::uint32_t argb);
    // The whole texture stretched over the rectangle (x, y, w, h); a white texel gives a plain
    // tinted quad.
    void Fill(unsigned texture, float x, float y, float w, float h, std::uint32_t argb);
    void End();
    // The screen area the quads since Begin cover; empty when there were none.
    const ScreenRect& GetBounds() const { return bounds; }
    // A render target's picture over the whole screen through pass `pass` of `effect`, whose
    // parameters the caller has set; the picture's bottom-up rows are turned the right way.
    void DrawTarget(unsigned targetTexture, int screenWidth, int screenHeight, Effect& pass, int passIndex);
    // A picture drawn by a kPicture batch into a screen-sized target, laid over the screen.
    void DrawPicture(unsigned pictureTexture, int screenWidth, int screenHeight);

private:
    struct Vertex {
        float x, y, u, v;
        float colour[4];
    };
    void Flush();
    // A render target's picture over the whole screen through the pass, `sampler` bound to it.
    void DrawWholeScreen(unsigned targetTexture, int screenWidth, int screenHeight, Effect& through,
                         int passIndex, const char* sampler);
    // place: x, y, width, height in pixels; uv: left, top, right, bottom in the texture.
    void AddQuad(unsigned texture, const std::array<float, 4>& place, const std::array<float, 4>& uv,
                 std::uint32_t argb);

    std::unique_ptr<Effect> effect;
    unsigned vao = 0;
    unsigned buffer = 0;
    unsigned texture = 0;
    int width = 0;
    int height = 0;
    int pass = 0;
    ScreenRect bounds;
    std::vector<Vertex> vertices;
};

}  // namespace Graphics
