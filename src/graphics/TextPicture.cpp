// Keeping the text layer's picture and telling when it no longer shows the text.
#include "graphics/TextPicture.h"

namespace Graphics {
namespace {

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool SameGlyph(const PlacedGlyph& a, const PlacedGlyph& b) {
    return a.source.left == b.source.left && a.source.top == b.source.top &&
           a.source.right == b.source.right && a.source.bottom == b.source.bottom && a.x == b.x &&
           a.y == b.y && a.scale == b.scale && a.alpha == b.alpha && a.overDim == b.overDim;
}

bool SamePanel(const TextPanel& a, const TextPanel& b) {
    return SameRect(a.rect, b.rect) && a.overDim == b.overDim;
}

template <typename T, typename Same>
bool SameList(const std::vector<T>& a, const std::vector<T>& b, Same same) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!same(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool TextPicture::Shows(const std::vector<PlacedGlyph>& newGlyphs, const std::vector<TextPanel>& newPanels,
                        bool newDim, int width, int height) const {
    return kept && target && target->GetWidth() == width && target->GetHeight() == height && dim == newDim &&
           SameList(glyphs, newGlyphs, SameGlyph) && SameList(panels, newPanels, SamePanel);
}

RenderTarget* TextPicture::Redraw(int width, int height) {
    kept = false;
    if (!target || target->GetWidth() != width || target->GetHeight() != height) {
        target = RenderTarget::Create(width, height);
    }
    return target.get();
}

void TextPicture::Keep(const std::vector<PlacedGlyph>& newGlyphs, const std::vector<TextPanel>& newPanels,
                       bool newDim, const ScreenRect& newCovered) {
    kept = true;
    glyphs = newGlyphs;
    panels = newPanels;
    dim = newDim;
    covered = newCovered;
}

}  // namespace Graphics
