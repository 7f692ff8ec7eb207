// Textured screen quads in pixels (the sprite object): glyphs and full-screen images.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace Graphics {

class Effect;

class SpriteBatch {
public:
    // Compiles its own small effect; IsReady is false when that failed.
    SpriteBatch();
    ~SpriteBatch();
    bool IsReady() const { return effect != nullptr; }

    // Starts a batch for a screen of the size, drawing over what is there with alpha blending.
    void Begin(int screenWidth, int screenHeight);
    // The texture's pixel rectangle (left, top, right, bottom) drawn with its top-left at (x, y),
    // scaled; `argb` tints it.
    void Draw(unsigned texture, int textureWidth, int textureHeight, const int source[4], float x, float y,
              float scale, std::uint32_t argb);
    // The whole texture stretched over the rectangle (x, y, w, h); a white texel gives a plain
    // tinted quad.
    void Fill(unsigned texture, float x, float y, float w, float h, std::uint32_t argb);
    void End();
    // A render target's picture over the whole screen through pass `pass` of `effect`, whose
    // parameters the caller has set; the picture's bottom-up rows are turned the right way.
    void DrawTarget(unsigned targetTexture, int screenWidth, int screenHeight, Effect& pass, int passIndex);

private:
    struct Vertex {
        float x, y, u, v;
        float colour[4];
    };
    void Flush();
    // place: x, y, width, height in pixels; uv: left, top, right, bottom in the texture.
    void AddQuad(unsigned texture, const std::array<float, 4>& place, const std::array<float, 4>& uv,
                 std::uint32_t argb);

    std::unique_ptr<Effect> effect;
    unsigned vao = 0;
    unsigned buffer = 0;
    unsigned texture = 0;
    int width = 0;
    int height = 0;
    std::vector<Vertex> vertices;
};

}  // namespace Graphics
