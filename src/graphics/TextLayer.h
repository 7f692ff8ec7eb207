// The on-screen text: the list of lines, the bitmap font's glyph map, and their layout.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "graphics/FontMetrics.h"
#include "graphics/ScreenRect.h"
#include "graphics/Text.h"
#include "graphics/TextMeasure.h"

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
    float width = 0.0f;  // the glyph's advance: how far its words' ink reaches right of x
    std::uint8_t alpha = 255;
    bool overDim = false;  // the line's: drawn after the dimmed frame of an open menu
};

// The dark backing of a group of lines, fitted to their words.
struct TextPanel {
    ScreenRect rect;
    bool overDim = false;
};

class TextLayer {
public:
    // The characters of the font image, cell by cell in reading order; the space takes the last cell.
    static constexpr const char* kGlyphs = FontMetrics::kGlyphs;
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
    // The area the panels move away from (the player on screen), on a screen of that size; an
    // empty area keeps every panel where its lines put it. Lines wrap short of the screen's right edge.
    void KeepPanelsClearOf(const ScreenRect& area, int screenWidth, int screenHeight);
    // The player's text size (1, 1.25 or 1.5): the stacked panels' lines (instructions, notices,
    // the clock) are drawn that much larger, and smaller again where they would not fit.
    void SetPanelTextSize(float size) { panelTextSize = size; }
    float GetPanelTextSize() const { return panelTextSize; }
    // The screen areas of the spots lines speak of (Text::spot): a line's panel keeps clear of its
    // own spot before the player, since it is what the words point at.
    void KeepPanelsClearOfSpots(std::map<const Text*, ScreenRect> areas) { spotAreas = std::move(areas); }
    // The glyphs of one line.
    std::vector<PlacedGlyph> LayOutLine(const Text& line);

    // The source rectangle of a character; unknown characters get an empty one.
    GlyphRect Glyph(char c);


private:
    struct PanelBlock;
    // The lines of one panel stacked and placed, in smaller letters where that keeps it clear.
    PanelBlock PlaceBlock(const std::vector<const Text*>& group);
    // The lines laid one under another at their scales times `shrink`.
    PanelBlock StackLines(const std::vector<const Text*>& group, float shrink);
    // The lines at their own places, the panel round those on the screen.
    PanelBlock FrameLines(const std::vector<const Text*>& group);
    // Raises a block that runs past the bottom, then moves it up or down the least that takes it
    // off every area it must keep clear of (its lines' spots and the player) and keeps it on the
    // screen; failing that, off the spots alone. False when it stays on one or past the bottom.
    bool KeepClear(PanelBlock& block, const std::vector<ScreenRect>& spots) const;
    static void MoveBlock(PanelBlock& block, float dy);

    std::map<signed char, GlyphRect> glyphs;
    std::vector<TextPanel> panels;
    ScreenRect keepOut;
    std::map<const Text*, ScreenRect> spotAreas;
    float screenWidth = 800.0f;
    float screenHeight = 600.0f;
    float panelTextSize = 1.0f;
    std::vector<std::unique_ptr<Text>> owned;
    std::vector<Text*> lines;
};

}  // namespace Graphics
