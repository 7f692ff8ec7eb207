// Makes the game's textures, bitmap font and box mesh: every picture and mesh the renderer reads.
#include <stb/stb_image_write.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
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

// Our 3 x 5 letter shapes, row by row ('#' set), in the order of the font's glyph string.
const char* const kShapes[] = {
    ".#.#.#####.##.#", "##.#.###.#.###.", ".###..#..#...##", "##.#.##.##.###.", "####..##.#..###",
    "####..##.#..#..", ".###..#.##.#.##", "#.##.#####.##.#", "###.#..#..#.###", "..#..#..##.#.#.",
    "#.##.###.#.##.#", "#..#..#..#..###", "#.########.##.#", "##.#.##.##.##.#", ".#.#.##.##.#.#.",
    "##.#.###.#..#..", ".#.#.##.###..##", "##.#.###.#.##.#", ".###...#...###.", "###.#..#..#..#.",
    "#.##.##.##.####", "#.##.##.##.#.#.", "#.##.########.#", "#.##.#.#.#.##.#", "#.##.#.#..#..#.",
    "###..#.#.#..###", "####.##.##.####", ".#.##..#..#.###", "##...#.#.#..###", "##...#.#...###.",
    "#.##.####..#..#", "####..##...###.", ".###..####.####", "###..#.#..#..#.", "####.#####.####",
    "####.####..###.", ".............#.", "....#.....#....", "##...#.#.....#.", ".#..#..#.....#.",
    "..........#.#..", ".#..#..........", "#.#####.#####.#", "####.#####...##", ".####..#..####.",
    "#.#..#.#.#..#.#", ".#.#.#.........", ".#.#.#.#.#.#.##", "#.#.#.#.#......", "..#.#..#..#...#",
    "#...#..#..#.#..", ".##.#..#..#..##", "##..#..#..#.##.", "......###......", "....#.###.#....",
    "..#..#.#.#..#..", "...###...###...", "..#.#.#...#...#", "#...#...#.#.#..", "............###",
};

// Bit (column, row) of a shape.
bool ShapeBit(const char* shape, int column, int row) {
    return shape[row * 3 + column] == '#';
}

Image Font() {
    const std::string glyphs =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.:?!,'#@$%^&*()[]-+/=<>_abcdefghijklmnopqrstuvwxyz ";
    Image image(100, 100);
    for (std::size_t i = 0; i + 1 < glyphs.size(); ++i) {
        const bool lower = i >= 60;
        const char* shape = kShapes[lower ? i - 60 : i];
        const int cellX = 10 * static_cast<int>(i % 10);
        const int cellY = 10 * static_cast<int>(i / 10);
        // Capitals fill the cell's height; small letters are the same shapes, seven pixels tall.
        const int top = lower ? 3 : 0;
        const int rows = lower ? 7 : 10;
        for (int y = 0; y < rows; ++y) {
            for (int x = 0; x < 6; ++x) {
                if (ShapeBit(shape, x / 2, y * 5 / rows)) {
                    image.Set(cellX + 2 + x, cellY + top + y, 255, 255, 255);
                }
            }
        }
    }
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
    ok &= Tile(64, 0.75f, 0.6f, 0.4f, 2).Write(root + "Textures/boxtex.png");
    ok &= TileNormal(64).Write(root + "Textures/boxnormal.png");
    ok &= Spot(32, 1.5f).Write(root + "Textures/splashparticle.png");
    ok &= Spot(16, 0.7f).Write(root + "Textures/dust.png");
    ok &= Font().Write(root + "Fonts/zolfont.png");
    ok &= WriteBox(root + "Meshes/TexturedBox.x");
    return ok ? 0 : 1;
}
