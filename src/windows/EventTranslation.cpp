// The event-to-message translation of the window pump.
#include "windows/EventTranslation.h"

namespace Windows {
namespace {

WindowsMessage Make(const SDL_Event& event, SDL_Window* window, std::uint32_t message, std::uint32_t wParam = 0,
                    std::int32_t lParam = 0) {
    WindowsMessage made;
    made.window = window;
    made.message = message;
    made.wParam = wParam;
    made.lParam = lParam;
    made.event = &event;
    return made;
}

// Code points of UTF-8 text; a malformed byte is skipped rather than trusted as a length.
std::vector<std::uint32_t> DecodeUtf8(const char* text) {
    std::vector<std::uint32_t> points;
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    for (std::size_t i = 0; i < SDL_TEXTINPUTEVENT_TEXT_SIZE && bytes[i] != 0;) {
        const unsigned char lead = bytes[i];
        int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || i + length > SDL_TEXTINPUTEVENT_TEXT_SIZE) {
            ++i;
            continue;
        }
        std::uint32_t point = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const unsigned char next = bytes[i + k];
            valid = valid && (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        if (valid) {
            points.push_back(point);
            i += length;
        } else {
            ++i;
        }
    }
    return points;
}

// Keys whose character the typed text never carries.
std::uint32_t ControlCharacterOf(SDL_Keycode key) {
    switch (key) {
        case SDLK_ESCAPE:
            return 27;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return 13;
        case SDLK_BACKSPACE:
            return 8;
        case SDLK_TAB:
            return 9;
        default:
            return 0;
    }
}

void TranslateWindowEvent(const SDL_Event& event, SDL_Window* window, std::vector<WindowsMessage>& out) {
    int width = event.window.data1;
    int height = event.window.data2;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            out.push_back(Make(event, window, Message::kClose));
            return;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.push_back(Make(event, window, Message::kSize, SizeKind::kRestored, PackLParam(width, height)));
            return;
        case SDL_WINDOWEVENT_MINIMIZED:
            out.push_back(Make(event, window, Message::kSize, SizeKind::kMinimized, 0));
            return;
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED: {
            width = height = 0;
            SDL_Window* source = SDL_GetWindowFromID(event.window.windowID);
            if (source != nullptr) {
                SDL_GetWindowSize(source, &width, &height);
            }
            const std::uint32_t kind =
                event.window.event == SDL_WINDOWEVENT_MAXIMIZED ? SizeKind::kMaximized : SizeKind::kRestored;
            out.push_back(Make(event, window, Message::kSize, kind, PackLParam(width, height)));
            return;
        }
        default:
            out.push_back(Make(event, window, Message::kNull));
            return;
    }
}

std::uint32_t ButtonMessage(Uint8 button, bool down) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return down ? Message::kLeftButtonDown : Message::kLeftButtonUp;
        case SDL_BUTTON_RIGHT:
            return down ? Message::kRightButtonDown : Message::kRightButtonUp;
        case SDL_BUTTON_MIDDLE:
            return down ? Message::kMiddleButtonDown : Message::kMiddleButtonUp;
        default:
            return Message::kNull;
    }
}

}  // namespace

std::uint32_t VirtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<std::uint32_t>('A' + (key - SDLK_a));
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return static_cast<std::uint32_t>(key);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return 0x70 + static_cast<std::uint32_t>(key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return 0x61 + static_cast<std::uint32_t>(key - SDLK_KP_1);
    }
    switch (key) {
        case SDLK_BACKSPACE: return 0x08;
        case SDLK_TAB: return 0x09;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return 0x0D;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return 0x10;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return 0x11;
        case SDLK_LALT:
        case SDLK_RALT: return 0x12;
        case SDLK_PAUSE: return 0x13;
        case SDLK_CAPSLOCK: return 0x14;
        case SDLK_ESCAPE: return 0x1B;
        case SDLK_SPACE: return 0x20;
        case SDLK_PAGEUP: return 0x21;
        case SDLK_PAGEDOWN: return 0x22;
        case SDLK_END: return 0x23;
        case SDLK_HOME: return 0x24;
        case SDLK_LEFT: return 0x25;
        case SDLK_UP: return 0x26;
        case SDLK_RIGHT: return 0x27;
        case SDLK_DOWN: return 0x28;
        case SDLK_INSERT: return 0x2D;
        case SDLK_DELETE: return 0x2E;
        case SDLK_KP_0: return 0x60;
        default: return 0;
    }
}

std::vector<WindowsMessage> TranslateEvent(const SDL_Event& event, SDL_Window* window) {
    std::vector<WindowsMessage> out;
    switch (event.type) {
        case SDL_WINDOWEVENT:
            TranslateWindowEvent(event, window, out);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const bool down = event.type == SDL_KEYDOWN;
            // Repeat count 1; bit 30 says the key was already down, bit 31 that it is being released.
            std::uint32_t flags = 1u;
            if (!down || event.key.repeat != 0) {
                flags |= 1u << 30;
            }
            if (!down) {
                flags |= 1u << 31;
            }
            out.push_back(Make(event, window, down ? Message::kKeyDown : Message::kKeyUp,
                               VirtualKeyOf(event.key.keysym.sym), static_cast<std::int32_t>(flags)));
            const std::uint32_t character = ControlCharacterOf(event.key.keysym.sym);
            if (down && character != 0) {
                out.push_back(Make(event, window, Message::kChar, character, static_cast<std::int32_t>(flags)));
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (std::uint32_t point : DecodeUtf8(event.text.text)) {
                out.push_back(Make(event, window, Message::kChar, point, 1));
            }
            break;
        case SDL_MOUSEMOTION:
            out.push_back(Make(event, window, Message::kMouseMove, 0, PackLParam(event.motion.x, event.motion.y)));
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.push_back(Make(event, window, ButtonMessage(event.button.button, event.type == SDL_MOUSEBUTTONDOWN), 0,
                               PackLParam(event.button.x, event.button.y)));
            break;
        case SDL_MOUSEWHEEL: {
            // One notch is 120 in the high half of wParam.
            const std::uint32_t delta = static_cast<std::uint32_t>(static_cast<std::uint16_t>(event.wheel.y * 120));
            out.push_back(Make(event, window, Message::kMouseWheel, delta << 16, 0));
            break;
        }
        default:
            out.push_back(Make(event, window, Message::kNull));
            break;
    }
    return out;
}

}  // namespace Windows
