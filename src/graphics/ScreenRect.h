// A rectangle in screen pixels: a text panel, a measured line, or an area panels keep clear of.
#pragma once

namespace Graphics {

struct ScreenRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;

    bool Overlaps(const ScreenRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // The smallest rectangle holding both; an empty one adds nothing.
    ScreenRect United(const ScreenRect& other) const {
        if (other.IsEmpty()) {
            return *this;
        }
        if (IsEmpty()) {
            return other;
        }
        return {left < other.left ? left : other.left, top < other.top ? top : other.top,
                right > other.right ? right : other.right, bottom > other.bottom ? bottom : other.bottom};
    }
};

}  // namespace Graphics
