// The on-screen text: the list of lines, the bitmap font's glyph map, wrapping and layout.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
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
    bool overDim = false;  // the line's: drawn after the dimmed frame of an open menu
};

// A rectangle in screen pixels: a text panel, or an area panels keep clear of.
struct ScreenRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;

    bool Overlaps(const ScreenRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
};

// The dark backing of a group of lines, fitted to their words.
struct TextPanel {
    ScreenRect rect;
    bool overDim = false;
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

    // The glyphs of every listed line; lines drawn empty leave the list for good. Lines on a panel
    // are stacked and their panels placed (GetPanels) clear of the keep-out area where they fit.
    std::vector<PlacedGlyph> LayOut();
    const std::vector<TextPanel>& GetPanels() const { return panels; }
    // The area the panels move away from (the player on screen), on a screen that high; an empty
    // area keeps every panel where its lines put it.
    void KeepPanelsClearOf(const ScreenRect& area, int screenHeight);
    // The screen areas of the spots lines speak of (Text::spot): a line's panel keeps clear of its
    // own spot before the player, since it is what the words point at.
    void KeepPanelsClearOfSpots(std::map<const Text*, ScreenRect> areas) { spotAreas = std::move(areas); }
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
    // 1.3333333730697632 is the single-precision value nearest 4/3.
    static constexpr float PenScale(float scale) {
        return static_cast<float>(scale * 1.3333333730697632 * 0.8);
    }
    // A glyph's drawn size: its 10-unit cell, scaled.
    static constexpr float GlyphSize(float scale) { return 10.0f * scale; }
    // From the first glyph's left edge to the last one's right edge on one unwrapped line; the pen
    // moves by whole pixels, so each advance loses its fraction.
    static constexpr float LineWidth(int characters, float scale) {
        const float advance = static_cast<float>(static_cast<int>(kAdvance * PenScale(scale)));
        return characters <= 0 ? 0.0f : advance * static_cast<float>(characters - 1) + GlyphSize(scale);
    }
    // The left edge that centres a line of that many characters across the width.
    static int CentredLeft(float screenWidth, int characters, float scale) {
        return static_cast<int>(screenWidth / 2.0f - LineWidth(characters, scale) / 2.0f);
    }
    static int CharactersPerLine(int width, float scale);

private:
    struct PanelBlock;
    // The lines of one panel stacked and placed, in smaller letters where that keeps it clear.
    PanelBlock PlaceBlock(const std::vector<const Text*>& group);
    // The lines laid one under another at their scales times `shrink`.
    PanelBlock StackLines(const std::vector<const Text*>& group, float shrink);
    // Raises a block that runs past the bottom, then moves it up or down the least that takes it
    // off every area it must keep clear of (its lines' spots and the player) and keeps it on the
    // screen; failing that, off the spots alone. False when it stays on one or past the bottom.
    bool KeepClear(PanelBlock& block, const std::vector<ScreenRect>& spots) const;
    static void MoveBlock(PanelBlock& block, float dy);

    std::map<signed char, GlyphRect> glyphs;
    std::vector<TextPanel> panels;
    ScreenRect keepOut;
    std::map<const Text*, ScreenRect> spotAreas;
    float screenHeight = 600.0f;
    std::vector<std::unique_ptr<Text>> owned;
    std::vector<Text*> lines;
};

}  // namespace Graphics
