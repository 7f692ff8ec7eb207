// The block kinds told apart by their marks alone, as players who see fewer colours see them.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/ScratchData.h"
#include "support/TestDisplay.h"

namespace {

using Matrix = std::array<float, 9>;

// Simulations of the three kinds of dichromacy at full severity, on linear RGB.
struct Dichromacy {
    const char* name;
    Matrix matrix;
};
const Dichromacy kDichromacies[] = {
    {"protanopia", {0.152286f, 1.052583f, -0.204868f, 0.114503f, 0.786281f, 0.099216f, -0.003882f, -0.048116f, 1.051998f}},
    {"deuteranopia", {0.367322f, 0.860646f, -0.227968f, 0.280085f, 0.672501f, 0.047413f, -0.011820f, 0.042940f, 0.968881f}},
    {"tritanopia", {1.255528f, -0.076749f, -0.178779f, -0.078411f, 0.930809f, 0.147602f, 0.004733f, 0.691367f, 0.303900f}},
};

float ToLinear(std::uint8_t value) {
    const float c = static_cast<float>(value) / 255.0f;
    return c <= 0.04045f ? c / 12.92f : std::pow((c + 0.055f) / 1.055f, 2.4f);
}

std::uint8_t ToSrgb(float linear) {
    const float c = std::clamp(linear, 0.0f, 1.0f);
    const float s = c <= 0.0031308f ? c * 12.92f : 1.055f * std::pow(c, 1.0f / 2.4f) - 0.055f;
    return static_cast<std::uint8_t>(std::lround(s * 255.0f));
}

// The picture as the dichromat sees it, in linear RGB.
std::vector<float> Simulate(const std::vector<std::uint8_t>& rgb, const Matrix& m) {
    std::vector<float> seen(rgb.size());
    for (std::size_t at = 0; at < rgb.size(); at += 3) {
        const float r = ToLinear(rgb[at]);
        const float g = ToLinear(rgb[at + 1]);
        const float b = ToLinear(rgb[at + 2]);
        for (int row = 0; row < 3; ++row) {
            seen[at + row] = std::clamp(m[row * 3] * r + m[row * 3 + 1] * g + m[row * 3 + 2] * b, 0.0f, 1.0f);
        }
    }
    return seen;
}

// The front face of each kind in the block picture (BlockKinds: two rows of three, one cell
// apart, above the player), as the 800 x 600 frame shows it.
struct Face {
    const char* kind;
    int centreX;
    int centreY;
};
const Face kFaces[] = {{"red", 305, 203},     {"green", 400, 203},    {"blue", 490, 203},
                       {"magenta", 305, 100}, {"light blue", 400, 100}, {"goal", 494, 100}};
constexpr int kHalfFace = 18;
constexpr int kLayoutCells = 9;  // the face's luminance is compared on a 9 x 9 grid

// How the face's luminance is laid out: its grid of mean luminances, less their mean, over their
// spread. Colour alone, which the dichromat may not see, leaves no layout; nor does the grain of
// a plain face, whose spread is held to at least kLeastSpread so that noise is never blown up.
constexpr float kLeastSpread = 0.03f;
std::vector<float> LuminanceLayout(const std::vector<float>& linear, int width, const Face& face) {
    std::vector<float> cells(kLayoutCells * kLayoutCells, 0.0f);
    const int side = 2 * kHalfFace;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const std::size_t at =
                (static_cast<std::size_t>(face.centreY - kHalfFace + y) * width + face.centreX - kHalfFace + x) * 3;
            const float luminance = 0.2126f * linear[at] + 0.7152f * linear[at + 1] + 0.0722f * linear[at + 2];
            cells[(y * kLayoutCells / side) * kLayoutCells + x * kLayoutCells / side] +=
                luminance * kLayoutCells * kLayoutCells / (side * side);
        }
    }
    float mean = 0.0f;
    for (const float cell : cells) mean += cell / cells.size();
    float spread = 0.0f;
    for (const float cell : cells) spread += (cell - mean) * (cell - mean) / cells.size();
    spread = std::max(std::sqrt(spread), kLeastSpread);
    for (float& cell : cells) cell = (cell - mean) / spread;
    return cells;
}

