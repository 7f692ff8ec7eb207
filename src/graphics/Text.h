// One line of on-screen text; its creator keeps the pointer and changes the fields directly.
#pragma once

#include <string>

namespace Graphics {

class Text {
public:
    Text(int x, int y, int width, float scale) : x(x), y(y), width(width), scale(scale) {}

    std::string text = "[put text here]";
    int x;                   // left edge, pixels from the left
    int y;                   // top edge, pixels from the top
    int width;               // wrap width in pixels
    float scale;             // 1.0: a glyph cell 10 pixels wide
    float highlight = 1.0f;  // 0 draws the line 7 pixels lower and half transparent
    // 0: no backing. Lines given the same number share one dark translucent panel, each laid under
    // the one listed before it, so notices never overlap one another.
    int panel = 0;
    // On a panel: the line stays at its own place and the panel is drawn round all its lines (a
    // menu's buttons, a page), where otherwise it is stacked under the line before it.
    bool keepsPlace = false;
    bool overDim = false;  // drawn above the dimmed frame of an open menu, not under it

    // The tiles of the level the words speak of, which their panel keeps clear of; none by default.
    struct Spot {
        float left = 0.0f;
        float bottom = 0.0f;
        float right = -1.0f;
        float top = -1.0f;
        bool IsSet() const { return right >= left && top >= bottom; }
    };
    Spot spot;
    void SetSpot(float left, float bottom, float right, float top) { spot = {left, bottom, right, top}; }
    void ClearSpot() { spot = Spot(); }
};

}  // namespace Graphics
