// Laying out the text lines with the bitmap font.
#include "graphics/TextLayer.h"

#include <cstring>
#include <sstream>

namespace Graphics {

const char* const TextLayer::kGlyphs =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:?!,'#@$%^&*()[]-+/=<>_abcdefghijklmnopqrstuvwxyz ";

TextLayer::TextLayer() {
    const std::size_t count = std::strlen(kGlyphs);
    for (std::size_t i = 0; i + 1 < count; ++i) {
        const int left = 10 * static_cast<int>(i % 10);
        const int top = 10 * static_cast<int>(i / 10);
        glyphs[static_cast<signed char>(kGlyphs[i])] = {left, top, left + 10, top + 10};
    }
    glyphs[' '] = {90, 90, 100, 100};
}

Text* TextLayer::CreateText(int x, int y, int width, float scale) {
    owned.push_back(std::make_unique<Text>(x, y, width, scale));
    lines.push_back(owned.back().get());
    return lines.back();
}

GlyphRect TextLayer::Glyph(char c) {
    // operator[] enters an unknown character with an empty rectangle: it draws nothing but advances.
    return glyphs[static_cast<signed char>(c)];
}

float TextLayer::PenScale(float scale) {
    // 1.3333333730697632 is the single-precision value nearest 4/3.
    return static_cast<float>(scale * 1.3333333730697632 * 0.8);
}

int TextLayer::CharactersPerLine(int width, float scale) {
    const float advance = kAdvance * PenScale(scale);
    return static_cast<int>((static_cast<float>(width) - advance) / advance);
}

std::string TextLayer::Wrap(const std::string& text, int charactersPerLine) {
    // A negative count compares as a huge unsigned size, so such lines never wrap.
    const std::size_t limit = static_cast<std::size_t>(static_cast<long long>(charactersPerLine));
    std::istringstream words(text);
    std::string word;
    std::string result;
    std::size_t lineLength = 0;
    while (words >> word) {
        if (word.size() + lineLength + 1 > limit) {
            result += '\n';
            lineLength = 0;
        }
        lineLength += word.size() + 1;
        result += word;
        result += ' ';
    }
    return result;
}

std::vector<PlacedGlyph> TextLayer::LayOutLine(const Text& line) {
    std::vector<PlacedGlyph> placed;
    const float s = PenScale(line.scale);
    const float advance = kAdvance * s;
    int penX = line.x;
    int penY = line.y;
    const std::uint8_t alpha =
        static_cast<std::uint8_t>(static_cast<int>(line.highlight * 128.0f + 127.0f) & 0xff);
    for (const char c : Wrap(line.text, CharactersPerLine(line.width, line.scale))) {
        if (c == '\n') {
            penY = static_cast<int>(static_cast<float>(penY) + kLineHeight * s);
            penX = line.x;
            continue;
        }
        PlacedGlyph glyph;
        glyph.source = Glyph(c);
        glyph.x = static_cast<float>(penX);
        glyph.y = static_cast<float>(penY) + 7.0f * (1.0f - line.highlight);
        glyph.scale = line.scale;
        glyph.alpha = alpha;
        if (glyph.source.right > glyph.source.left) {
            placed.push_back(glyph);
        }
        penX = static_cast<int>(static_cast<float>(penX) + advance);
    }
    return placed;
}

std::vector<PlacedGlyph> TextLayer::LayOut() {
    std::vector<PlacedGlyph> all;
    for (std::size_t i = 0; i < lines.size();) {
        const std::vector<PlacedGlyph> placed = LayOutLine(*lines[i]);
        all.insert(all.end(), placed.begin(), placed.end());
        if (lines[i]->text.empty()) {
            lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
    return all;
}

}  // namespace Graphics
