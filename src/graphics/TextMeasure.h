// Measuring text as the text layer draws it: each glyph's own advance and kerning from the font's
// metrics, words wrapped to a width in pixels. Layout code places every line by these measures,
// so nothing it places runs past the window.
#pragma once

#include <string>
#include <vector>

#include "graphics/ScreenRect.h"
#include "graphics/Text.h"

namespace Graphics {

class TextMeasure {
public:
    // The line height at scale 1, in pen units (see PenScale).
    static constexpr float kLineHeight = 14.0f;
    // The factor the line height moves by; 1.3333333730697632 is the single-precision value
    // nearest 4/3.
    static constexpr float PenScale(float scale) { return static_cast<float>(scale * 1.3333333730697632 * 0.8); }
    static constexpr float LineHeight(float scale) { return kLineHeight * PenScale(scale); }
    // A glyph's drawn cell: 10 units, scaled.
    static constexpr float GlyphSize(float scale) { return 10.0f * scale; }
    // How far a dim line is drawn below its place.
    static constexpr float kDimDrop = 7.0f;
    // Kept free between a line and the window's edge it would otherwise run into: room for its
    // panel's rim, and a pixel for glyphs set on whole pixels.
    static float EdgeMargin(float scale) { return 0.5f * GlyphSize(scale) + 1.0f; }

    // The pen's move in pixels from `c` to `next` (0 when none follows).
    static float Advance(char c, char next, float scale);
    // One line's width as written, unwrapped.
    static float Width(const std::string& text, float scale);
    // The words in lines no wider than `width` pixels, one space between words. A word wider than
    // the width has a line of its own; a width of 0 or less never wraps.
    static std::vector<std::string> WrapLines(const std::string& text, float width, float scale);
    // The left edge that centres the line across the width.
    static int CentredLeft(float screenWidth, const std::string& text, float scale);
    // The largest scale up to `scale` at which the line is no wider than `room`, but no smaller than
    // `smallest`.
    static float FittingScale(const std::string& text, float scale, float room, float smallest);
    // The wrap width the line is drawn with on a screen that wide: its own, but never past the
    // screen's right edge.
    static float FittedWidth(const Text& line, float screenWidth);
    // Where the line's words are drawn on a screen that wide, from its top-left place to the right
    // of its widest wrapped line and the bottom of its last, dim drop included; empty for no words.
    static ScreenRect Box(const Text& line, float screenWidth);
};

}  // namespace Graphics
