// Draws the laid-out text layer over the frame: dark panels, outlined letters and an open menu's
// dim, through the text picture so unchanged text costs one quad.
#pragma once

#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <vector>

#include "graphics/TextLayer.h"
#include "graphics/TextPicture.h"

namespace Graphics {

class Device;
class SpriteBatch;
enum class SpriteTarget;
class Texture;

class TextRenderer {
public:
    // Loads the font and makes the one white texel the panels and the dim are filled with. Text
    // is drawn with this device and batch from then on; before (headless) nothing is drawn.
    void Load(Device& device, SpriteBatch& sprites, const std::string& fontFile);
    // Frees the textures and the picture while the device's context is still there.
    void Unload();
    // Lays `text` out with its panels clear of `keepClear`, then draws it, dimmed under `menuDim`, over
    // a screen of this size. The layout runs headless too: lines drawn empty still leave the list.
    void Draw(TextLayer& text, const ScreenRect& keepClear, bool menuDim, int screenWidth, int screenHeight);
    // The screen area a world unit around `centre` (the player's light) covers; empty when it lies
    // behind the camera, since nothing then needs keeping clear of.
    static ScreenRect AreaAround(const glm::vec3& centre, const glm::mat4& viewProj, int screenWidth,
                                 int screenHeight);
    // The screen area of the world rectangle from `low` to `high` (x and y) at depth z; empty when a
    // corner lies behind the camera.
    static ScreenRect AreaOf(const glm::vec2& low, const glm::vec2& high, float z, const glm::mat4& viewProj,
                             int screenWidth, int screenHeight);

private:
    // The whole text layer, the menu dim between its two sides, drawn in one batch.
    void DrawSprites(TextLayer& text, const std::vector<PlacedGlyph>& glyphs, SpriteTarget target,
                     bool menuDim, int screenWidth, int screenHeight);
    // The panels and lines on one side of the menu dim, outlines before letters.
    void DrawSide(TextLayer& text, const std::vector<PlacedGlyph>& glyphs, bool overDim);
    // One glyph of the font, moved by (dx, dy) pixels, in the colour (0xRRGGBB) at the glyph's alpha.
    void DrawGlyph(const PlacedGlyph& glyph, float dx, float dy, std::uint32_t rgb);
    // Lays the text picture over the screen, only where its quads drew.
    void DrawPicture(int screenWidth, int screenHeight);

    Device* device = nullptr;
    SpriteBatch* sprites = nullptr;
    std::unique_ptr<Texture> font;
    std::unique_ptr<Texture> white;  // one texel: the panels and the menu dim
    TextPicture picture;             // the text layer as last drawn, laid over each frame
};

}  // namespace Graphics
