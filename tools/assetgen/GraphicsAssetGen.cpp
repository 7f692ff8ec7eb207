// Makes the game's textures, bitmap font and box mesh: every picture and mesh the renderer reads.
#include <stb/stb_image_write.h>
#include <stb/stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Image {
    int width;
    int height;
    std::vector<std::uint8_t> rgba;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w * h * 4), 0) {}
    void Set(int x, int y, int r, int g, int b, int a = 255) {
        std::uint8_t* p = &rgba[static_cast<std::size_t>((y * width + x) * 4)];
        p[0] = static_cast<std::uint8_t>(r), p[1] = static_cast<std::uint8_t>(g),
        p[2] = static_cast<std::uint8_t>(b);
        p[3] = static_cast<std::uint8_t>(a);
    }
    bool Write(const std::string& path) const {
        return stbi_write_png(path.c_str(), width, height, 4, rgba.data(), width * 4) != 0;
    }
};

// A repeatable hash noise in [0, 1).
float Noise(int x, int y, int seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xffffu) / 65536.0f;
}

// Distance from the nearest edge of a size x size tile, in pixels.
int EdgeDistance(int x, int y, int size) {
    const int dx = std::min(x, size - 1 - x);
    const int dy = std::min(y, size - 1 - y);
    return std::min(dx, dy);
}

// A bevelled tile: bright face, darker rim, a little grain. `tint` scales the channels.
Image Tile(int size, float r, float g, float b, int seed) {
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int edge = EdgeDistance(x, y, size);
            float shade = edge < 2 ? 0.55f : edge < 6 ? 0.8f + 0.03f * static_cast<float>(edge) : 0.95f;
            shade *= 0.9f + 0.1f * Noise(x, y, seed);
            image.Set(x, y, static_cast<int>(255 * r * shade), static_cast<int>(255 * g * shade),
                      static_cast<int>(255 * b * shade));
        }
    }
    return image;
}

// The pushable box: a wooden crate, dark brown boards in a frame. Its colour keeps clear of the
// yellow goal and of the orange player, so a box is never taken for either.
Image Crate(int size) {
    constexpr float kWood[3] = {0.55f, 0.31f, 0.13f};
    constexpr int kFrame = 7;
    constexpr int kBoards = 4;
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int edge = EdgeDistance(x, y, size);
            // Grain runs along the boards: streaks that vary slowly across them and quickly along them.
            const float grain = 0.85f +
                                0.1f * std::sin(static_cast<float>(y) * 1.7f + 3.0f * Noise(x / 8, y, 5)) +
                                0.08f * Noise(x, y, 6);
            float shade = grain;
            if (edge < kFrame) {
                shade = edge < 1 ? 0.45f : 0.75f + 0.05f * Noise(x, y, 8);  // the frame, a shade darker
            } else if ((y - kFrame) % ((size - 2 * kFrame) / kBoards) == 0) {
                shade = 0.4f;  // the gap between two boards
            }
            image.Set(x, y, static_cast<int>(255 * kWood[0] * shade),
                      static_cast<int>(255 * kWood[1] * shade), static_cast<int>(255 * kWood[2] * shade));
        }
    }
    return image;
}

// The normal map of the same bevel: rims lean outwards.
Image TileNormal(int size) {
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float nx = 0.0f;
            float ny = 0.0f;
            if (x < 6)
                nx = -0.6f;
            if (x >= size - 6)
                nx = 0.6f;
            if (y < 6)
                ny = 0.6f;
            if (y >= size - 6)
                ny = -0.6f;
            nx += 0.08f * (Noise(x, y, 7) - 0.5f);
            ny += 0.08f * (Noise(x, y, 9) - 0.5f);
            const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
            image.Set(x, y, static_cast<int>((nx * 0.5f + 0.5f) * 255),
                      static_cast<int>((ny * 0.5f + 0.5f) * 255), static_cast<int>((nz * 0.5f + 0.5f) * 255));
        }
    }
    return image;
}