float LayoutDistance(const std::vector<float>& a, const std::vector<float>& b) {
    float sum = 0.0f;
    for (std::size_t i = 0; i < a.size(); ++i) sum += std::fabs(a[i] - b[i]);
    return sum / a.size();
}

// With FALLWARD_PICTURES naming a folder, the simulated pictures are kept there for a person to see.
void KeepPicture(const std::vector<float>& linear, int width, int height, const std::string& name) {
    const char* folder = std::getenv("FALLWARD_PICTURES");
    if (folder == nullptr) {
        return;
    }
    std::vector<std::uint8_t> srgb(linear.size());
    for (std::size_t i = 0; i < linear.size(); ++i) srgb[i] = ToSrgb(linear[i]);
    stbi_write_png((std::string(folder) + "/blocks-" + name + ".png").c_str(), width, height, 3, srgb.data(),
                   width * 3);
}

TEST(BlockPatternRun, EveryPairOfKindsDiffersInItsMarksForEachKindOfColourBlindness) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to draw on";
    }
    const ZELMTest::ScratchData scratch;
    const std::filesystem::path fixture = std::filesystem::path(ZELMTest::kFixtures) / "graphics/block-kinds";
    std::filesystem::create_directories(scratch.MyLevels() + "Tiles");
    std::filesystem::copy_file(fixture / "BlockKinds.xml", scratch.MyLevels() + "BlockKinds.xml");
    std::filesystem::copy_file(fixture / "Tiles/BlockKinds", scratch.MyLevels() + "Tiles/BlockKinds");
    const std::string shot = scratch.Working() + "/blocks.png";
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--data " + scratch.Working() + " --level my:BlockKinds --fixed-dt 16.6667 --frames 122" +
                              " --screenshot 120:" + shot + " --problems fatal");
    if (run.status == 3 && run.errors.find("No picture to write") != std::string::npos) {
        GTEST_SKIP() << run.errors;
    }
    ASSERT_EQ(run.status, 0) << run.errors;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(shot.c_str(), &width, &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    const std::vector<std::uint8_t> rgb(pixels, pixels + static_cast<std::size_t>(width) * height * 3);
    stbi_image_free(pixels);
    ASSERT_EQ(width, 800);
    ASSERT_EQ(height, 600);
    // The faces are where the picture is laid out to have them: each mostly its own colour.
    const Matrix none = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const std::vector<float> seen = Simulate(rgb, none);
    for (const Face& face : kFaces) {
        const std::size_t at = (static_cast<std::size_t>(face.centreY - kHalfFace + 2) * width + face.centreX) * 3;
        EXPECT_GT(std::max({seen[at], seen[at + 1], seen[at + 2]}), 0.2f) << face.kind << " is not where it was";
    }
    for (const Dichromacy& kind : kDichromacies) {
        const std::vector<float> simulated = Simulate(rgb, kind.matrix);
        KeepPicture(simulated, width, height, kind.name);
        std::vector<std::vector<float>> layouts;
        for (const Face& face : kFaces) layouts.push_back(LuminanceLayout(simulated, width, face));
        for (std::size_t a = 0; a < layouts.size(); ++a) {
            for (std::size_t b = a + 1; b < layouts.size(); ++b) {
                const float distance = LayoutDistance(layouts[a], layouts[b]);
                EXPECT_GT(distance, 0.45f) << kind.name << ": " << kFaces[a].kind << " and " << kFaces[b].kind;
                if (std::getenv("FALLWARD_PICTURES") != nullptr) {
                    std::printf("%s %s/%s %.3f\n", kind.name, kFaces[a].kind, kFaces[b].kind, distance);
                }
            }
        }
    }
}

}  // namespace
