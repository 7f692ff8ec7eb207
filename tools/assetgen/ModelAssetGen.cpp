// Makes the meshes of the game's characters and props and the textures they wear: the player, its
// gravity sphere, the power-up gem, the block emblem, the little miner, and the gravity zone's field.
#include <stb/stb_image_write.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr float kPi = 3.14159265358979f;

struct Image {
    int width;
    int height;
    std::vector<std::uint8_t> rgba;
    Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w * h * 4), 0) {}
    void Set(int x, int y, float r, float g, float b, float a = 1.0f) {
        std::uint8_t* p = &rgba[static_cast<std::size_t>((y * width + x) * 4)];
        const float channels[4] = {r, g, b, a};
        for (int i = 0; i < 4; ++i) {
            p[i] = static_cast<std::uint8_t>(std::clamp(channels[i], 0.0f, 1.0f) * 255.0f + 0.5f);
        }
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

float Smooth(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// The player's picture, 256 x 128: the left half dresses the body, the right half is its face.
// The body is a warm orange no block has, so the player stands out from every tile colour.
Image PlayerTexture() {
    Image image(256, 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const float v = static_cast<float>(y) / 127.0f;
            const float grain = 0.94f + 0.06f * Noise(x, y, 11);
            // A darker band low on the body reads as a belt whichever way the player turns.
            const float belt = (v > 0.66f && v < 0.76f) ? 0.7f : 1.0f;
            const float shade = (1.05f - 0.2f * v) * grain * belt;
            image.Set(x, y, 1.0f * shade, 0.47f * shade, 0.04f * shade);
        }
        for (int x = 128; x < 256; ++x) {
            // Face coordinates in [-1, 1], y down.
            const float fx = (static_cast<float>(x - 128) + 0.5f) / 64.0f - 1.0f;
            const float fy = (static_cast<float>(y) + 0.5f) / 64.0f - 1.0f;
            // The face is painted on the body's orange, so the whole player reads as one colour.
            const float shade = 1.02f * (0.94f + 0.06f * Noise(x, y, 13));
            float r = 1.0f * shade;
            float g = 0.5f * shade;
            float b = 0.06f * shade;
            for (const float eyeX : {-0.4f, 0.4f}) {
                const float d = std::hypot((fx - eyeX) / 0.17f, (fy + 0.15f) / 0.28f);
                const float eye = 1.0f - Smooth(0.85f, 1.0f, d);
                r = r * (1.0f - eye) + 0.08f * eye;
                g = g * (1.0f - eye) + 0.06f * eye;
                b = b * (1.0f - eye) + 0.12f * eye;
                // A glint keeps the eyes alive in the dark.
                const float glint =
                    1.0f - Smooth(0.6f, 1.0f, std::hypot((fx - eyeX - 0.05f) / 0.06f, (fy + 0.27f) / 0.07f));
                r += glint, g += glint, b += glint;
            }
            // A small smile: a thin arc under the eyes.
            const float arc = std::hypot(fx / 0.35f, (fy - 0.25f) / 0.3f);
            const float smile = (fy > 0.33f) ? 1.0f - Smooth(0.06f, 0.14f, std::fabs(arc - 1.0f)) : 0.0f;
            r = r * (1.0f - smile) + 0.35f * smile;
            g = g * (1.0f - smile) + 0.12f * smile;
            b = b * (1.0f - smile) + 0.1f * smile;
            image.Set(x, y, r, g, b);
        }
    }
    return image;
}

// A gentle pillow normal map: the rim leans outwards, the middle faces straight out.
Image PillowNormal(int size, int seed) {
    Image image(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size) * 2.0f - 1.0f;
            const float v = (static_cast<float>(y) + 0.5f) / static_cast<float>(size) * 2.0f - 1.0f;
            const float nx = 0.35f * u * u * u + 0.04f * (Noise(x, y, seed) - 0.5f);
            const float ny = -0.35f * v * v * v + 0.04f * (Noise(x, y, seed + 1) - 0.5f);
            const float nz = std::sqrt(std::max(0.0f, 1.0f - nx * nx - ny * ny));
            image.Set(x, y, nx * 0.5f + 0.5f, ny * 0.5f + 0.5f, nz * 0.5f + 0.5f);
        }
    }
    return image;
}