// The marks that tell the blocks apart without their colours, one 64 x 64 cell each from the top,
// in the order the renderer numbers them (BlockPatternCell): none, crossed bars (red), a ring
// (green), straight bands (blue), thin diagonals (magenta), frost (light blue), a star (the goal).
// White is ink; the shapes keep inside the tile's bevel, so a face's rim stays its own.
constexpr int kPatternCell = 64;
constexpr int kPatternCells = 7;

float SegmentDistance(float x, float y, float ax, float ay, float bx, float by) {
    const float dx = bx - ax;
    const float dy = by - ay;
    const float t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0f, 1.0f);
    return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

bool InsideStar(float x, float y, float centre, float outer, float inner) {
    // Even-odd rule over the star's ten corners, its first point upwards.
    bool inside = false;
    float px[10];
    float py[10];
    for (int i = 0; i < 10; ++i) {
        const float angle = static_cast<float>(M_PI) * (static_cast<float>(i) / 5.0f - 0.5f);
        const float radius = i % 2 == 0 ? outer : inner;
        px[i] = centre + radius * std::cos(angle);
        py[i] = centre + radius * std::sin(angle);
    }
    for (int i = 0, j = 9; i < 10; j = i++) {
        if ((py[i] > y) != (py[j] > y) && x < (px[j] - px[i]) * (y - py[i]) / (py[j] - py[i]) + px[i]) {
            inside = !inside;
        }
    }
    return inside;
}

// Whether the point (texels of a cell) is ink in pattern `cell`.
bool PatternInk(int cell, float x, float y) {
    const float c = kPatternCell / 2.0f;
    const bool inner = x > 9.0f && x < 55.0f && y > 9.0f && y < 55.0f;
    switch (cell) {
        case 1:  // crossed bars
            return inner && (std::fabs(x - y) < 5.0f || std::fabs(x + y - 64.0f) < 5.0f);
        case 2:  // a ring
            return std::fabs(std::hypot(x - c, y - c) - 15.0f) < 4.5f;
        case 3:  // three broad bands
            return inner && static_cast<int>(y - 10.0f) % 16 < 8;
        case 4:  // thin diagonals, close together
            return inner && std::fmod(x + y + 1000.0f, 9.0f) < 2.6f;
        case 5: {  // frost: three small six-armed crystals and their streaks
            const float crystals[3][3] = {{20.0f, 20.0f, 9.0f}, {44.0f, 27.0f, 7.0f}, {27.0f, 45.0f, 8.0f}};
            for (const auto& crystal : crystals) {
                for (int arm = 0; arm < 3; ++arm) {
                    const float angle = static_cast<float>(M_PI) * static_cast<float>(arm) / 3.0f + 0.3f;
                    const float ex = crystal[2] * std::cos(angle);
                    const float ey = crystal[2] * std::sin(angle);
                    if (SegmentDistance(x, y, crystal[0] - ex, crystal[1] - ey, crystal[0] + ex, crystal[1] + ey) <
                        2.2f) {
                        return true;
                    }
                }
            }
            return SegmentDistance(x, y, 12.0f, 52.0f, 52.0f, 12.0f) < 1.5f ||
                   SegmentDistance(x, y, 36.0f, 54.0f, 54.0f, 40.0f) < 1.5f;
        }
        case 6:  // a star
            return InsideStar(x, y, c, 23.0f, 9.5f);
        default:
            return false;
    }
}

// Each texel the share of its 4 x 4 samples that are ink, so the marks' edges are smooth.
Image BlockPatterns() {
    Image image(kPatternCell, kPatternCell * kPatternCells);
    for (int cell = 0; cell < kPatternCells; ++cell) {
        for (int y = 0; y < kPatternCell; ++y) {
            for (int x = 0; x < kPatternCell; ++x) {
                int ink = 0;
                for (int sample = 0; sample < 16; ++sample) {
                    ink += PatternInk(cell, static_cast<float>(x) + 0.125f + 0.25f * static_cast<float>(sample % 4),
                                      static_cast<float>(y) + 0.125f + 0.25f * static_cast<float>(sample / 4));
                }
                const int value = ink * 255 / 16;
                image.Set(x, cell * kPatternCell + y, value, value, value);
            }
        }
    }
    return image;
}

