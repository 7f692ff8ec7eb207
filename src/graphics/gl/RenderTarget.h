// An off-screen picture of a given size (a framebuffer object with its own depth).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace Graphics {

class RenderTarget {
public:
    // Null when the driver cannot complete the framebuffer. Needs a current OpenGL context.
    static std::unique_ptr<RenderTarget> Create(int width, int height);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // Draws into the picture from now on, cleared to the colour (opaque black unless given) with
    // depth 1.
    void Begin(std::uint32_t argb = 0xff000000u);
    // The picture as RGBA rows from the bottom. It waits for the drawing into it to finish.
    void ReadPixels(std::vector<std::uint8_t>& rgba) const;
    // The picture as a texture; its first row is the bottom one.
    unsigned GetTexture() const { return texture; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }

private:
    RenderTarget() = default;
    unsigned framebuffer = 0;
    unsigned texture = 0;
    unsigned depth = 0;
    int width = 0;
    int height = 0;
};

}  // namespace Graphics
