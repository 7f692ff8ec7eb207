// One window message as the handlers of "WindowsMessageHandler" receive it, with the message numbers the game reads.
#pragma once

#include <cstdint>

union SDL_Event;
struct SDL_Window;

namespace Windows {

struct WindowsMessage {
    SDL_Window* window = nullptr;
    std::uint32_t message = 0;
    std::uint32_t wParam = 0;
    std::int32_t lParam = 0;
    // Starts false; a handler that consumes the message sets it, and the default handling is skipped.
    bool* handled = nullptr;
    // The event the message was made from, for a user interface that reads events directly; null
    // for messages the window makes itself (the destroy message after a close).
    const SDL_Event* event = nullptr;
};

// The numbers follow the ones the game's handlers were written against.
namespace Message {
constexpr std::uint32_t kNull = 0x0000;  // an event with no message of its own, still shown to the handlers
constexpr std::uint32_t kDestroy = 0x0002;
constexpr std::uint32_t kSize = 0x0005;
constexpr std::uint32_t kClose = 0x0010;
constexpr std::uint32_t kQuit = 0x0012;
constexpr std::uint32_t kKeyDown = 0x0100;
constexpr std::uint32_t kKeyUp = 0x0101;
constexpr std::uint32_t kChar = 0x0102;
constexpr std::uint32_t kMouseMove = 0x0200;
constexpr std::uint32_t kLeftButtonDown = 0x0201;
constexpr std::uint32_t kLeftButtonUp = 0x0202;
constexpr std::uint32_t kRightButtonDown = 0x0204;
constexpr std::uint32_t kRightButtonUp = 0x0205;
constexpr std::uint32_t kMiddleButtonDown = 0x0207;
constexpr std::uint32_t kMiddleButtonUp = 0x0208;
constexpr std::uint32_t kMouseWheel = 0x020A;
}  // namespace Message

// Size message wParam values.
namespace SizeKind {
constexpr std::uint32_t kRestored = 0;
constexpr std::uint32_t kMinimized = 1;
constexpr std::uint32_t kMaximized = 2;
}  // namespace SizeKind

// Two 16-bit halves in one lParam, low first, as mouse and size messages carry them.
constexpr std::int32_t PackLParam(int low, int high) {
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                                     static_cast<std::uint32_t>(low & 0xFFFF));
}

}  // namespace Windows