// A soft round spot, white with alpha falling to the rim.
Image Spot(int size, float hardness) {
    Image image(size, size);
    const float centre = static_cast<float>(size - 1) / 2.0f;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float d =
                std::hypot(static_cast<float>(x) - centre, static_cast<float>(y) - centre) / centre;
            const float a = std::max(0.0f, 1.0f - std::pow(d, hardness));
            image.Set(x, y, 255, 255, 255, static_cast<int>(255 * a));
        }
    }
    return image;
}

// The font's grid: 10 x 10 cells, each kFontCell texels square. The text layer addresses the image
// as 100 x 100 units whatever its size, so finer cells draw glyphs of the same size on screen.
constexpr int kFontCell = 32;
// Empty texels kept round every glyph, so a cell's edge never shows a neighbour's ink.
constexpr int kFontMargin = 1;
// The text layer's units across one cell.
constexpr float kCellUnits = 10.0f;
// A proportional face: each letter is drawn with its own advance (written beside the image), so
// words read as words rather than as letters spaced out to a fixed pitch.
const char* const kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
const char* const kGlyphString =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:?!,'#@$%^&*()[]-+/=<>_abcdefghijklmnopqrstuvwxyz ";

std::vector<unsigned char> ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The scale that fits every glyph of the string, from its highest ascender to its lowest
// descender, into the cell's inner height.
float FontScale(const stbtt_fontinfo& font, const std::string& glyphs) {
    int top = 0;
    int bottom = 0;
    for (const char c : glyphs) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        if (stbtt_GetCodepointBox(&font, c, &x0, &y0, &x1, &y1) != 0) {
            top = std::max(top, y1);
            bottom = std::min(bottom, y0);
        }
    }
    return static_cast<float>(kFontCell - 2 * kFontMargin) / static_cast<float>(top - bottom);
}

// Coverage as the alpha of white texels: the glyph's pen origin at the cell's inner left edge (the
// text layer draws a cell where its pen stands), on the common baseline `ascent` texels below the
// cell's inner top. A left bearing below zero is pulled in, and ink past the margin is cut off.
void PlaceGlyph(Image& image, const stbtt_fontinfo& font, char c, int cellIndex, float scale, int ascent) {
    const int inner = kFontCell - 2 * kFontMargin;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    stbtt_GetCodepointBitmapBox(&font, c, scale, scale, &x0, &y0, &x1, &y1);
    const int bearing = std::max(x0, 0);
    const int w = std::min(x1 - x0, inner - bearing);
    const int h = std::min(y1 - y0, inner);
    if (w <= 0 || h <= 0) {
        return;
    }
    std::vector<unsigned char> coverage(static_cast<std::size_t>(w * h), 0);
    stbtt_MakeCodepointBitmap(&font, coverage.data(), w, h, w, scale, scale, c);
    const int cellLeft = kFontCell * (cellIndex % 10) + kFontMargin;
    const int cellTop = kFontCell * (cellIndex / 10) + kFontMargin;
    const int top = std::max(0, ascent + y0);
    for (int y = 0; y < h && top + y < inner; ++y) {
        for (int x = 0; x < w; ++x) {
            const int a = coverage[static_cast<std::size_t>(y * w + x)];
            if (a > 0) {
                image.Set(cellLeft + bearing + x, cellTop + top + y, 255, 255, 255, a);
            }
        }
    }
}

bool LoadFont(std::vector<unsigned char>& file, stbtt_fontinfo& font) {
    file = ReadFile(kFontFile);
    if (file.empty() || stbtt_InitFont(&font, file.data(), stbtt_GetFontOffsetForIndex(file.data(), 0)) == 0) {
        std::fprintf(stderr, "GraphicsAssetGen: cannot read %s (fonts-dejavu-core)\n", kFontFile);
        return false;
    }
    return true;
}

