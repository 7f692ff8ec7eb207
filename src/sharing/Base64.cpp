// The standard base64 alphabet, with "=" padding and no line breaks.
#include "sharing/Base64.h"

#include <array>

namespace Sharing {
namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kNotInAlphabet = -1;

std::array<int, 256> MakeValues() {
    std::array<int, 256> values{};
    values.fill(kNotInAlphabet);
    for (int i = 0; i < 64; ++i) {
        values[static_cast<unsigned char>(kAlphabet[i])] = i;
    }
    return values;
}

}  // namespace

std::string Base64::Encode(const std::string& bytes) {
    std::string text;
    text.reserve(EncodedLength(bytes.size()));
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned group = static_cast<unsigned char>(bytes[i]) << 16 |
                               static_cast<unsigned char>(bytes[i + 1]) << 8 |
                               static_cast<unsigned char>(bytes[i + 2]);
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += kAlphabet[group >> 6 & 63];
        text += kAlphabet[group & 63];
    }
    const std::size_t left = bytes.size() - i;
    if (left > 0) {
        unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
        if (left == 2) {
            group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        }
        text += kAlphabet[group >> 18 & 63];
        text += kAlphabet[group >> 12 & 63];
        text += left == 2 ? kAlphabet[group >> 6 & 63] : '=';
        text += '=';
    }
    return text;
}

bool Base64::Decode(const std::string& text, std::string& bytes) {
    static const std::array<int, 256> values = MakeValues();
    bytes.clear();
    if (text.size() % 4 != 0) {
        return false;
    }
    bytes.reserve(text.size() / 4 * 3);
    for (std::size_t i = 0; i < text.size(); i += 4) {
        const bool last = i + 4 == text.size();
        // Padding only closes the text: "==" or "=" in its last group, never before a letter.
        const int padding = last && text[i + 3] == '=' ? (text[i + 2] == '=' ? 2 : 1) : 0;
        unsigned group = 0;
        for (int j = 0; j < 4; ++j) {
            const int value = j >= 4 - padding ? 0 : values[static_cast<unsigned char>(text[i + j])];
            if (value == kNotInAlphabet) {
                return false;
            }
            group = group << 6 | static_cast<unsigned>(value);
        }
        bytes += static_cast<char>(group >> 16 & 255);
        if (padding < 2) {
            bytes += static_cast<char>(group >> 8 & 255);
        }
        if (padding < 1) {
            bytes += static_cast<char>(group & 255);
        }
    }
    return true;
}

}  // namespace Sharing