// The gravity sphere's skin: soft rings of light, mostly clear, so the level shows through.
Image GravSphereTexture() {
    Image image(128, 128);
    for (int y = 0; y < 128; ++y) {
        for (int x = 0; x < 128; ++x) {
            const float u = static_cast<float>(x) / 128.0f;
            const float v = static_cast<float>(y) / 128.0f;
            const float rings =
                0.5f + 0.5f * std::sin(v * 2.0f * kPi * 6.0f + 0.6f * std::sin(u * 2.0f * kPi * 3.0f));
            const float sparkle = Noise(x, y, 21) > 0.985f ? 0.6f : 0.0f;
            const float light = std::min(1.0f, 0.25f + 0.6f * rings * rings + sparkle);
            image.Set(x, y, 0.55f + 0.45f * light, 0.8f + 0.2f * light, 1.0f, light);
        }
    }
    return image;
}

// The gravity zone's field: chevrons pointing down the texture (toward v = 1), one a tile.
Image GravTexture() {
    Image image(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / 64.0f;
            const float v = (static_cast<float>(y) + 0.5f) / 64.0f;
            const float along = v - 0.5f * std::fabs(u - 0.5f);
            const float chevron = std::fmod(along * 2.0f + 2.0f, 1.0f);
            const float band = Smooth(0.0f, 0.15f, chevron) * (1.0f - Smooth(0.35f, 0.5f, chevron));
            const float light = 0.15f + 0.85f * band;
            image.Set(x, y, 0.35f + 0.3f * light, 0.55f + 0.3f * light, 1.0f, light);
        }
    }
    return image;
}

// The little miner's colours in a 4 x 4 grid of patches (see kMinerPatch).
Image MinerTexture() {
    static const float kColours[16][3] = {
        {0.25f, 0.55f, 0.3f},  {0.95f, 0.75f, 0.6f}, {0.92f, 0.92f, 0.88f}, {0.8f, 0.15f, 0.12f},
        {0.35f, 0.22f, 0.12f}, {0.2f, 0.2f, 0.22f},  {0.85f, 0.7f, 0.2f},   {0.1f, 0.1f, 0.15f},
        {0.5f, 0.5f, 0.5f},    {0.5f, 0.5f, 0.5f},   {0.5f, 0.5f, 0.5f},    {0.5f, 0.5f, 0.5f},
        {0.5f, 0.5f, 0.5f},    {0.5f, 0.5f, 0.5f},   {0.5f, 0.5f, 0.5f},    {0.5f, 0.5f, 0.5f},
    };
    Image image(64, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const float* c = kColours[(y / 16) * 4 + x / 16];
            const float grain = 0.92f + 0.08f * Noise(x, y, 31);
            image.Set(x, y, c[0] * grain, c[1] * grain, c[2] * grain);
        }
    }
    return image;
}

// ---- Meshes ----

struct Vertex {
    float p[3];
    float n[3];
    float uv[2];
};

struct Material {
    const char* name;
    float r, g, b;
    const char* texture;
};

// A rectangle of texture space: u0, v0 to u1, v1.
struct UvRect {
    float u0, v0, u1, v1;
};

class MeshBuilder {
public:
    int Add(const std::array<float, 3>& p, const std::array<float, 3>& n, float u, float v) {
        vertices.push_back({{p[0], p[1], p[2]}, {n[0], n[1], n[2]}, {u, v}});
        return static_cast<int>(vertices.size()) - 1;
    }
    void Triangle(int a, int b, int c, int material) {
        faces.push_back({a, b, c});
        materials.push_back(material);
    }