// White glyphs with their coverage as alpha, in the text layer's grid of 10 x 10 cells.
Image Font() {
    const std::string glyphs = kGlyphString;
    Image image(10 * kFontCell, 10 * kFontCell);
    std::vector<unsigned char> file;
    stbtt_fontinfo font;
    if (!LoadFont(file, font)) {
        return Image(0, 0);
    }
    const float scale = FontScale(font, glyphs);
    int ascent = 0;
    for (const char c : glyphs) {
        int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        stbtt_GetCodepointBitmapBox(&font, c, scale, scale, &x0, &y0, &x1, &y1);
        ascent = std::max(ascent, -y0);
    }
    for (std::size_t i = 0; i + 1 < glyphs.size(); ++i) {
        PlaceGlyph(image, font, glyphs[i], static_cast<int>(i), scale, ascent);
    }
    return image;
}

// Each glyph's advance and the kerning of the pairs that have one, in the text layer's units (a
// cell is 10), as the game reads them: "advance CODE UNITS" and "kern LEFT RIGHT UNITS".
bool WriteFontMetrics(const std::string& path) {
    const std::string glyphs = kGlyphString;
    std::vector<unsigned char> file;
    stbtt_fontinfo font;
    if (!LoadFont(file, font)) {
        return false;
    }
    const float units = FontScale(font, glyphs) * kCellUnits / static_cast<float>(kFontCell);
    std::ofstream out(path);
    out << "# Fallward font metrics, made with zolfont.png by tools/assetgen/make-graphics.\n"
           "# advance CODE UNITS: how far the pen moves after the glyph; kern LEFT RIGHT UNITS: added\n"
           "# between that pair. Codes are the characters' byte values; a cell is 10 units wide.\n";
    char line[64];
    for (const char c : glyphs) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&font, c, &advance, &bearing);
        std::snprintf(line, sizeof line, "advance %d %.3f\n", c, static_cast<double>(advance * units));
        out << line;
    }
    for (const char left : glyphs) {
        for (const char right : glyphs) {
            const int kern = stbtt_GetCodepointKernAdvance(&font, left, right);
            if (kern != 0) {
                std::snprintf(line, sizeof line, "kern %d %d %.3f\n", left, right, static_cast<double>(kern * units));
                out << line;
            }
        }
    }
    return static_cast<bool>(out);
}

// Lays a colour over a pixel with the given opacity; the pixel keeps the larger alpha.
void Blend(Image& image, int x, int y, float r, float g, float b, float a) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height || a <= 0.0f) {
        return;
    }
    std::uint8_t* p = &image.rgba[static_cast<std::size_t>((y * image.width + x) * 4)];
    a = std::min(a, 1.0f);
    const float channels[3] = {r, g, b};
    for (int i = 0; i < 3; ++i) {
        const float c = std::min(std::max(channels[i], 0.0f), 255.0f);
        p[i] = static_cast<std::uint8_t>(static_cast<float>(p[i]) * (1.0f - a) + c * a + 0.5f);
    }
    const float alpha = static_cast<float>(p[3]) / 255.0f;
    p[3] = static_cast<std::uint8_t>(255.0f * (alpha + a * (1.0f - alpha)) + 0.5f);
}

