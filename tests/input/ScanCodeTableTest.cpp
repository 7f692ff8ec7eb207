// The key-name table and the SDL key translation against the scan codes race messages carry.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "input/ScanCodeTable.h"

namespace {

using Input::ScanCodeOf;

TEST(ScanCodeTable, EveryNamedKeyHasItsFixedCodeAndItsSdlKeyGivesThatCode) {
    // name, SDL key, code: written out from the key table rather than derived from the code.
    const struct {
        const char* name;
        SDL_Scancode key;
        int code;
    } expected[] = {
        {"UP", SDL_SCANCODE_UP, 200},         {"DOWN", SDL_SCANCODE_DOWN, 208},     {"LEFT", SDL_SCANCODE_LEFT, 203},
        {"RIGHT", SDL_SCANCODE_RIGHT, 205},   {"A", SDL_SCANCODE_A, 30},            {"B", SDL_SCANCODE_B, 48},
        {"C", SDL_SCANCODE_C, 46},            {"D", SDL_SCANCODE_D, 32},            {"E", SDL_SCANCODE_E, 18},
        {"F", SDL_SCANCODE_F, 33},            {"G", SDL_SCANCODE_G, 34},            {"H", SDL_SCANCODE_H, 35},
        {"I", SDL_SCANCODE_I, 23},            {"J", SDL_SCANCODE_J, 36},            {"K", SDL_SCANCODE_K, 37},
        {"L", SDL_SCANCODE_L, 38},            {"M", SDL_SCANCODE_M, 50},            {"N", SDL_SCANCODE_N, 49},
        {"O", SDL_SCANCODE_O, 24},            {"P", SDL_SCANCODE_P, 25},            {"Q", SDL_SCANCODE_Q, 16},
        {"R", SDL_SCANCODE_R, 19},            {"S", SDL_SCANCODE_S, 31},            {"T", SDL_SCANCODE_T, 20},
        {"U", SDL_SCANCODE_U, 22},            {"V", SDL_SCANCODE_V, 47},            {"W", SDL_SCANCODE_W, 17},
        {"X", SDL_SCANCODE_X, 45},            {"Y", SDL_SCANCODE_Y, 21},            {"Z", SDL_SCANCODE_Z, 44},
        {"LSHIFT", SDL_SCANCODE_LSHIFT, 42},  {"RSHIFT", SDL_SCANCODE_RSHIFT, 54},  {"LALT", SDL_SCANCODE_LALT, 56},
        {"RALT", SDL_SCANCODE_RALT, 184},     {"0", SDL_SCANCODE_0, 11},            {"1", SDL_SCANCODE_1, 2},
        {"2", SDL_SCANCODE_2, 3},             {"3", SDL_SCANCODE_3, 4},             {"4", SDL_SCANCODE_4, 5},
        {"5", SDL_SCANCODE_5, 6},             {"6", SDL_SCANCODE_6, 7},             {"7", SDL_SCANCODE_7, 8},
        {"8", SDL_SCANCODE_8, 9},             {"9", SDL_SCANCODE_9, 10},            {"TAB", SDL_SCANCODE_TAB, 15},
        {"LCTRL", SDL_SCANCODE_LCTRL, 29},    {"RCTRL", SDL_SCANCODE_RCTRL, 157},   {"ESC", SDL_SCANCODE_ESCAPE, 1},
        {"SPACE", SDL_SCANCODE_SPACE, 57},    {"ENTER", SDL_SCANCODE_RETURN, 28},   {"F1", SDL_SCANCODE_F1, 59},
        {"F2", SDL_SCANCODE_F2, 60},          {"F3", SDL_SCANCODE_F3, 61},          {"F4", SDL_SCANCODE_F4, 62},
        {"F5", SDL_SCANCODE_F5, 63},          {"F6", SDL_SCANCODE_F6, 64},          {"F7", SDL_SCANCODE_F7, 65},
        {"F8", SDL_SCANCODE_F8, 66},          {"F9", SDL_SCANCODE_F9, 67},          {"F10", SDL_SCANCODE_F10, 68},
        {"F11", SDL_SCANCODE_F11, 87},        {"F12", SDL_SCANCODE_F12, 88},
    };
    std::map<std::string, int> table;
    for (std::size_t i = 0; i < Input::kKeyNameCount; ++i) {
        table[Input::kKeyNames[i].name] = Input::kKeyNames[i].code;
    }
    EXPECT_EQ(table.size(), std::size(expected));
    for (const auto& key : expected) {
        EXPECT_EQ(table[key.name], key.code) << key.name;
        EXPECT_EQ(ScanCodeOf(key.key), key.code) << key.name;
    }
}

TEST(ScanCodeTable, TheRestOfTheKeyboardHasDistinctCodesAndNothingReportsZero) {
    // A few keys outside the name table, whose codes the peer may still see in race messages.
    EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_HOME), 0xC7);
    EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_DELETE), 0xD3);
    EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_KP_8), 0x48);
    EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_BACKSPACE), 0x0E);
    EXPECT_EQ(ScanCodeOf(SDL_SCANCODE_UNKNOWN), 0);

    std::set<int> seen;
    int mapped = 0;
    for (int key = 0; key < SDL_NUM_SCANCODES; ++key) {
        const int code = ScanCodeOf(static_cast<SDL_Scancode>(key));
        ASSERT_GE(code, 0);
        ASSERT_LT(code, 256);
        if (code != 0) {
            ++mapped;
            // Only the two mute keys SDL tells apart share the one code.
            if (code != 0xA0) {
                EXPECT_TRUE(seen.insert(code).second) << "code " << code << " given twice";
            }
        }
    }
    // Every key of a standard 104-key board, and then some.
    EXPECT_GE(mapped, 104);
}

}  // namespace
