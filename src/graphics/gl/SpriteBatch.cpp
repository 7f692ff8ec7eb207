// Batching screen quads by texture.
#include "graphics/gl/SpriteBatch.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <string>

#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"

namespace Graphics {
namespace {

const char* const kSpriteEffect = R"(
@shared
uniform vec4 screen;
uniform sampler2D sprite;
@vertex SpriteVS
layout(location = 0) in vec2 position;
layout(location = 1) in vec2 uv;
layout(location = 2) in vec4 colour;
out vec2 texel;
out vec4 tint;
void main() {
    texel = uv;
    tint = colour;
    gl_Position = vec4(position.x / screen.x * 2.0 - 1.0, 1.0 - position.y / screen.y * 2.0, 0.0, 1.0);
}
@fragment SpritePS
in vec2 texel;
in vec4 tint;
out vec4 colour;
void main() { colour = texture(sprite, texel) * tint; }
@fragment PremultiplyPS
in vec2 texel;
in vec4 tint;
out vec4 colour;
void main() {
    vec4 c = texture(sprite, texel) * tint;
    colour = vec4(c.rgb * c.a, c.a);
}
@technique Sprite
pass 0 SpriteVS SpritePS alpha
pass 1 SpriteVS PremultiplyPS premultiplied
pass 2 SpriteVS SpritePS premultiplied
)";

}  // namespace

SpriteBatch::SpriteBatch() {
    std::string errors;
    effect = Effect::FromText(kSpriteEffect, errors);
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(offsetof(Vertex, x)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(offsetof(Vertex, u)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                          reinterpret_cast<const void*>(offsetof(Vertex, colour)));
    glBindVertexArray(0);
}

SpriteBatch::~SpriteBatch() {
    if (!Device::HasLiveContext()) {
        return;
    }
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vao);
}

void SpriteBatch::Begin(int screenWidth, int screenHeight, SpriteTarget target) {
    width = screenWidth;
    height = screenHeight;
    pass = target == SpriteTarget::kPicture ? 1 : 0;
    vertices.clear();
    texture = 0;
    bounds = {};
}

void SpriteBatch::Draw(unsigned newTexture, int textureWidth, int textureHeight, const int source[4], float x,
                       float y, float scale, std::uint32_t argb) {
    const float w = static_cast<float>(source[2] - source[0]) * scale;
    const float h = static_cast<float>(source[3] - source[1]) * scale;
    const float u0 = static_cast<float>(source[0]) / static_cast<float>(textureWidth);
    const float v0 = static_cast<float>(source[1]) / static_cast<float>(textureHeight);
    const float u1 = static_cast<float>(source[2]) / static_cast<float>(textureWidth);
    const float v1 = static_cast<float>(source[3]) / static_cast<float>(textureHeight);
    AddQuad(newTexture, {x, y, w, h}, {u0, v0, u1, v1}, argb);
}

void SpriteBatch::Fill(unsigned newTexture, float x, float y, float w, float h, std::uint32_t argb) {
    AddQuad(newTexture, {x, y, w, h}, {0.0f, 0.0f, 1.0f, 1.0f}, argb);
}

void SpriteBatch::AddQuad(unsigned newTexture, const std::array<float, 4>& place,
                          const std::array<float, 4>& uv, std::uint32_t argb) {
    if (newTexture != texture) {
        Flush();
        texture = newTexture;
    }
    const auto [x, y, w, h] = place;
    const auto [u0, v0, u1, v1] = uv;
    bounds = bounds.right <= bounds.left
                 ? ScreenRect{x, y, x + w, y + h}
                 : ScreenRect{std::min(bounds.left, x), std::min(bounds.top, y),
                              std::max(bounds.right, x + w), std::max(bounds.bottom, y + h)};
    const float colour[4] = {
        static_cast<float>((argb >> 16) & 0xff) / 255.0f, static_cast<float>((argb >> 8) & 0xff) / 255.0f,
        static_cast<float>(argb & 0xff) / 255.0f, static_cast<float>(argb >> 24) / 255.0f};
    const Vertex corners[4] = {
        {x, y, u0, v0, {}}, {x + w, y, u1, v0, {}}, {x + w, y + h, u1, v1, {}}, {x, y + h, u0, v1, {}}};
    for (const int i : {0, 1, 2, 0, 2, 3}) {
        Vertex vertex = corners[i];
        std::copy(colour, colour + 4, vertex.colour);
        vertices.push_back(vertex);
    }
}

void SpriteBatch::Flush() {
    if (vertices.empty() || effect == nullptr) {
        vertices.clear();
        return;
    }
    glDisable(GL_DEPTH_TEST);
    effect->SetVector("screen", glm::vec4(static_cast<float>(width), static_cast<float>(height), 0.0f, 0.0f));
    effect->SetTexture("sprite", texture);
    effect->Begin();
    effect->BeginPass(pass);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(vertices.size()));
    glBindVertexArray(0);
    effect->EndPass();
    effect->End();
    glEnable(GL_DEPTH_TEST);
    vertices.clear();
}

void SpriteBatch::End() {
    Flush();
}

void SpriteBatch::DrawPicture(unsigned pictureTexture, int screenWidth, int screenHeight) {
    if (effect != nullptr) {
        effect->SetVector("screen", glm::vec4(static_cast<float>(screenWidth),
                                              static_cast<float>(screenHeight), 0.0f, 0.0f));
        DrawWholeScreen(pictureTexture, screenWidth, screenHeight, *effect, 2, "sprite");
    }
}

void SpriteBatch::DrawTarget(unsigned targetTexture, int screenWidth, int screenHeight, Effect& pass,
                             int passIndex) {
    DrawWholeScreen(targetTexture, screenWidth, screenHeight, pass, passIndex, "pTex");
}

void SpriteBatch::DrawWholeScreen(unsigned targetTexture, int screenWidth, int screenHeight, Effect& through,
                                  int passIndex, const char* sampler) {
    const float w = static_cast<float>(screenWidth);
    const float h = static_cast<float>(screenHeight);
    const Vertex corners[4] = {{0, 0, 0, 1, {1, 1, 1, 1}},
                               {w, 0, 1, 1, {1, 1, 1, 1}},
                               {w, h, 1, 0, {1, 1, 1, 1}},
                               {0, h, 0, 0, {1, 1, 1, 1}}};
    std::vector<Vertex> quad;
    for (const int i : {0, 1, 2, 0, 2, 3}) {
        quad.push_back(corners[i]);
    }
    glDisable(GL_DEPTH_TEST);
    through.SetTexture(sampler, targetTexture);
    through.Begin();
    through.BeginPass(passIndex);
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quad.size() * sizeof(Vertex)), quad.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(quad.size()));
    glBindVertexArray(0);
    through.EndPass();
    through.End();
    glEnable(GL_DEPTH_TEST);
}

}  // namespace Graphics