// Signed distance from a pixel's centre to a rounded rectangle (negative inside).
float RoundedBoxDistance(int x, int y, int width, int height, float radius) {
    const float qx = std::fabs(static_cast<float>(x) + 0.5f - static_cast<float>(width) / 2.0f) -
                     (static_cast<float>(width) / 2.0f - radius);
    const float qy = std::fabs(static_cast<float>(y) + 0.5f - static_cast<float>(height) / 2.0f) -
                     (static_cast<float>(height) / 2.0f - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

// A menu button's plate: a rounded, translucent dark slab with a bevel; lit, a bright rim and an
// inner glow. The label is drawn over it by the text layer, so the middle stays calm.
Image ButtonPlate(bool lit) {
    const int width = 400;
    const int height = 64;
    Image image(width, height);
    const float top[3] = {lit ? 36.0f : 34.0f, lit ? 104.0f : 40.0f, lit ? 138.0f : 56.0f};
    const float bottom[3] = {lit ? 12.0f : 14.0f, lit ? 46.0f : 17.0f, lit ? 70.0f : 26.0f};
    const float rim[3] = {lit ? 150.0f : 96.0f, lit ? 236.0f : 110.0f, lit ? 255.0f : 136.0f};
    const float fill = lit ? 0.88f : 0.8f;
    for (int y = 0; y < height; ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(height - 1);
        for (int x = 0; x < width; ++x) {
            const float d = RoundedBoxDistance(x, y, width, height, 12.0f);
            const float coverage = std::min(std::max(0.5f - d, 0.0f), 1.0f);
            if (coverage <= 0.0f) {
                continue;
            }
            const float inside = -d;
            float colour[3];
            for (int i = 0; i < 3; ++i) {
                colour[i] = top[i] + (bottom[i] - top[i]) * t;
            }
            float alpha = fill;
            // The bevel: light falls from above, so the upper rim is bright and the lower one dark.
            if (inside < 4.0f) {
                const float shade = t < 0.5f ? 1.0f + 0.9f * (1.0f - t * 2.0f) : 0.55f;
                for (float& c : colour) {
                    c *= shade;
                }
                alpha = std::min(1.0f, alpha + 0.1f);
            }
            // A crisp outer rim.
            if (inside < 1.5f) {
                for (int i = 0; i < 3; ++i) {
                    colour[i] = rim[i];
                }
                alpha = 0.95f;
            } else if (lit) {
                // The lit plate glows inwards from its rim.
                const float glow = std::exp(-(inside - 1.5f) / 6.0f) * 0.6f;
                for (int i = 0; i < 3; ++i) {
                    colour[i] += (rim[i] - colour[i]) * glow;
                }
            }
            // A thin sheen under the upper bevel.
            if (y >= 5 && y <= 6 && inside >= 4.0f) {
                for (float& c : colour) {
                    c += lit ? 60.0f : 25.0f;
                }
            }
            Blend(image, x, y, colour[0], colour[1], colour[2], alpha * coverage);
        }
    }
    return image;
}

// A square block as the level shows it: a face in its tile colour, a bevel lit from the top left
// and a little grain. `light` dims far-away blocks into the background.
void DrawBlock(Image& image, int left, int top, int size, const float colour[3], float light, float alpha,
               int seed) {
    const int bevel = std::max(2, size / 7);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int edge = EdgeDistance(x, y, size);
            float shade =
                0.92f + 0.08f * Noise(x, y, seed) - 0.15f * static_cast<float>(y) / static_cast<float>(size);
            if (edge < bevel) {
                // Upper-left rims catch the light, lower-right rims are in shade.
                shade = x + y < size ? 1.3f : 0.55f;
            }
            if (edge == 0) {
                shade *= 0.6f;
            }
            Blend(image, left + x, top + y, colour[0] * shade * light, colour[1] * shade * light,
                  colour[2] * shade * light, alpha);
        }
    }
}

// A night of falling blocks in the level's tile colours; `light` dims the whole sky.
const float kPalette[7][3] = {{170, 172, 180}, {225, 52, 48},  {48, 86, 235}, {52, 205, 84},
                              {205, 64, 210},  {64, 212, 226}, {236, 212, 52}};  // grey, red, blue, green,
                                                                                 // magenta, cyan, yellow

Image FallingBlocks(int width, int height, int blocks, float light) {
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        const float t = static_cast<float>(y) / static_cast<float>(height - 1);
        for (int x = 0; x < width; ++x) {
            const float dx = (static_cast<float>(x) - width / 2.0f) / (width / 2.0f);
            const float dy = (static_cast<float>(y) - height / 2.0f) / (height / 2.0f);
            const float vignette = 1.0f - 0.35f * (dx * dx + dy * dy) / 2.0f;
            image.Set(x, y, static_cast<int>((10 + 16 * t) * vignette),
                      static_cast<int>((12 + 10 * t) * vignette), static_cast<int>((30 + 26 * t) * vignette));
        }
    }
    // Far blocks first: small, dim and slow; near ones large and bright, each with the streak of its fall.
    for (int layer = 0; layer < 3; ++layer) {
        for (int i = 0; i < blocks; ++i) {
            if (static_cast<int>(Noise(i, 1, 40) * 3.0f) != layer) {
                continue;
            }
            const int size = 12 + layer * 12 + static_cast<int>(Noise(i, 2, 41) * 8.0f);
            const int left = static_cast<int>(Noise(i, 3, 42) * static_cast<float>(width + size)) - size;
            const int top = static_cast<int>(Noise(i, 4, 43) * static_cast<float>(height + size)) - size;
            const float* colour = kPalette[static_cast<int>(Noise(i, 5, 44) * 7.0f)];
            const float shade = (0.35f + 0.3f * static_cast<float>(layer)) * light;
            const int streak = size * (2 + layer);
            for (int y = 1; y <= streak; ++y) {
                const float fade = 0.35f * (1.0f - static_cast<float>(y) / static_cast<float>(streak));
                for (int x = 2; x < size - 2; ++x) {
                    Blend(image, left + x, top - y, colour[0] * shade, colour[1] * shade, colour[2] * shade,
                          fade * fade * 1.5f);
                }
            }
            DrawBlock(image, left, top, size, colour, shade, 1.0f, i);
        }
    }
    return image;
}

