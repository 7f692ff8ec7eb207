// The text measures.
#include "graphics/TextMeasure.h"

#include <algorithm>
#include <sstream>

#include "graphics/FontMetrics.h"

namespace Graphics {

float TextMeasure::Advance(char c, char next, float scale) {
    const FontMetrics& metrics = FontMetrics::Current();
    const float kern = next == '\0' ? 0.0f : metrics.Kerning(c, next);
    return (metrics.Advance(c) + kern) * scale;
}

float TextMeasure::Width(const std::string& text, float scale) {
    float width = 0.0f;
    for (std::size_t i = 0; i < text.size(); ++i) {
        width += Advance(text[i], i + 1 < text.size() ? text[i + 1] : '\0', scale);
    }
    return width;
}

std::vector<std::string> TextMeasure::WrapLines(const std::string& text, float width, float scale) {
    std::istringstream words(text);
    std::string word;
    std::vector<std::string> lines;
    while (words >> word) {
        if (lines.empty()) {
            lines.push_back(word);
            continue;
        }
        const std::string longer = lines.back() + ' ' + word;
        if (width > 0.0f && Width(longer, scale) > width) {
            lines.push_back(word);
        } else {
            lines.back() = longer;
        }
    }
    return lines;
}

int TextMeasure::CentredLeft(float screenWidth, const std::string& text, float scale) {
    return static_cast<int>(screenWidth / 2.0f - Width(text, scale) / 2.0f);
}

float TextMeasure::FittingScale(const std::string& text, float scale, float room, float smallest) {
    const float width = Width(text, scale);
    if (width <= room || width <= 0.0f) {
        return scale;
    }
    return std::max(smallest, scale * room / width);
}

float TextMeasure::FittedWidth(const Text& line, float screenWidth) {
    const float room = screenWidth - static_cast<float>(line.x) - EdgeMargin(line.scale);
    return line.width > 0 ? std::min(static_cast<float>(line.width), room) : room;
}

ScreenRect TextMeasure::Box(const Text& line, float screenWidth) {
    const std::vector<std::string> lines = WrapLines(line.text, FittedWidth(line, screenWidth), line.scale);
    if (lines.empty()) {
        return {};
    }
    float widest = 0.0f;
    for (const std::string& each : lines) {
        widest = std::max(widest, Width(each, line.scale));
    }
    const float left = static_cast<float>(line.x);
    const float top = static_cast<float>(line.y);
    const float drop = kDimDrop * (1.0f - line.highlight);
    const float height = LineHeight(line.scale) * static_cast<float>(lines.size() - 1) + GlyphSize(line.scale);
    return {left, top, left + widest, top + height + drop};
}

}  // namespace Graphics
