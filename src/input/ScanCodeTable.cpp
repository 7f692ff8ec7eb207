// The key-name table and the translation of SDL's key positions into keyboard scan codes.
#include "input/ScanCodeTable.h"

#include <array>

namespace Input {

const KeyName kKeyNames[] = {
    {"UP", 200},    {"DOWN", 208},  {"LEFT", 203}, {"RIGHT", 205}, {"A", 30},      {"B", 48},     {"C", 46},
    {"D", 32},      {"E", 18},      {"F", 33},     {"G", 34},      {"H", 35},      {"I", 23},     {"J", 36},
    {"K", 37},      {"L", 38},      {"M", 50},     {"N", 49},      {"O", 24},      {"P", 25},     {"Q", 16},
    {"R", 19},      {"S", 31},      {"T", 20},     {"U", 22},      {"V", 47},      {"W", 17},     {"X", 45},
    {"Y", 21},      {"Z", 44},      {"LSHIFT", 42}, {"RSHIFT", 54}, {"LALT", 56},   {"RALT", 184}, {"0", 11},
    {"1", 2},       {"2", 3},       {"3", 4},      {"4", 5},       {"5", 6},       {"6", 7},      {"7", 8},
    {"8", 9},       {"9", 10},      {"TAB", 15},   {"LCTRL", 29},  {"RCTRL", 157}, {"ESC", 1},    {"SPACE", 57},
    {"ENTER", 28},  {"F1", 59},     {"F2", 60},    {"F3", 61},     {"F4", 62},     {"F5", 63},    {"F6", 64},
    {"F7", 65},     {"F8", 66},     {"F9", 67},    {"F10", 68},    {"F11", 87},    {"F12", 88},
};
const std::size_t kKeyNameCount = sizeof(kKeyNames) / sizeof(kKeyNames[0]);

int ScanCodeOf(SDL_Scancode key) {
    // Extended keys (the arrows, the right-hand modifiers, the navigation block) carry 0x80.
    switch (key) {
        case SDL_SCANCODE_ESCAPE: return 0x01;
        case SDL_SCANCODE_1: return 0x02;
        case SDL_SCANCODE_2: return 0x03;
        case SDL_SCANCODE_3: return 0x04;
        case SDL_SCANCODE_4: return 0x05;
        case SDL_SCANCODE_5: return 0x06;
        case SDL_SCANCODE_6: return 0x07;
        case SDL_SCANCODE_7: return 0x08;
        case SDL_SCANCODE_8: return 0x09;
        case SDL_SCANCODE_9: return 0x0A;
        case SDL_SCANCODE_0: return 0x0B;
        case SDL_SCANCODE_MINUS: return 0x0C;
        case SDL_SCANCODE_EQUALS: return 0x0D;
        case SDL_SCANCODE_BACKSPACE: return 0x0E;
        case SDL_SCANCODE_TAB: return 0x0F;
        case SDL_SCANCODE_Q: return 0x10;
        case SDL_SCANCODE_W: return 0x11;
        case SDL_SCANCODE_E: return 0x12;
        case SDL_SCANCODE_R: return 0x13;
        case SDL_SCANCODE_T: return 0x14;
        case SDL_SCANCODE_Y: return 0x15;
        case SDL_SCANCODE_U: return 0x16;
        case SDL_SCANCODE_I: return 0x17;
        case SDL_SCANCODE_O: return 0x18;
        case SDL_SCANCODE_P: return 0x19;
        case SDL_SCANCODE_LEFTBRACKET: return 0x1A;
        case SDL_SCANCODE_RIGHTBRACKET: return 0x1B;
        case SDL_SCANCODE_RETURN: return 0x1C;
        case SDL_SCANCODE_LCTRL: return 0x1D;
        case SDL_SCANCODE_A: return 0x1E;
        case SDL_SCANCODE_S: return 0x1F;
        case SDL_SCANCODE_D: return 0x20;
        case SDL_SCANCODE_F: return 0x21;
        case SDL_SCANCODE_G: return 0x22;
        case SDL_SCANCODE_H: return 0x23;
        case SDL_SCANCODE_J: return 0x24;
        case SDL_SCANCODE_K: return 0x25;
        case SDL_SCANCODE_L: return 0x26;
        case SDL_SCANCODE_SEMICOLON: return 0x27;
        case SDL_SCANCODE_APOSTROPHE: return 0x28;
        case SDL_SCANCODE_GRAVE: return 0x29;
        case SDL_SCANCODE_LSHIFT: return 0x2A;
        case SDL_SCANCODE_BACKSLASH: return 0x2B;
        case SDL_SCANCODE_Z: return 0x2C;
        case SDL_SCANCODE_X: return 0x2D;
        case SDL_SCANCODE_C: return 0x2E;
        case SDL_SCANCODE_V: return 0x2F;
        case SDL_SCANCODE_B: return 0x30;
        case SDL_SCANCODE_N: return 0x31;
        case SDL_SCANCODE_M: return 0x32;
        case SDL_SCANCODE_COMMA: return 0x33;
        case SDL_SCANCODE_PERIOD: return 0x34;
        case SDL_SCANCODE_SLASH: return 0x35;
        case SDL_SCANCODE_RSHIFT: return 0x36;
        case SDL_SCANCODE_KP_MULTIPLY: return 0x37;
        case SDL_SCANCODE_LALT: return 0x38;
        case SDL_SCANCODE_SPACE: return 0x39;
        case SDL_SCANCODE_CAPSLOCK: return 0x3A;
        case SDL_SCANCODE_F1: return 0x3B;
        case SDL_SCANCODE_F2: return 0x3C;
        case SDL_SCANCODE_F3: return 0x3D;
        case SDL_SCANCODE_F4: return 0x3E;
        case SDL_SCANCODE_F5: return 0x3F;
        case SDL_SCANCODE_F6: return 0x40;
        case SDL_SCANCODE_F7: return 0x41;
        case SDL_SCANCODE_F8: return 0x42;
        case SDL_SCANCODE_F9: return 0x43;
        case SDL_SCANCODE_F10: return 0x44;
        case SDL_SCANCODE_NUMLOCKCLEAR: return 0x45;
        case SDL_SCANCODE_SCROLLLOCK: return 0x46;
        case SDL_SCANCODE_KP_7: return 0x47;
        case SDL_SCANCODE_KP_8: return 0x48;
        case SDL_SCANCODE_KP_9: return 0x49;
        case SDL_SCANCODE_KP_MINUS: return 0x4A;
        case SDL_SCANCODE_KP_4: return 0x4B;
        case SDL_SCANCODE_KP_5: return 0x4C;
        case SDL_SCANCODE_KP_6: return 0x4D;
        case SDL_SCANCODE_KP_PLUS: return 0x4E;
        case SDL_SCANCODE_KP_1: return 0x4F;
        case SDL_SCANCODE_KP_2: return 0x50;
        case SDL_SCANCODE_KP_3: return 0x51;
        case SDL_SCANCODE_KP_0: return 0x52;
        case SDL_SCANCODE_KP_PERIOD: return 0x53;
        case SDL_SCANCODE_NONUSBACKSLASH: return 0x56;
        case SDL_SCANCODE_F11: return 0x57;
        case SDL_SCANCODE_F12: return 0x58;
        case SDL_SCANCODE_F13: return 0x64;
        case SDL_SCANCODE_F14: return 0x65;
        case SDL_SCANCODE_F15: return 0x66;
        case SDL_SCANCODE_INTERNATIONAL2: return 0x70;  // kana
        case SDL_SCANCODE_INTERNATIONAL1: return 0x73;
        case SDL_SCANCODE_INTERNATIONAL4: return 0x79;  // convert
        case SDL_SCANCODE_INTERNATIONAL5: return 0x7B;  // no convert
        case SDL_SCANCODE_INTERNATIONAL3: return 0x7D;  // yen
        case SDL_SCANCODE_KP_EQUALS: return 0x8D;
        case SDL_SCANCODE_AUDIOPREV: return 0x90;
        case SDL_SCANCODE_AUDIONEXT: return 0x99;
        case SDL_SCANCODE_KP_ENTER: return 0x9C;
        case SDL_SCANCODE_RCTRL: return 0x9D;
        case SDL_SCANCODE_AUDIOMUTE:
        case SDL_SCANCODE_MUTE: return 0xA0;
        case SDL_SCANCODE_CALCULATOR: return 0xA1;
        case SDL_SCANCODE_AUDIOPLAY: return 0xA2;
        case SDL_SCANCODE_AUDIOSTOP: return 0xA4;
        case SDL_SCANCODE_VOLUMEDOWN: return 0xAE;
        case SDL_SCANCODE_VOLUMEUP: return 0xB0;
        case SDL_SCANCODE_AC_HOME: return 0xB2;
        case SDL_SCANCODE_KP_COMMA: return 0xB3;
        case SDL_SCANCODE_KP_DIVIDE: return 0xB5;
        case SDL_SCANCODE_PRINTSCREEN: return 0xB7;
        case SDL_SCANCODE_RALT: return 0xB8;
        case SDL_SCANCODE_PAUSE: return 0xC5;
        case SDL_SCANCODE_HOME: return 0xC7;
        case SDL_SCANCODE_UP: return 0xC8;
        case SDL_SCANCODE_PAGEUP: return 0xC9;
        case SDL_SCANCODE_LEFT: return 0xCB;
        case SDL_SCANCODE_RIGHT: return 0xCD;
        case SDL_SCANCODE_END: return 0xCF;
        case SDL_SCANCODE_DOWN: return 0xD0;
        case SDL_SCANCODE_PAGEDOWN: return 0xD1;
        case SDL_SCANCODE_INSERT: return 0xD2;
        case SDL_SCANCODE_DELETE: return 0xD3;
        case SDL_SCANCODE_LGUI: return 0xDB;
        case SDL_SCANCODE_RGUI: return 0xDC;
        case SDL_SCANCODE_APPLICATION: return 0xDD;
        case SDL_SCANCODE_POWER: return 0xDE;
        case SDL_SCANCODE_SLEEP: return 0xDF;
        case SDL_SCANCODE_AC_SEARCH: return 0xE5;
        case SDL_SCANCODE_AC_BOOKMARKS: return 0xE6;
        case SDL_SCANCODE_AC_REFRESH: return 0xE7;
        case SDL_SCANCODE_AC_STOP: return 0xE8;
        case SDL_SCANCODE_AC_FORWARD: return 0xE9;
        case SDL_SCANCODE_AC_BACK: return 0xEA;
        case SDL_SCANCODE_COMPUTER: return 0xEB;
        case SDL_SCANCODE_MAIL: return 0xEC;
        case SDL_SCANCODE_MEDIASELECT: return 0xED;
        default: return 0;
    }
}

}  // namespace Input

namespace Input {

SDL_Scancode SdlScancodeOf(int code) {
    static const std::array<SDL_Scancode, 256> keys = [] {
        std::array<SDL_Scancode, 256> table{};
        for (int key = SDL_NUM_SCANCODES - 1; key > 0; --key) {
            const int ours = ScanCodeOf(static_cast<SDL_Scancode>(key));
            if (ours > 0 && ours < 256) {
                table[static_cast<std::size_t>(ours)] = static_cast<SDL_Scancode>(key);
            }
        }
        return table;
    }();
    return code > 0 && code < 256 ? keys[static_cast<std::size_t>(code)] : SDL_SCANCODE_UNKNOWN;
}

}  // namespace Input
