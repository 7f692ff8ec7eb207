// How far the pen moves after each glyph of the font image, and the kerning between pairs: read
// from the file made beside the image ("zolfont.metrics"), in font units (a glyph cell is 10).
#pragma once

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Graphics {

class FontMetrics {
public:
    // The characters of the font image, cell by cell in reading order; the space takes the last cell.
    static constexpr const char* kGlyphs =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:?!,'#@$%^&*()[]-+/=<>_abcdefghijklmnopqrstuvwxyz ";
    // A glyph the file does not give, or gives badly, takes a whole cell: never overlapping its
    // neighbour, at worst a little wide.
    static constexpr float kDefaultAdvance = 10.0f;
    // Beyond these a value is no metric of this font but a damaged or hostile file.
    static constexpr float kLargestAdvance = 20.0f;
    static constexpr float kLargestKerning = 5.0f;
    // A file longer than this many lines is not read past it.
    static constexpr std::size_t kMostLines = 20000;

    // Every glyph at the default advance, no kerning.
    FontMetrics();

    // Reads a metrics file's text. Each line that is no metric is told in `problems` and skipped;
    // every glyph of the font image it leaves without an advance keeps the default.
    static FontMetrics Parse(const std::string& text, std::vector<std::string>& problems);
    // Reads the file and makes it the metrics all text is measured with; a missing or damaged file
    // is reported and whatever it lacks keeps the default.
    static void Load(const std::string& path);
    // The metrics text is measured and drawn with (the defaults until a Load).
    static const FontMetrics& Current();
    static void Use(const FontMetrics& metrics);

    float Advance(char c) const { return advances[static_cast<unsigned char>(c)]; }
    float Kerning(char left, char right) const;

private:
    // One "advance CODE UNITS" or "kern LEFT RIGHT UNITS" line; false with the reason when it is none.
    bool ReadLine(const std::string& line, std::string& problem);

    std::array<float, 256> advances;
    std::array<bool, 256> given{};
    std::map<std::pair<unsigned char, unsigned char>, float> kerning;
};

}  // namespace Graphics