    // An axis-aligned box with its own vertices on each face; each face shows the whole rectangle.
    void Box(const std::array<float, 3>& centre, const std::array<float, 3>& half, const UvRect& uv,
             int material) {
        // Per face: the outward normal and the directions u and v run along the face.
        static const float kFaces[6][3][3] = {
            {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},  {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},
            {{-1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
            {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
        };
        static const float kCorners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        for (const auto& face : kFaces) {
            int corner[4];
            for (int c = 0; c < 4; ++c) {
                std::array<float, 3> p{};
                for (int axis = 0; axis < 3; ++axis) {
                    p[axis] = centre[axis] +
                              half[axis] * (face[0][axis] + (2.0f * kCorners[c][0] - 1.0f) * face[1][axis] +
                                            (2.0f * kCorners[c][1] - 1.0f) * face[2][axis]);
                }
                corner[c] =
                    Add(p, {face[0][0], face[0][1], face[0][2]}, uv.u0 + (uv.u1 - uv.u0) * kCorners[c][0],
                        uv.v0 + (uv.v1 - uv.v0) * kCorners[c][1]);
            }
            Triangle(corner[0], corner[1], corner[2], material);
            Triangle(corner[0], corner[2], corner[3], material);
        }
    }

    // A flat-shaded triangle: its own three vertices with the face normal.
    void Facet(const std::array<float, 3>& a, const std::array<float, 3>& b, const std::array<float, 3>& c,
               const float uvs[6], int material) {
        const float e1[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        const float e2[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        std::array<float, 3> n = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                  e1[0] * e2[1] - e1[1] * e2[0]};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        // The normal points away from the middle of the mesh, which every facet here faces away from.
        const float centre[3] = {(a[0] + b[0] + c[0]) / 3.0f - middle[0],
                                 (a[1] + b[1] + c[1]) / 3.0f - middle[1],
                                 (a[2] + b[2] + c[2]) / 3.0f - middle[2]};
        const float sign = (n[0] * centre[0] + n[1] * centre[1] + n[2] * centre[2]) < 0.0f ? -1.0f : 1.0f;
        for (float& component : n) {
            component *= sign / length;
        }
        Triangle(Add(a, n, uvs[0], uvs[1]), Add(b, n, uvs[2], uvs[3]), Add(c, n, uvs[4], uvs[5]), material);
    }

    std::vector<Vertex> vertices;
    std::vector<std::array<int, 3>> faces;
    std::vector<int> materials;
    std::array<float, 3> middle = {0.0f, 0.0f, 0.0f};
};

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%.6f",
                  static_cast<double>(value) == 0.0 ? 0.0 : static_cast<double>(value));
    return text;
}

// Writes the mesh in the text ".x" format: positions, faces, normals, texture coordinates and, with
// more than one material or a texture, the material list that splits the faces into subsets.
bool WriteX(const std::string& path, const std::string& name, const MeshBuilder& mesh,
            const std::vector<Material>& materials) {
    std::ofstream out(path);
    const std::size_t count = mesh.vertices.size();
    const std::size_t faces = mesh.faces.size();
    out << "xof 0303txt 0032\n\nMesh " << name << " {\n  " << count << ";\n";
    for (std::size_t i = 0; i < count; ++i) {
        const Vertex& v = mesh.vertices[i];
        out << "  " << Number(v.p[0]) << ";" << Number(v.p[1]) << ";" << Number(v.p[2]) << ";"
            << (i + 1 == count ? ";" : ",") << "\n";
    }
    std::string faceList = "  " + std::to_string(faces) + ";\n";
    for (std::size_t i = 0; i < faces; ++i) {
        const auto& f = mesh.faces[i];
        faceList += "  3;" + std::to_string(f[0]) + "," + std::to_string(f[1]) + "," + std::to_string(f[2]) +
                    ";" + (i + 1 == faces ? ";" : ",") + "\n";
    }
    out << faceList;
    out << "  MeshNormals {\n  " << count << ";\n";
    for (std::size_t i = 0; i < count; ++i) {
        const Vertex& v = mesh.vertices[i];
        out << "  " << Number(v.n[0]) << ";" << Number(v.n[1]) << ";" << Number(v.n[2]) << ";"
            << (i + 1 == count ? ";" : ",") << "\n";
    }
    out << faceList << "  }\n";
    out << "  MeshTextureCoords {\n  " << count << ";\n";
    for (std::size_t i = 0; i < count; ++i) {
        const Vertex& v = mesh.vertices[i];
        out << "  " << Number(v.uv[0]) << ";" << Number(v.uv[1]) << ";" << (i + 1 == count ? ";" : ",")
            << "\n";
    }
    out << "  }\n";
    out << "  MeshMaterialList {\n  " << materials.size() << ";\n  " << faces << ";\n";
    for (std::size_t i = 0; i < faces; ++i) {
        out << "  " << mesh.materials[i] << (i + 1 == faces ? ";" : ",") << "\n";
    }
    for (const Material& material : materials) {
        out << "  Material " << material.name << " {\n   " << Number(material.r) << ";" << Number(material.g)
            << ";" << Number(material.b) << ";1.000000;;\n   8.000000;\n   0.200000;0.200000;0.200000;;\n"
            << "   0.000000;0.000000;0.000000;;\n";
        if (material.texture != nullptr) {
            out << "   TextureFilename {\n    \"" << material.texture << "\";\n   }\n";
        }
        out << "  }\n";
    }
    out << "  }\n}\n";
    return static_cast<bool>(out);
}

// The player: a block with rounded edges (subset 0, the body) and a face plate on the side that
// looks at the camera (subset 1), so which way is up for the player reads at a glance.
bool WritePlayer(const std::string& path) {
    MeshBuilder mesh;
    constexpr float kHalf = 0.5f;
    constexpr float kRound = 0.16f;
    // Across a face: the flat middle in few steps, the rounded rims (beyond 0.68) in more.
    static const float kStops[] = {-1.0f, -0.96f, -0.88f, -0.78f, -0.68f, -0.34f, 0.0f,
                                   0.34f, 0.68f,  0.78f,  0.88f,  0.96f,  1.0f};
    constexpr int kSteps = static_cast<int>(sizeof(kStops) / sizeof(kStops[0])) - 1;
    static const float kFaces[6][3][3] = {
        {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},  {{0, 0, 1}, {-1, 0, 0}, {0, -1, 0}},
        {{-1, 0, 0}, {0, 0, -1}, {0, -1, 0}}, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},    {{0, -1, 0}, {1, 0, 0}, {0, 0, -1}},
    };
    for (const auto& face : kFaces) {
        int grid[kSteps + 1][kSteps + 1];
        for (int j = 0; j <= kSteps; ++j) {
            for (int i = 0; i <= kSteps; ++i) {
                const float s = kStops[i];
                const float t = kStops[j];
                // A point of the cube's face, pulled onto the rounded block around the inner box.
                float cube[3];
                float inner[3];
                float out[3];
                for (int axis = 0; axis < 3; ++axis) {
                    cube[axis] = kHalf * (face[0][axis] + s * face[1][axis] + t * face[2][axis]);
                    inner[axis] = std::clamp(cube[axis], -(kHalf - kRound), kHalf - kRound);
                    out[axis] = cube[axis] - inner[axis];
                }
                const float length = std::sqrt(out[0] * out[0] + out[1] * out[1] + out[2] * out[2]);
                std::array<float, 3> p{};
                std::array<float, 3> n{};
                for (int axis = 0; axis < 3; ++axis) {
                    n[axis] = out[axis] / length;
                    p[axis] = inner[axis] + kRound * n[axis];
                }
                // Body texture: the left half of the picture, the face's column running down it.
                grid[j][i] =
                    mesh.Add(p, n, 0.02f + 0.46f * (s * 0.5f + 0.5f), 0.02f + 0.96f * (t * 0.5f + 0.5f));
            }
        }
        for (int j = 0; j < kSteps; ++j) {
            for (int i = 0; i < kSteps; ++i) {
                mesh.Triangle(grid[j][i], grid[j][i + 1], grid[j + 1][i + 1], 0);
                mesh.Triangle(grid[j][i], grid[j + 1][i + 1], grid[j + 1][i], 0);
            }
        }
    }
    // The face plate stands just proud of the front (the side toward -z), eyes up.
    constexpr float kFront = -kHalf - 0.01f;
    const int a = mesh.Add({-0.36f, 0.36f, kFront}, {0, 0, -1}, 0.5f, 0.0f);
    const int b = mesh.Add({0.36f, 0.36f, kFront}, {0, 0, -1}, 1.0f, 0.0f);
    const int c = mesh.Add({0.36f, -0.3f, kFront}, {0, 0, -1}, 1.0f, 1.0f);
    const int d = mesh.Add({-0.36f, -0.3f, kFront}, {0, 0, -1}, 0.5f, 1.0f);
    mesh.Triangle(a, b, c, 1);
    mesh.Triangle(a, c, d, 1);
    return WriteX(
        path, "Player", mesh,
        {{"Body", 1.0f, 0.47f, 0.04f, "playertex.png"}, {"Face", 1.0f, 0.5f, 0.06f, "playertex.png"}});
}

// A sphere of diameter 1 around the origin, its texture wrapped once around.
bool WriteSphere(const std::string& path) {
    MeshBuilder mesh;
    constexpr int kAround = 32;
    constexpr int kDown = 16;
    for (int j = 0; j <= kDown; ++j) {
        const float polar = kPi * static_cast<float>(j) / kDown;
        for (int i = 0; i <= kAround; ++i) {
            const float azimuth = 2.0f * kPi * static_cast<float>(i) / kAround;
            const std::array<float, 3> n = {std::sin(polar) * std::cos(azimuth), std::cos(polar),
                                            std::sin(polar) * std::sin(azimuth)};
            mesh.Add({0.5f * n[0], 0.5f * n[1], 0.5f * n[2]}, n, static_cast<float>(i) / kAround,
                     static_cast<float>(j) / kDown);
        }
    }
    for (int j = 0; j < kDown; ++j) {
        for (int i = 0; i < kAround; ++i) {
            const int row = j * (kAround + 1);
            const int next = row + kAround + 1;
            if (j != 0) {
                mesh.Triangle(row + i, row + i + 1, next + i + 1, 0);
            }
            if (j != kDown - 1) {
                mesh.Triangle(row + i, next + i + 1, next + i, 0);
            }
        }
    }
    return WriteX(path, "GravitySphere", mesh, {{"Field", 0.7f, 0.85f, 1.0f, "gravspheretex.png"}});
}

// The power-up: a cut gem, a six-sided double point, flat facets so it sparkles as it turns.
bool WritePowerUp(const std::string& path) {
    MeshBuilder mesh;
    constexpr int kSides = 6;
    const std::array<float, 3> top = {0.0f, 0.5f, 0.0f};
    const std::array<float, 3> bottom = {0.0f, -0.5f, 0.0f};
    for (int i = 0; i < kSides; ++i) {
        const float a0 = 2.0f * kPi * static_cast<float>(i) / kSides;
        const float a1 = 2.0f * kPi * static_cast<float>(i + 1) / kSides;
        const std::array<float, 3> p0 = {0.42f * std::cos(a0), 0.12f, 0.42f * std::sin(a0)};
        const std::array<float, 3> p1 = {0.42f * std::cos(a1), 0.12f, 0.42f * std::sin(a1)};
        const float uvTop[6] = {0.5f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f};
        const float uvBottom[6] = {0.5f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
        mesh.Facet(top, p0, p1, uvTop, 0);
        mesh.Facet(bottom, p0, p1, uvBottom, 0);
    }
    return WriteX(path, "PowerUp", mesh, {{"Gem", 1.0f, 0.9f, 0.3f, "boxtex.png"}});
}

// The game's emblem: the letter F in seven blocks, one unit tall.
bool WriteLogo(const std::string& path) {
    MeshBuilder mesh;
    static const char* const kRows[] = {"###", "#..", "##.", "#.."};
    constexpr float kCell = 0.25f;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) {
            if (kRows[row][column] == '#') {
                mesh.Box({(static_cast<float>(column) - 1.0f) * kCell,
                          (1.5f - static_cast<float>(row)) * kCell, 0.0f},
                         {0.115f, 0.115f, 0.115f}, {0.0f, 0.0f, 1.0f, 1.0f}, 0);
            }
        }
    }
    return WriteX(path, "Emblem", mesh, {{"Blocks", 1.0f, 1.0f, 1.0f, "tile1.png"}});
}