// FALLWARD in wide block letters of its own (the title is a picture of blocks, not text), every cell a
// block, on a dark band, with a strip of the tile colours under it. `wordTop` is the letters' top.
void DrawTitle(Image& image, int cell, int wordTop) {
    static const char* const kTitle[8][5] = {
        {"####", "#...", "###.", "#...", "#..."},      {".##.", "#..#", "####", "#..#", "#..#"},
        {"#...", "#...", "#...", "#...", "####"},      {"#...", "#...", "#...", "#...", "####"},
        {"#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}, {".##.", "#..#", "####", "#..#", "#..#"},
        {"###.", "#..#", "###.", "#.#.", "#..#"},      {"###.", "#..#", "#..#", "#..#", "###."},
    };
    const int gap = cell * 9 / 16;
    int wordWidth = -gap;
    for (const auto& letter : kTitle) {
        wordWidth += static_cast<int>(std::string(letter[0]).size()) * cell + gap;
    }
    const int wordLeft = (image.width - wordWidth) / 2;
    const int margin = cell * 7 / 4;
    const int bandTop = wordTop - margin;
    const int bandBottom = wordTop + 5 * cell + margin + cell;
    // A dark band steadies the letters against the busy sky.
    for (int y = bandTop; y < bandBottom; ++y) {
        const float edge = static_cast<float>(std::min(y - bandTop, bandBottom - 1 - y)) / 14.0f;
        for (int x = 0; x < image.width; ++x) {
            Blend(image, x, y, 6, 8, 18, 0.72f * std::min(edge, 1.0f));
        }
    }
    const float face[3] = {232, 238, 252};
    const int shadow = std::max(2, cell * 5 / 16);
    for (int pass = 0; pass < 2; ++pass) {
        int letterLeft = wordLeft;
        for (int l = 0; l < 8; ++l) {
            const int columns = static_cast<int>(std::string(kTitle[l][0]).size());
            for (int row = 0; row < 5; ++row) {
                for (int column = 0; column < columns; ++column) {
                    if (kTitle[l][row][column] != '#') {
                        continue;
                    }
                    const int x = letterLeft + column * cell;
                    const int y = wordTop + row * cell;
                    if (pass == 0) {
                        // The shadow the letters cast on the band.
                        for (int sy = 0; sy < cell; ++sy) {
                            for (int sx = 0; sx < cell; ++sx) {
                                Blend(image, x + shadow + sx, y + shadow + sy, 0, 0, 0, 0.6f);
                            }
                        }
                    } else {
                        DrawBlock(image, x, y, cell, face, 1.0f, 1.0f, 100 + l);
                    }
                }
            }
            letterLeft += columns * cell + gap;
        }
    }
    const int stripTop = wordTop + 5 * cell + cell;
    const int block = cell * 22 / 16;
    const int step = cell * 26 / 16;
    for (int i = 0; i < 7; ++i) {
        DrawBlock(image, image.width / 2 - 7 * step / 2 + i * step + 2, stripTop, block, kPalette[i], 1.0f, 1.0f,
                  200 + i);
    }
}

// The splash picture: the game's name in large block letters over the falling blocks, 800 x 600
// and cropped to the window's shape, so the name sits in the middle band that every crop from
// 16:9 to 1:1 keeps.
Image Splash() {
    const int width = 800;
    const int height = 600;
    Image image = FallingBlocks(width, height, 90, 1.0f);
    DrawTitle(image, 16, (height - 5 * 16) / 2 - 14);
    return image;
}

// The menus' backdrop, 800 x 600 and cropped to the window's shape: a dimmer sky and the name small
// at the top, low enough that a 16:9 crop keeps it. Each menu draws its own panel round its buttons.
Image MenuBackdrop() {
    const int width = 800;
    const int height = 600;
    Image image = FallingBlocks(width, height, 70, 0.55f);
    DrawTitle(image, 10, 80);
    return image;
}

// A unit box centred on the origin in the text ".x" format: 4 vertices a face, normals, coordinates.
bool WriteBox(const std::string& path) {
    static const float kFaces[6][3][3] = {
        {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},  {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},
        {{-1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    };
    static const float kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    std::ofstream out(path);
    out << "xof 0303txt 0032\n\nMesh TexturedBox {\n  24;\n";
    std::string normals;
    std::string coords;
    for (int f = 0; f < 6; ++f) {
        for (int c = 0; c < 4; ++c) {
            char line[128];
            float p[3];
            for (int axis = 0; axis < 3; ++axis) {
                p[axis] = 0.5f * kFaces[f][0][axis] + (kCorners[c][0] - 0.5f) * kFaces[f][1][axis] +
                          (kCorners[c][1] - 0.5f) * kFaces[f][2][axis];
            }
            const char* end = (f == 5 && c == 3) ? ";;\n" : ";,\n";
            std::snprintf(line, sizeof(line), "  %.1f;%.1f;%.1f%s", p[0], p[1], p[2], end);
            out << line;
            std::snprintf(line, sizeof(line), "    %.1f;%.1f;%.1f%s", kFaces[f][0][0], kFaces[f][0][1],
                          kFaces[f][0][2], end);
            normals += line;
            std::snprintf(line, sizeof(line), "    %.1f;%.1f%s", kCorners[c][0], kCorners[c][1], end);
            coords += line;
        }
    }
    std::string faces;
    for (int f = 0; f < 6; ++f) {
        const int b = f * 4;
        char line[96];
        std::snprintf(line, sizeof(line), "  3;%d,%d,%d;,\n  3;%d,%d,%d;%s", b, b + 1, b + 2, b, b + 2, b + 3,
                      f == 5 ? ";\n" : ",\n");
        faces += line;
    }
    out << "  12;\n" << faces;
    std::string normalFaces = faces;
    out << "  MeshNormals {\n    24;\n" << normals << "    12;\n" << normalFaces << "  }\n";
    out << "  MeshTextureCoords {\n    24;\n" << coords << "  }\n}\n";
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: GraphicsAssetGen RESOURCES_DIR\n");
        return 2;
    }
    const std::string root = std::string(argv[1]) + "/";
    bool ok = true;
    ok &= Tile(64, 0.85f, 0.85f, 0.9f, 1).Write(root + "Textures/tile1.png");
    ok &= TileNormal(64).Write(root + "Textures/tilenormal.png");
    ok &= BlockPatterns().Write(root + "Textures/blockpatterns.png");
    ok &= Crate(64).Write(root + "Textures/boxtex.png");
    ok &= TileNormal(64).Write(root + "Textures/boxnormal.png");
    ok &= Spot(32, 1.5f).Write(root + "Textures/splashparticle.png");
    ok &= Spot(16, 0.7f).Write(root + "Textures/dust.png");
    ok &= ButtonPlate(false).Write(root + "Textures/button.png");
    ok &= ButtonPlate(true).Write(root + "Textures/buttonhover.png");
    ok &= Splash().Write(root + "Textures/kvsplash.png");
    ok &= MenuBackdrop().Write(root + "Textures/menuback.png");
    ok &= Font().Write(root + "Fonts/zolfont.png");
    ok &= WriteFontMetrics(root + "Fonts/zolfont.metrics");
    ok &= WriteBox(root + "Meshes/TexturedBox.x");
    return ok ? 0 : 1;
}
