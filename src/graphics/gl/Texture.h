// A texture on the device, from a PNG file or from pixels.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Graphics {

class Texture {
public:
    // Null when the file cannot be decoded. Needs a current OpenGL context.
    static std::unique_ptr<Texture> Load(const std::string& path);
    // Wraps RGBA pixels, rows from the top.
    static std::unique_ptr<Texture> FromPixels(int width, int height, const std::uint8_t* rgba);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // Smoothed texels and no wrapping, for an atlas drawn smaller than its texels (the font's
    // cells): nearest texels would drop whole strokes. Its cells keep a clear margin for the blend.
    void SampleSmoothClamped();

    // The texture's RGBA pixels, rows from the top, as they were given.
    void ReadPixels(std::vector<std::uint8_t>& rgba) const;

    unsigned GetId() const { return id; }
    // Different for every texture made while the program runs, unlike an address or an OpenGL
    // name, which a later texture may take over: what is worked out from a texture is kept by it.
    std::uint64_t GetSerial() const { return serial; }
    int GetWidth() const { return width; }
    int GetHeight() const { return height; }

private:
    Texture() = default;
    unsigned id = 0;
    std::uint64_t serial = 0;
    int width = 0;
    int height = 0;
};

}  // namespace Graphics