// Patch (column, row) of the miner's picture, a little inside its edges.
UvRect MinerPatch(int column, int row) {
    const float u = static_cast<float>(column) * 0.25f;
    const float v = static_cast<float>(row) * 0.25f;
    return {u + 0.03f, v + 0.03f, u + 0.22f, v + 0.22f};
}

// A little miner of blocks, one unit tall, facing the camera (-z): boots, tunic, belt, arms, head,
// beard and a pointed red hood.
bool WriteMiner(const std::string& path) {
    MeshBuilder mesh;
    const UvRect tunic = MinerPatch(0, 0);
    const UvRect skin = MinerPatch(1, 0);
    const UvRect beard = MinerPatch(2, 0);
    const UvRect hood = MinerPatch(3, 0);
    const UvRect boots = MinerPatch(0, 1);
    const UvRect trousers = MinerPatch(1, 1);
    const UvRect buckle = MinerPatch(2, 1);
    const UvRect eyes = MinerPatch(3, 1);
    mesh.Box({-0.1f, -0.44f, 0.0f}, {0.08f, 0.06f, 0.1f}, boots, 0);
    mesh.Box({0.1f, -0.44f, 0.0f}, {0.08f, 0.06f, 0.1f}, boots, 0);
    mesh.Box({0.0f, -0.3f, 0.0f}, {0.18f, 0.08f, 0.1f}, trousers, 0);
    mesh.Box({0.0f, -0.07f, 0.0f}, {0.2f, 0.15f, 0.12f}, tunic, 0);
    mesh.Box({0.0f, -0.18f, -0.005f}, {0.205f, 0.025f, 0.125f}, trousers, 0);
    mesh.Box({0.0f, -0.18f, -0.13f}, {0.035f, 0.03f, 0.01f}, buckle, 0);
    mesh.Box({-0.26f, -0.06f, 0.0f}, {0.06f, 0.13f, 0.07f}, tunic, 0);
    mesh.Box({0.26f, -0.06f, 0.0f}, {0.06f, 0.13f, 0.07f}, tunic, 0);
    mesh.Box({-0.26f, -0.21f, 0.0f}, {0.05f, 0.04f, 0.05f}, skin, 0);
    mesh.Box({0.26f, -0.21f, 0.0f}, {0.05f, 0.04f, 0.05f}, skin, 0);
    mesh.Box({0.0f, 0.18f, 0.0f}, {0.15f, 0.12f, 0.13f}, skin, 0);
    mesh.Box({-0.06f, 0.21f, -0.135f}, {0.025f, 0.025f, 0.01f}, eyes, 0);
    mesh.Box({0.06f, 0.21f, -0.135f}, {0.025f, 0.025f, 0.01f}, eyes, 0);
    mesh.Box({0.0f, 0.06f, -0.1f}, {0.14f, 0.1f, 0.05f}, beard, 0);
    mesh.Box({0.0f, 0.32f, 0.0f}, {0.16f, 0.03f, 0.14f}, hood, 0);
    // The hood's point: four facets up to the tip, leaning back a little.
    mesh.middle = {0.0f, 0.4f, 0.0f};
    const std::array<float, 3> tip = {0.0f, 0.5f, 0.04f};
    const std::array<std::array<float, 3>, 4> base = {
        {{-0.14f, 0.35f, -0.12f}, {0.14f, 0.35f, -0.12f}, {0.14f, 0.35f, 0.12f}, {-0.14f, 0.35f, 0.12f}}};
    for (int i = 0; i < 4; ++i) {
        const float uv[6] = {(hood.u0 + hood.u1) / 2.0f, hood.v0, hood.u0, hood.v1, hood.u1, hood.v1};
        mesh.Facet(tip, base[static_cast<std::size_t>(i)], base[static_cast<std::size_t>((i + 1) % 4)], uv,
                   0);
    }
    return WriteX(path, "Miner", mesh, {{"Miner", 1.0f, 1.0f, 1.0f, "dwarftex.png"}});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ModelAssetGen RESOURCES_DIR\n");
        return 2;
    }
    const std::string root = std::string(argv[1]) + "/";
    bool ok = true;
    ok &= PlayerTexture().Write(root + "Textures/playertex.png");
    ok &= PillowNormal(64, 3).Write(root + "Textures/playernormal.png");
    ok &= GravSphereTexture().Write(root + "Textures/gravspheretex.png");
    ok &= GravTexture().Write(root + "Textures/gravtex.png");
    ok &= PillowNormal(64, 5).Write(root + "Textures/gravnormal.png");
    ok &= MinerTexture().Write(root + "Textures/dwarftex.png");
    ok &= WritePlayer(root + "Meshes/player.X");
    ok &= WriteSphere(root + "Meshes/gsphere.x");
    ok &= WritePowerUp(root + "Meshes/powerup.x");
    ok &= WriteLogo(root + "Meshes/logo.x");
    ok &= WriteMiner(root + "Meshes/Dwarf.x");
    return ok ? 0 : 1;
}
