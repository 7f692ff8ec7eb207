// One frame's mouse: movement on three axes and four buttons (bit 7 set = held).
#pragma once

#include <array>
#include <cstdint>

namespace Input {

struct MouseState {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t z = 0;
    std::array<unsigned char, 4> buttons{};
};

}  // namespace Input
