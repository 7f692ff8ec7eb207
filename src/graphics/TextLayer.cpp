// Laying out the text lines with the bitmap font.
#include "graphics/TextLayer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>

namespace Graphics {

TextLayer::TextLayer() {
    const std::size_t count = std::strlen(kGlyphs);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const int left = 10 * static_cast<int>(i % 10);
        const int top = 10 * static_cast<int>(i / 10);
        glyphs[static_cast<signed char>(kGlyphs[i])] = {left, top, left + 10, top + 10};
    }
    glyphs[' '] = {90, 90, 100, 100};
}

Text* TextLayer::CreateText(int x, int y, int width, float scale) {
    owned.push_back(std::make_unique<Text>(x, y, width, scale));
    lines.push_back(owned.back().get());
    return lines.back();
}

GlyphRect TextLayer::Glyph(char c) {
    // operator[] enters an unknown character with an empty rectangle: it draws nothing but advances.
    return glyphs[static_cast<signed char>(c)];
}

std::vector<PlacedGlyph> TextLayer::LayOutLine(const Text& line) {
    std::vector<PlacedGlyph> placed;
    const std::uint8_t alpha =
        static_cast<std::uint8_t>(static_cast<int>(line.highlight * 128.0f + 127.0f) & 0xff);
    const float lineHeight = TextMeasure::LineHeight(line.scale);
    float penY = static_cast<float>(line.y);
    for (const std::string& row :
         TextMeasure::WrapLines(line.text, TextMeasure::FittedWidth(line, screenWidth), line.scale)) {
        float penX = static_cast<float>(line.x);
        for (std::size_t i = 0; i < row.size(); ++i) {
            const float advance = TextMeasure::Advance(row[i], i + 1 < row.size() ? row[i + 1] : '\0', line.scale);
            PlacedGlyph glyph;
            glyph.source = Glyph(row[i]);
            // Whole pixels: the font's cells are sampled texel for texel, and a glyph between
            // pixels would blur or lose a column.
            glyph.x = std::round(penX);
            glyph.y = std::round(penY + TextMeasure::kDimDrop * (1.0f - line.highlight));
            glyph.scale = line.scale;
            glyph.width = advance;
            glyph.alpha = alpha;
            glyph.overDim = line.overDim;
            if (glyph.source.right > glyph.source.left) {
                placed.push_back(glyph);
            }
            penX += advance;
        }
        penY += lineHeight;
    }
    return placed;
}

namespace {

// The words' extent: the glyph cells of everything but spaces, or an empty rectangle.
ScreenRect InkOf(const std::vector<PlacedGlyph>& placed, const GlyphRect& space) {
    ScreenRect ink{0.0f, 0.0f, -1.0f, -1.0f};
    for (const PlacedGlyph& glyph : placed) {
        if (glyph.source.left == space.left && glyph.source.top == space.top) {
            continue;
        }
        const float size = TextMeasure::GlyphSize(glyph.scale);
        if (ink.right < ink.left) {
            ink = {glyph.x, glyph.y, glyph.x + glyph.width, glyph.y + size};
        }
        ink.left = std::min(ink.left, glyph.x);
        ink.top = std::min(ink.top, glyph.y);
        ink.right = std::max(ink.right, glyph.x + glyph.width);
        ink.bottom = std::max(ink.bottom, glyph.y + size);
    }
    return ink;
}

void Shift(std::vector<PlacedGlyph>& placed, float dy) {
    for (PlacedGlyph& glyph : placed) {
        glyph.y += dy;
    }
}

}  // namespace

// The lines of one panel: their glyphs, moved as one, and the panel around them.
struct TextLayer::PanelBlock {
    int number = 0;
    std::vector<PlacedGlyph> glyphs;
    ScreenRect ink{0.0f, 0.0f, -1.0f, -1.0f};
    float padding = 0.0f;
    bool overDim = false;

    ScreenRect Rect() const {
        return {ink.left - padding, ink.top - padding, ink.right + padding, ink.bottom + padding};
    }
};

void TextLayer::KeepPanelsClearOf(const ScreenRect& area, int width, int height) {
    keepOut = area;
    screenWidth = static_cast<float>(width);
    screenHeight = static_cast<float>(height);
}

namespace {

bool IsEmpty(const ScreenRect& area) { return area.right <= area.left || area.bottom <= area.top; }

bool OverlapsAny(const ScreenRect& rect, const std::vector<ScreenRect>& areas) {
    return std::any_of(areas.begin(), areas.end(), [&](const ScreenRect& area) { return rect.Overlaps(area); });
}

}  // namespace

