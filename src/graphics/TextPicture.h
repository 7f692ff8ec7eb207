// The text layer drawn once into a transparent picture the size of the screen and laid over each
// frame in one quad until the text changes: outlined letters cost a software renderer nine quads
// each, and most frames show the same text as the one before.
#pragma once

#include <memory>
#include <vector>

#include "graphics/TextLayer.h"
#include "graphics/gl/RenderTarget.h"

namespace Graphics {

class TextPicture {
public:
    // Whether the picture shows these glyphs and panels, dimmed or not, on a screen of this size.
    bool Shows(const std::vector<PlacedGlyph>& glyphs, const std::vector<TextPanel>& panels, bool dim,
               int width, int height) const;
    // The picture to draw them into, made for a screen of this size; null when the driver cannot
    // make one. What it showed is forgotten until Keep.
    RenderTarget* Redraw(int width, int height);
    // What was drawn into the picture, and the screen area its quads covered.
    void Keep(const std::vector<PlacedGlyph>& glyphs, const std::vector<TextPanel>& panels, bool dim,
              const ScreenRect& covered);
    const ScreenRect& GetCovered() const { return covered; }
    unsigned GetTexture() const { return target ? target->GetTexture() : 0u; }

private:
    std::unique_ptr<RenderTarget> target;
    bool kept = false;
    std::vector<PlacedGlyph> glyphs;
    std::vector<TextPanel> panels;
    bool dim = false;
    ScreenRect covered;
};

}  // namespace Graphics
