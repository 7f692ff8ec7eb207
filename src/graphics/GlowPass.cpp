// The glow pass's pictures, its flat shading of each component, and the blur added to the frame.
#include "graphics/GlowPass.h"

#include <algorithm>

#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"
#include "graphics/gl/RenderTarget.h"
#include "graphics/gl/SpriteBatch.h"

namespace Graphics {
namespace {

// The glow picture and its blur are made at a fraction of the screen's size and stretched over it
// by the linear filter in the composite: the blur is soft anyway, and at full size its 25 taps per
// pixel cost a software renderer more than the rest of the frame together.
constexpr int kGlowDivisor = 4;
// How far, in glow texels, light reaches from a glowing texel into the frame: the blur's outer taps
// lie 2 x 3 screen pixels (1.5 texels) out and filter one texel further, and the stretch over the
// screen filters one more; one spare.
constexpr int kGlowReach = 5;

}  // namespace

GlowPass::GlowPass() = default;
GlowPass::~GlowPass() = default;

bool GlowPass::LoadShader(const std::string& file, std::string& errors) {
    shader = Effect::Load(file, errors);
    return shader != nullptr;
}

void GlowPass::CreateTargets(int screenWidth, int screenHeight) {
    const int width = std::max(screenWidth / kGlowDivisor, 1);
    const int height = std::max(screenHeight / kGlowDivisor, 1);
    renderTarget1 = RenderTarget::Create(width, height);
    renderTarget2 = RenderTarget::Create(width, height);
}

void GlowPass::Unload() {
    renderTarget2.reset();
    renderTarget1.reset();
    shader.reset();
}

bool GlowPass::Begin() {
    if (!renderTarget1 || !renderTarget2) {
        return false;
    }
    renderTarget1->Begin();
    return true;
}

void GlowPass::BeginShading(const Device& device, bool depthShade, bool normalShade, int screenWidth,
                            int screenHeight) {
    if (depthShade) {
        shader->SetTechnique("depthmap");
    } else {
        shader->SetTechnique("TechniqueWithoutTexture");
    }
    shader->SetBool("depthshade", depthShade);
    shader->SetBool("normalshade", !depthShade && normalShade);
    shader->SetFloat("screenwidth", static_cast<float>(screenWidth));
    shader->SetFloat("screenheight", static_cast<float>(screenHeight));
    const glm::mat4& world = device.GetTransform(Device::Transform::World);
    const glm::mat4& view = device.GetTransform(Device::Transform::View);
    const glm::mat4& projection = device.GetTransform(Device::Transform::Projection);
    shader->SetMatrix("WorldViewProj", world * view * projection);
    shader->SetMatrix("Projection", projection);
    shader->SetMatrix("World", world);
    shader->SetMatrix("View", view);
    shader->Begin();
    shader->BeginPass(0);
}

void GlowPass::EndShading() {
    shader->CommitChanges();
    shader->EndPass();
    shader->End();
}

void GlowPass::Compose(Device& device, SpriteBatch& sprites, int screenWidth, int screenHeight) {
    if (!shader || !renderTarget1 || !renderTarget2) {
        return;
    }
    shader->SetFloat("screenwidth", static_cast<float>(screenWidth));
    shader->SetFloat("screenheight", static_cast<float>(screenHeight));
    shader->SetTechnique("postprocess");
    const int glowWidth = renderTarget1->GetWidth();
    const int glowHeight = renderTarget1->GetHeight();
    renderTarget1->ReadPixels(glowPixels);
    glowTiles.Find(glowPixels.data(), glowWidth, glowHeight, kGlowReach);
    // Reading the small glow picture back waits for what is drawn so far, and lets the blur and
    // its sum skip the screen where no glow reaches: most of it in most levels. The same
    // whole-screen quad is drawn each time, cut down by the scissor, so every pixel drawn gets
    // exactly the value the whole pass would give it.
    renderTarget2->Begin();
    for (const PixelRect& rect : glowTiles.GetRects()) {
        device.SetScissor(rect.x, rect.y, rect.width, rect.height);
        sprites.DrawTarget(renderTarget1->GetTexture(), screenWidth, screenHeight, *shader, 0);
    }
    device.UseBackBuffer();
    for (const PixelRect& rect : glowTiles.GetRects()) {
        const PixelRect onScreen = GlowTiles::Scale(rect, glowWidth, glowHeight, screenWidth, screenHeight);
        device.SetScissor(onScreen.x, onScreen.y, onScreen.width, onScreen.height);
        sprites.DrawTarget(renderTarget2->GetTexture(), screenWidth, screenHeight, *shader, 1);
    }
    device.ClearScissor();
}

}  // namespace Graphics
