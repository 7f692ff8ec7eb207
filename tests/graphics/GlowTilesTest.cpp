// Where the glow's blur may light the frame: every texel the reach touches is covered, each once.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/GlowTiles.h"

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 150;
constexpr int kReach = 5;

struct Texel {
    int x;
    int y;
    std::uint32_t rgba;  // 0xRRGGBBAA
};

std::vector<std::uint8_t> Picture(const std::vector<Texel>& texels) {
    // Cleared as the glow picture is: opaque black.
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4, 0);
    for (std::size_t i = 3; i < rgba.size(); i += 4) {
        rgba[i] = 255;
    }
    for (const Texel& texel : texels) {
        const std::size_t at =
            (static_cast<std::size_t>(texel.y) * kWidth + static_cast<std::size_t>(texel.x)) * 4;
        for (int channel = 0; channel < 4; ++channel) {
            rgba[at + static_cast<std::size_t>(channel)] =
                static_cast<std::uint8_t>(texel.rgba >> (24 - 8 * channel));
        }
    }
    return rgba;
}

int TimesCovered(const std::vector<Graphics::PixelRect>& rects, int x, int y) {
    int times = 0;
    for (const Graphics::PixelRect& rect : rects) {
        times += x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
    }
    return times;
}

std::vector<Texel> Column(int x, std::uint32_t rgba) {
    std::vector<Texel> texels;
    for (int y = 0; y < kHeight; ++y) {
        texels.push_back({x, y, rgba});
    }
    return texels;
}

std::vector<Texel> Everywhere(std::uint32_t rgba) {
    std::vector<Texel> texels;
    for (int x = 0; x < kWidth; ++x) {
        const std::vector<Texel> column = Column(x, rgba);
        texels.insert(texels.end(), column.begin(), column.end());
    }
    return texels;
}

std::vector<Texel> Joined(std::vector<Texel> a, const std::vector<Texel>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(GlowTiles, CoverEveryTexelInReachOfAGlowOnceAndLittleElse) {
    const struct {
        const char* what;
        std::vector<Texel> texels;
        int largestPercent;  // of the picture the rectangles may cover
    } cases[] = {
        {"nothing drawn", {}, 0},
        {"black glow (grey blocks) and colour without alpha",
         {{10, 10, 0x000000ffu}, {50, 50, 0xff000000u}},
         0},
        {"one texel in the middle", {{100, 75, 0xff000080u}}, 2},
        {"one texel at a corner", {{0, 149, 0x00ff00ffu}}, 1},
        {"two spots and a column",
         Joined({{20, 20, 0x0000ffffu}, {150, 100, 0xffffffffu}}, Column(60, 0x202020ffu)), 25},
        {"everywhere", Everywhere(0x102030ffu), 100},
    };
    for (const auto& test : cases) {
        const std::vector<std::uint8_t> picture = Picture(test.texels);
        Graphics::GlowTiles tiles;
        tiles.Find(picture.data(), kWidth, kHeight, kReach);
        const std::vector<Graphics::PixelRect>& rects = tiles.GetRects();
        int covered = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int times = TimesCovered(rects, x, y);
                // Twice would add the glow twice.
                ASSERT_LE(times, 1) << test.what << " at " << x << ", " << y;
                covered += times;
            }
        }
        for (const Texel& texel : test.texels) {
            const bool glows = (texel.rgba & 0xffffff00u) != 0 && (texel.rgba & 0xffu) != 0;
            for (int dy = -kReach; glows && dy <= kReach; ++dy) {
                for (int dx = -kReach; dx <= kReach; ++dx) {
                    const int x = texel.x + dx;
                    const int y = texel.y + dy;
                    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) {
                        ASSERT_EQ(TimesCovered(rects, x, y), 1) << test.what << " at " << x << ", " << y;
                    }
                }
            }
        }
        EXPECT_LE(covered * 100, test.largestPercent * kWidth * kHeight) << test.what;
    }
}

TEST(GlowTiles, ScaledRectanglesStillMeetWithoutOverlapping) {
    const struct {
        int toWidth;
        int toHeight;
    } screens[] = {{800, 600}, {1366, 768}, {1024, 768}};
    for (const auto& screen : screens) {
        const int fromWidth = screen.toWidth / 4;
        const int fromHeight = screen.toHeight / 4;
        const Graphics::PixelRect left{0, 0, 8, fromHeight};
        const Graphics::PixelRect right{8, 0, fromWidth - 8, fromHeight};
        const Graphics::PixelRect a =
            Graphics::GlowTiles::Scale(left, fromWidth, fromHeight, screen.toWidth, screen.toHeight);
        const Graphics::PixelRect b =
            Graphics::GlowTiles::Scale(right, fromWidth, fromHeight, screen.toWidth, screen.toHeight);
        EXPECT_EQ(a.x, 0);
        EXPECT_EQ(a.x + a.width, b.x) << screen.toWidth;
        EXPECT_EQ(b.x + b.width, screen.toWidth);
        EXPECT_EQ(a.height, screen.toHeight);
    }
}

}  // namespace
