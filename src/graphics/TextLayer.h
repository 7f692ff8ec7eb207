// The on-screen text: the list of lines, the bitmap font's glyph map, wrapping and layout.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Text.h"

namespace Graphics {

// A glyph's cell in the font image, in units of a 100 x 100 grid whatever the image's size: a finer
// image sharpens the glyphs without changing their size on screen or the layout.
struct GlyphRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// One glyph as it is drawn: where in the font image, where on screen, and how.
struct PlacedGlyph {
    GlyphRect source;
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;
    std::uint8_t alpha = 255;
};

class TextLayer {
public:
    // The characters of the font image, cell by cell in reading order; the space takes the last cell.
    static const char* const kGlyphs;
    // The units the glyph rectangles address across (and down) the whole font image.
    static constexpr int kGridUnits = 100;

    TextLayer();

    // A new line at the place, listed until it is drawn with an empty text. The layer keeps the
    // line alive until it is destroyed, so a creator's pointer never dangles during the run.
    Text* CreateText(int x, int y, int width, float scale);
    const std::vector<Text*>& GetLines() const { return lines; }

    // The glyphs of every listed line in list order; lines drawn empty leave the list for good.
    std::vector<PlacedGlyph> LayOut();
    // The glyphs of one line.
    std::vector<PlacedGlyph> LayOutLine(const Text& line);

    // The source rectangle of a character; unknown characters get an empty one.
    GlyphRect Glyph(char c);

    // The words of the text, n characters to a line; see the README's text notes.
    static std::string Wrap(const std::string& text, int charactersPerLine);
    // The pen's advance and line height at scale 1, in pen units (see PenScale).
    static constexpr float kAdvance = 12.0f;
    static constexpr float kLineHeight = 14.0f;
    // The scaled factor the pen moves by: kAdvance x s is the advance and kLineHeight x s the line height.
    static float PenScale(float scale);
    static int CharactersPerLine(int width, float scale);

private:
    std::map<signed char, GlyphRect> glyphs;
    std::vector<std::unique_ptr<Text>> owned;
    std::vector<Text*> lines;
};

}  // namespace Graphics
