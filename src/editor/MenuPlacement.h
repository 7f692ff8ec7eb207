// Where a menu opened for something on the screen goes: beside it, and wholly inside the window.
#pragma once

namespace LevelEditor {

class MenuPlacement {
public:
    struct Point {
        int x = 0;
        int y = 0;
    };

    // Room left between the thing pointed at and its menu, so the menu does not hide it.
    static constexpr int kGap = 24;

    // Right of the anchor, or left of it where the window has no room on the right; the menu's top
    // a little above the anchor; then moved inside the window.
    static Point Beside(Point anchor, Point menuSize, Point window);
    // The position moved the least that puts the menu inside the window; a menu larger than the
    // window keeps its top left corner in it.
    static Point Inside(Point position, Point menuSize, Point window);
};

}  // namespace LevelEditor
