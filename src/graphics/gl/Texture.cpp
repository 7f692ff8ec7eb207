// Decoding PNG files into textures.
#include "graphics/gl/Texture.h"

#include <epoxy/gl.h>
#include <stb/stb_image.h>

#include "graphics/gl/Device.h"

namespace Graphics {

std::unique_ptr<Texture> Texture::Load(const std::string& path) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (pixels == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Texture> texture = FromPixels(width, height, pixels);
    stbi_image_free(pixels);
    return texture;
}

std::unique_ptr<Texture> Texture::FromPixels(int width, int height, const std::uint8_t* rgba) {
    static std::uint64_t made = 0;
    std::unique_ptr<Texture> texture(new Texture());
    texture->serial = ++made;
    texture->width = width;
    texture->height = height;
    glGenTextures(1, &texture->id);
    glBindTexture(GL_TEXTURE_2D, texture->id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // Rows go in from the top, so texture coordinate v = 0 is the picture's top row, as the
    // sprite and mesh coordinates expect.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return texture;
}

void Texture::ReadPixels(std::vector<std::uint8_t>& rgba) const {
    rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
}

void Texture::SampleSmoothClamped() {
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

Texture::~Texture() {
    // Without a context the driver has freed the texture with it.
    if (id != 0 && Device::HasLiveContext()) {
        glDeleteTextures(1, &id);
    }
}

}  // namespace Graphics
