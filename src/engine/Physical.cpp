// The spatial component's bindings and solid timer.
#include "engine/Physical.h"

#include <algorithm>
#include <cmath>

namespace ZELM {

void Physical::Bind() {
    BindBroadcast("SetX", this, &Physical::SetX);
    BindBroadcast("SetY", this, &Physical::SetY);
    BindBroadcast("SetZ", this, &Physical::SetZ);
    DynamicBinder::Bind("GetX", this, &Physical::GetX);
    DynamicBinder::Bind("GetY", this, &Physical::GetY);
    DynamicBinder::Bind("GetZ", this, &Physical::GetZ);
    DynamicBinder::Bind("GetWidth", this, &Physical::GetWidth);
    DynamicBinder::Bind("GetHeight", this, &Physical::GetHeight);
    DynamicBinder::Bind("GetLength", this, &Physical::GetLength);
    BindBroadcast("SetWidth", this, &Physical::SetWidth);
    BindBroadcast("SetHeight", this, &Physical::SetHeight);
    BindBroadcast("SetLength", this, &Physical::SetLength);
    DynamicBinder::Bind("SetSolid", this, &Physical::SetSolid);
    DynamicBinder::Bind("IsSolid", this, &Physical::IsSolid);

    BindProperty(&x, "x", this, &Physical::OnXLoaded);
    BindProperty(&y, "y", this, &Physical::OnYLoaded);
    BindProperty(&z, "z", false, false);
    BindProperty(&width, "width", this, &Physical::OnWidthLoaded);
    BindProperty(&height, "height", this, &Physical::OnHeightLoaded);
    BindProperty(&length, "length", false, false);
    BindProperty(&solidTimer, "Solid Timer", false, false);
    BindProperty(&solid, "solid", false, false);
}

void Physical::OnXLoaded(const float& value) {
    loaded = true;
    CallAll("SetX", value);
}

void Physical::OnYLoaded(const float& value) {
    loaded = true;
    CallAll("SetY", value);
}

void Physical::OnWidthLoaded(const float& value) {
    loaded = true;
    CallAll("SetWidth", value);
}

void Physical::OnHeightLoaded(const float& value) {
    loaded = true;
    CallAll("SetHeight", value);
}

void Physical::Init() {
    if (!loaded) {
        return;  // attached at run time: there is nothing loaded to hand on
    }
    loaded = false;
    // Copies: a receiver of "SetX" may be this component, which assigns the member being passed.
    const float loadedX = x, loadedY = y, loadedWidth = width, loadedHeight = height;
    CallAll("SetX", loadedX);
    CallAll("SetY", loadedY);
    CallAll("SetWidth", loadedWidth);
    CallAll("SetHeight", loadedHeight);
}

void Physical::Update(float dt) {
    if (!solid) {
        solidTimer -= dt / 1000.0f;
    }
}

void Physical::SetSolid(bool isSolid, float timer) {
    solid = isSolid;
    solidTimer = timer;
}

void Physical::GetDrawnPlace(float blend, float& drawnX, float& drawnY) const {
    // Two tiles a tick is faster than any body falls: a longer step is a jump, not a motion.
    constexpr float kLongestStep = 2.0f;
    const float stepX = x - startX;
    const float stepY = y - startY;
    if (!hasStart || !(blend < 1.0f) || !(std::fabs(stepX) <= kLongestStep && std::fabs(stepY) <= kLongestStep)) {
        drawnX = x;
        drawnY = y;
        return;
    }
    const float t = std::max(blend, 0.0f);
    drawnX = startX + stepX * t;
    drawnY = startY + stepY * t;
}

}  // namespace ZELM
