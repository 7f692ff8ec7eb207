// One reading of the gamepad in the ranges the game's levels are written for.
#pragma once

#include <cstdint>

namespace Input {

struct ControllerState {
    // Advances whenever the reading differs from the one before.
    std::uint32_t packet = 0;
    std::uint16_t buttons = 0;  // the kButton* bits below
    std::uint8_t leftTrigger = 0;   // 0 to 255
    std::uint8_t rightTrigger = 0;
    std::int16_t thumbLX = 0;  // -32768 to 32767, y positive upwards
    std::int16_t thumbLY = 0;
    std::int16_t thumbRX = 0;
    std::int16_t thumbRY = 0;

    static constexpr std::uint16_t kDpadUp = 0x0001;
    static constexpr std::uint16_t kDpadDown = 0x0002;
    static constexpr std::uint16_t kDpadLeft = 0x0004;
    static constexpr std::uint16_t kDpadRight = 0x0008;
    static constexpr std::uint16_t kStart = 0x0010;
    static constexpr std::uint16_t kBack = 0x0020;
    static constexpr std::uint16_t kLeftThumb = 0x0040;
    static constexpr std::uint16_t kRightThumb = 0x0080;
    static constexpr std::uint16_t kLeftShoulder = 0x0100;
    static constexpr std::uint16_t kRightShoulder = 0x0200;
    static constexpr std::uint16_t kA = 0x1000;
    static constexpr std::uint16_t kB = 0x2000;
    static constexpr std::uint16_t kX = 0x4000;
    static constexpr std::uint16_t kY = 0x8000;

    // Same reading, packet number aside.
    bool SameReading(const ControllerState& other) const {
        return buttons == other.buttons && leftTrigger == other.leftTrigger && rightTrigger == other.rightTrigger &&
               thumbLX == other.thumbLX && thumbLY == other.thumbLY && thumbRX == other.thumbRX &&
               thumbRY == other.thumbRY;
    }
};

}  // namespace Input