bool TextLayer::KeepClear(PanelBlock& block, const std::vector<ScreenRect>& spots) const {
    // Stacked lines may run past the bottom: the panel rises as far as the top allows.
    const float overflow = block.Rect().bottom - screenHeight;
    if (overflow > 0.0f) {
        MoveBlock(block, -std::min(overflow, std::max(block.Rect().top, 0.0f)));
    }
    std::vector<ScreenRect> all = spots;
    if (!IsEmpty(keepOut)) {
        all.push_back(keepOut);
    }
    const ScreenRect rect = block.Rect();
    if (!OverlapsAny(rect, all)) {
        return rect.bottom <= screenHeight;
    }
    // The moves that set the panel just above or just below an area, or at the screen's foot.
    const float gap = block.padding;
    std::vector<float> moves{screenHeight - gap - rect.bottom};
    for (const ScreenRect& area : all) {
        moves.push_back(area.top - gap - rect.bottom);
        moves.push_back(area.bottom + gap - rect.top);
    }
    std::sort(moves.begin(), moves.end(), [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    // Clear of everything if it can be; clear of what the words point at at least.
    const std::vector<ScreenRect>* const choices[] = {&all, &spots};
    for (const std::vector<ScreenRect>* avoided : choices) {
        for (const float dy : moves) {
            const ScreenRect moved{rect.left, rect.top + dy, rect.right, rect.bottom + dy};
            if (moved.top >= 0.0f && moved.bottom <= screenHeight && !OverlapsAny(moved, *avoided)) {
                MoveBlock(block, dy);
                return avoided == &all;
            }
        }
    }
    return false;  // taller than any free band of the screen
}

void TextLayer::MoveBlock(PanelBlock& block, float dy) {
    Shift(block.glyphs, dy);
    block.ink.top += dy;
    block.ink.bottom += dy;
}

std::vector<PlacedGlyph> TextLayer::LayOut() {
    std::vector<PlacedGlyph> all;
    // The panel lines with words, by panel and then from the top down by their own places, so a
    // notice joins its panel under the instructions whichever line was created first.
    std::vector<const Text*> panelLines;
    for (std::size_t i = 0; i < lines.size();) {
        const Text& line = *lines[i];
        if (line.panel == 0) {
            const std::vector<PlacedGlyph> placed = LayOutLine(line);
            all.insert(all.end(), placed.begin(), placed.end());
        } else {
            panelLines.push_back(&line);
        }
        if (line.text.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    std::stable_sort(panelLines.begin(), panelLines.end(), [](const Text* a, const Text* b) {
        return a->panel != b->panel ? a->panel < b->panel : a->y < b->y;
    });
    panels.clear();
    for (std::size_t first = 0; first < panelLines.size();) {
        std::size_t end = first;
        while (end < panelLines.size() && panelLines[end]->panel == panelLines[first]->panel) {
            ++end;
        }
        const std::vector<const Text*> group(panelLines.begin() + static_cast<std::ptrdiff_t>(first),
                                             panelLines.begin() + static_cast<std::ptrdiff_t>(end));
        const PanelBlock block = PlaceBlock(group);
        if (!block.glyphs.empty()) {
            panels.push_back({block.Rect(), block.overDim});
            all.insert(all.end(), block.glyphs.begin(), block.glyphs.end());
        }
        first = end;
    }
    return all;
}

TextLayer::PanelBlock TextLayer::PlaceBlock(const std::vector<const Text*>& group) {
    if (group.front()->keepsPlace) {
        return FrameLines(group);
    }
    // A panel too tall to stand clear of the player beside it is tried again in smaller letters,
    // which fill its lines further and take fewer of them.
    static const float kShrinks[] = {1.0f, 0.8f, 0.65f};
    std::vector<ScreenRect> spots;
    for (const Text* line : group) {
        const auto spot = spotAreas.find(line);
        if (spot != spotAreas.end() && !IsEmpty(spot->second)) {
            spots.push_back(spot->second);
        }
    }
    PanelBlock block;
    for (const float shrink : kShrinks) {
        block = StackLines(group, shrink * panelTextSize);
        if (KeepClear(block, spots)) {
            break;
        }
    }
    return block;
}

TextLayer::PanelBlock TextLayer::StackLines(const std::vector<const Text*>& group, float shrink) {
    PanelBlock block;
    const GlyphRect space = Glyph(' ');
    for (const Text* line : group) {
        Text shrunk = *line;
        shrunk.scale *= shrink;
        std::vector<PlacedGlyph> placed = LayOutLine(shrunk);
        const ScreenRect ink = InkOf(placed, space);
        if (ink.right < ink.left) {
            continue;  // a blank line takes no room in its panel
        }
        const float size = TextMeasure::GlyphSize(shrunk.scale);
        float dy = 0.0f;
        if (block.glyphs.empty()) {
            block = {line->panel, {}, ink, 0.5f * size, line->overDim};
        } else {
            // Under the lines above it, half a glyph apart, wherever its own place was.
            dy = block.ink.bottom + 0.5f * size - ink.top;
            block.ink.left = std::min(block.ink.left, ink.left);
            block.ink.right = std::max(block.ink.right, ink.right);
            block.ink.bottom = ink.bottom + dy;
        }
        Shift(placed, dy);
        block.glyphs.insert(block.glyphs.end(), placed.begin(), placed.end());
    }
    return block;
}

}  // namespace Graphics

namespace Graphics {

TextLayer::PanelBlock TextLayer::FrameLines(const std::vector<const Text*>& group) {
    PanelBlock block;
    const ScreenRect screen{0.0f, 0.0f, screenWidth, screenHeight};
    for (const Text* line : group) {
        // Measured at full highlight, so a panel keeps its size while its buttons light and dim;
        // lines parked off the screen (a menu's other pages) are not framed.
        Text lit = *line;
        lit.highlight = 1.0f;
        const ScreenRect box = TextMeasure::Box(lit, screenWidth);
        if (box.IsEmpty() || !box.Overlaps(screen)) {
            continue;
        }
        if (block.glyphs.empty()) {
            block = {line->panel, {}, box, 0.75f * TextMeasure::GlyphSize(line->scale), line->overDim};
        }
        block.ink = block.ink.United(box);
        block.ink.bottom = std::max(block.ink.bottom, box.bottom + TextMeasure::kDimDrop);
        const std::vector<PlacedGlyph> placed = LayOutLine(*line);
        block.glyphs.insert(block.glyphs.end(), placed.begin(), placed.end());
    }
    // Wider than its words, so a short menu reads as a panel rather than a strip, but on the screen.
    const float side = 2.0f * block.padding;
    block.ink.left = std::max(block.ink.left - side, block.padding);
    block.ink.right = std::min(block.ink.right + side, screenWidth - block.padding);
    return block;
}

}  // namespace Graphics
