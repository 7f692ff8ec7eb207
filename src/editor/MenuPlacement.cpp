// Menu positions beside their anchors and inside the window.
#include "editor/MenuPlacement.h"

#include <algorithm>

namespace LevelEditor {

MenuPlacement::Point MenuPlacement::Beside(Point anchor, Point menuSize, Point window) {
    Point at{anchor.x + kGap, anchor.y - kGap};
    if (at.x + menuSize.x > window.x) {
        at.x = anchor.x - kGap - menuSize.x;
    }
    return Inside(at, menuSize, window);
}

MenuPlacement::Point MenuPlacement::Inside(Point position, Point menuSize, Point window) {
    const auto fit = [](int place, int size, int room) { return std::max(0, std::min(place, room - size)); };
    return {fit(position.x, menuSize.x, window.x), fit(position.y, menuSize.y, window.y)};
}

}  // namespace LevelEditor
