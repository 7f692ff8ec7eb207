// Drawing the text layer: panels, outlines, letters and the menu dim, through the text picture.
#include "graphics/TextRenderer.h"

#include <algorithm>
#include <cmath>

#include "graphics/gl/Device.h"
#include "graphics/gl/RenderTarget.h"
#include "graphics/gl/SpriteBatch.h"
#include "graphics/gl/Texture.h"

namespace Graphics {
namespace {

// Dark and translucent: the level still shows through a text panel and around an open menu.
constexpr std::uint32_t kPanel = 0xa8000000u;
constexpr std::uint32_t kMenuDim = 0x99000000u;

}  // namespace

void TextRenderer::Load(Device& drawingDevice, SpriteBatch& batch, const std::string& fontFile) {
    device = &drawingDevice;
    sprites = &batch;
    // A missing font leaves text invisible, without a report.
    font = Texture::Load(fontFile);
    if (font) {
        font->SampleSmoothClamped();
    }
    const std::uint8_t texel[4] = {255, 255, 255, 255};
    white = Texture::FromPixels(1, 1, texel);
}

void TextRenderer::Unload() {
    white.reset();
    font.reset();
    picture = TextPicture();
}

void TextRenderer::Draw(TextLayer& text, const ScreenRect& keepClear, bool menuDim, int screenWidth,
                        int screenHeight) {
    text.KeepPanelsClearOf(keepClear, screenWidth, screenHeight);
    const std::vector<PlacedGlyph> glyphs = text.LayOut();
    if (device == nullptr || device->IsNull() || sprites == nullptr || !sprites->IsReady() || !font ||
        !white) {
        return;
    }
    if (!picture.Shows(glyphs, text.GetPanels(), menuDim, screenWidth, screenHeight)) {
        RenderTarget* target = picture.Redraw(screenWidth, screenHeight);
        if (target == nullptr) {
            DrawSprites(text, glyphs, SpriteTarget::kScreen, menuDim, screenWidth, screenHeight);
            return;
        }
        target->Begin(0x00000000u);
        DrawSprites(text, glyphs, SpriteTarget::kPicture, menuDim, screenWidth, screenHeight);
        picture.Keep(glyphs, text.GetPanels(), menuDim, sprites->GetBounds());
        device->UseBackBuffer();
    }
    DrawPicture(screenWidth, screenHeight);
}

ScreenRect TextRenderer::AreaAround(const glm::vec3& centre, const glm::mat4& viewProj, int screenWidth,
                                    int screenHeight) {
    return AreaOf({centre.x - 1.0f, centre.y - 1.0f}, {centre.x + 1.0f, centre.y + 1.0f}, centre.z, viewProj,
                  screenWidth, screenHeight);
}

ScreenRect TextRenderer::AreaOf(const glm::vec2& low, const glm::vec2& high, float z, const glm::mat4& viewProj,
                                int screenWidth, int screenHeight) {
    ScreenRect area{static_cast<float>(screenWidth), static_cast<float>(screenHeight), 0.0f, 0.0f};
    for (const float cornerX : {low.x, high.x}) {
        for (const float cornerY : {low.y, high.y}) {
            // Row vectors, as the device's matrices are.
            const glm::vec4 clip = glm::vec4(cornerX, cornerY, z, 1.0f) * viewProj;
            if (clip.w <= 0.0f) {
                return {};
            }
            const float x = (clip.x / clip.w + 1.0f) * 0.5f * static_cast<float>(screenWidth);
            const float y = (1.0f - clip.y / clip.w) * 0.5f * static_cast<float>(screenHeight);
            area = {std::min(area.left, x), std::min(area.top, y), std::max(area.right, x),
                    std::max(area.bottom, y)};
        }
    }
    return area;
}

void TextRenderer::DrawPicture(int screenWidth, int screenHeight) {
    const ScreenRect& covered = picture.GetCovered();
    const int left = std::max(static_cast<int>(std::floor(covered.left)), 0);
    const int right = std::min(static_cast<int>(std::ceil(covered.right)), screenWidth);
    const int top = std::max(static_cast<int>(std::floor(covered.top)), 0);
    const int bottom = std::min(static_cast<int>(std::ceil(covered.bottom)), screenHeight);
    if (left < right && top < bottom) {
        device->SetScissor(left, screenHeight - bottom, right - left, bottom - top);
        sprites->DrawPicture(picture.GetTexture(), screenWidth, screenHeight);
        device->ClearScissor();
    }
}

void TextRenderer::DrawSprites(TextLayer& text, const std::vector<PlacedGlyph>& glyphs, SpriteTarget target,
                               bool menuDim, int screenWidth, int screenHeight) {
    sprites->Begin(screenWidth, screenHeight, target);
    DrawSide(text, glyphs, false);
    if (menuDim) {
        sprites->Fill(white->GetId(), 0.0f, 0.0f, static_cast<float>(screenWidth),
                      static_cast<float>(screenHeight), kMenuDim);
    }
    DrawSide(text, glyphs, true);
    sprites->End();
}

void TextRenderer::DrawSide(TextLayer& text, const std::vector<PlacedGlyph>& glyphs, bool overDim) {
    for (const TextPanel& panel : text.GetPanels()) {
        if (panel.overDim == overDim) {
            const ScreenRect& r = panel.rect;
            sprites->Fill(white->GetId(), r.left, r.top, r.right - r.left, r.bottom - r.top, kPanel);
        }
    }
    // Every outline before any letter, so no line's outline covers another's letters: white text
    // stays readable over light blocks and the white flash at the end of a level. A space has no
    // ink: its nine quads would blend nothing but cost the software renderer as much as a letter's.
    const GlyphRect space = text.Glyph(' ');
    const auto blank = [&space](const PlacedGlyph& glyph) {
        return glyph.source.left == space.left && glyph.source.top == space.top;
    };
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.overDim != overDim || blank(glyph)) {
            continue;
        }
        const float width = std::max(1.0f, std::floor(glyph.scale * 0.5f));
        for (const float dy : {-width, 0.0f, width}) {
            for (const float dx : {-width, 0.0f, width}) {
                if (dx != 0.0f || dy != 0.0f) {
                    DrawGlyph(glyph, dx, dy, 0x000000u);
                }
            }
        }
    }
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.overDim == overDim && !blank(glyph)) {
            DrawGlyph(glyph, 0.0f, 0.0f, 0xffffffu);
        }
    }
}

void TextRenderer::DrawGlyph(const PlacedGlyph& glyph, float dx, float dy, std::uint32_t rgb) {
    const int source[4] = {glyph.source.left, glyph.source.top, glyph.source.right, glyph.source.bottom};
    // The glyph rectangles address the font image as a fixed grid, whatever its resolution.
    sprites->Draw(font->GetId(), TextLayer::kGridUnits, TextLayer::kGridUnits, source, glyph.x + dx,
                  glyph.y + dy, glyph.scale, static_cast<std::uint32_t>(glyph.alpha) << 24 | rgb);
}

}  // namespace Graphics
