// Sends back a player who has come to rest touching red: red kills on an impact only, and a player
// a zone holds on a red floor would otherwise stay there with no key to get out.
#pragma once

#include <algorithm>
#include <cmath>

namespace Logic {

class RedRest {
public:
    // Half a second of game time, counted in ticks so it holds at every display rate.
    static constexpr int kTicks = 30;
    // A player moving less than this in a tick (in tiles) is at rest: a slide along red goes on.
    static constexpr float kStillPerTick = 0.005f;
    // How close a side must be to a red tile to touch it: a resting body is left exactly touching.
    static constexpr float kTouchGap = 0.02f;
    // Sides, as the red splashes are numbered: red below, above, to the left, to the right.
    static constexpr unsigned kNoSide = 4;

    // One tick: where the player is now and whether it touches red there. True on the tick that
    // completes kTicks at rest touching red; the count starts again after it.
    bool Step(float x, float y, bool touchingRed);
    // The player is sent back or put somewhere: the rest counts from its next place.
    void Reset();
    int GetTicks() const { return ticks; }

    // The side on which the box centred at (x, y) touches a tile of `id`, or kNoSide. `tileAt(column,
    // row)` gives the id of a cell; cells left of or below the map are never asked for.
    template <typename TileAt>
    static unsigned TouchedSide(float x, float y, float width, float height, unsigned char id, TileAt tileAt);

private:
    template <typename TileAt>
    static bool RowHas(int row, float left, float right, unsigned char id, TileAt& tileAt);
    template <typename TileAt>
    static bool ColumnHas(int column, float bottom, float top, unsigned char id, TileAt& tileAt);

    int ticks = 0;
    bool placed = false;
    float lastX = 0.0f;
    float lastY = 0.0f;
};

template <typename TileAt>
bool RedRest::RowHas(int row, float left, float right, unsigned char id, TileAt& tileAt) {
    if (row < 0) {
        return false;
    }
    // The cells the box's edge spans, less the gap, so a tile diagonal to a corner is not touched.
    const int first = std::max(0, static_cast<int>(std::floor(left + kTouchGap)));
    const int last = static_cast<int>(std::floor(right - kTouchGap));
    for (int column = first; column <= last; ++column) {
        if (tileAt(column, row) == id) {
            return true;
        }
    }
    return false;
}

template <typename TileAt>
bool RedRest::ColumnHas(int column, float bottom, float top, unsigned char id, TileAt& tileAt) {
    if (column < 0) {
        return false;
    }
    const int first = std::max(0, static_cast<int>(std::floor(bottom + kTouchGap)));
    const int last = static_cast<int>(std::floor(top - kTouchGap));
    for (int row = first; row <= last; ++row) {
        if (tileAt(column, row) == id) {
            return true;
        }
    }
    return false;
}

template <typename TileAt>
unsigned RedRest::TouchedSide(float x, float y, float width, float height, unsigned char id, TileAt tileAt) {
    const float left = x - width / 2.0f;
    const float right = x + width / 2.0f;
    const float bottom = y - height / 2.0f;
    const float top = y + height / 2.0f;
    // Far outside any map (or not a number) a cell index would not fit an int: nothing is touched.
    constexpr float kFar = 1.0e6f;
    if (!(std::fabs(left) < kFar && std::fabs(right) < kFar && std::fabs(bottom) < kFar &&
          std::fabs(top) < kFar)) {
        return kNoSide;
    }
    if (RowHas(static_cast<int>(std::floor(bottom - kTouchGap)), left, right, id, tileAt)) {
        return 0;
    }
    if (RowHas(static_cast<int>(std::floor(top + kTouchGap)), left, right, id, tileAt)) {
        return 1;
    }
    if (ColumnHas(static_cast<int>(std::floor(left - kTouchGap)), bottom, top, id, tileAt)) {
        return 2;
    }
    if (ColumnHas(static_cast<int>(std::floor(right + kTouchGap)), bottom, top, id, tileAt)) {
        return 3;
    }
    return kNoSide;
}

}  // namespace Logic
