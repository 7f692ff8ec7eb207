// How tiles look and the cube list built around the camera.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine/LevelMap.h"
#include "graphics/BlockMaterials.h"
#include "graphics/CubeList.h"
#include "graphics/PackedTile.h"
#include "support/TestPaths.h"

namespace {

TEST(BlockLook, ColoursRoundEachChannelAndClampIt) {
    const float grey[4] = {0.4f, 0.4f, 0.4f, 1.0f};
    EXPECT_EQ(Graphics::ColourToArgb(grey), 0xff666666u);
    const float wild[4] = {1.5f, -0.2f, 0.5f, 1.0f};
    EXPECT_EQ(Graphics::ColourToArgb(wild), 0xffff0080u);
    const float clear[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    EXPECT_EQ(Graphics::ColourToArgb(clear), 0x00000000u);
}

TEST(BlockLook, EachTileIdHasItsColourAndGlow) {
    EXPECT_EQ(Graphics::BlockColour(1), 0xff666666u);
    for (unsigned char red : {2, 6})
        EXPECT_EQ(Graphics::BlockColour(red), 0xff660000u);
    EXPECT_EQ(Graphics::BlockColour(3), 0xff000066u);
    EXPECT_EQ(Graphics::BlockColour(4), 0xff660066u);
    for (unsigned char arrow : {11, 12, 13, 14})
        EXPECT_EQ(Graphics::BlockColour(arrow), 0x99663300u)
            << "an arrow is see-through and unlike a phase wall";
    EXPECT_EQ(Graphics::BlockColour(5), 0xff006600u);
    EXPECT_EQ(Graphics::BlockColour(7), 0xff006666u);
    EXPECT_EQ(Graphics::BlockColour(20), 0xff666600u);
    for (unsigned char odd : {9, 10, 18, 21, 254}) {
        EXPECT_EQ(Graphics::BlockColour(odd), 0x33ff00ffu) << int(odd);
        EXPECT_EQ(Graphics::GlowMaterial(odd), nullptr) << int(odd) << " does not glow";
    }
    for (unsigned char empty : {0, 8, 15, 16, 17, 18, 19})
        EXPECT_FALSE(Graphics::IsDrawnTile(empty)) << int(empty);

    // Standard blocks glow black; coloured blocks glow in their own colour.
    ASSERT_NE(Graphics::GlowMaterial(1), nullptr);
    EXPECT_EQ(Graphics::GlowMaterial(1)->diffuse[0] + Graphics::GlowMaterial(1)->diffuse[1], 0.0f);
    EXPECT_EQ(Graphics::GlowMaterial(6), &Graphics::BlockMaterials()[1]);
    EXPECT_EQ(Graphics::GlowMaterial(3), &Graphics::BlockMaterials()[2]);
    EXPECT_EQ(Graphics::GlowMaterial(4), &Graphics::BlockMaterials()[4]);
    EXPECT_EQ(Graphics::GlowMaterial(12), &Graphics::BlockMaterials()[11]);
    EXPECT_EQ(Graphics::GlowMaterial(20), &Graphics::BlockMaterials()[6]);
    EXPECT_FLOAT_EQ(Graphics::BlockMaterials()[0].specularPower, 16.0f);
    // A block's glow has the hue of its face: a magenta wall must not shine white.
    for (unsigned char coloured : {2, 3, 4, 5, 6, 7, 11, 20}) {
        const Graphics::Mtrl* glow = Graphics::GlowMaterial(coloured);
        ASSERT_NE(glow, nullptr) << int(coloured);
        for (int channel = 0; channel < 3; ++channel) {
            EXPECT_EQ(glow->ambient[channel] > 0.0f, glow->diffuse[channel] > 0.0f)
                << "tile " << int(coloured) << ", channel " << channel;
        }
    }
}

// Hue in degrees and value of a colour, as a painter would name it.
struct HueAndValue {
    float hue;
    float value;
};

HueAndValue Describe(float r, float g, float b) {
    const float high = std::max({r, g, b});
    const float range = high - std::min({r, g, b});
    float hue = 0.0f;
    if (range > 0.0f) {
        hue = high == r   ? 60.0f * std::fmod((g - b) / range + 6.0f, 6.0f)
              : high == g ? 60.0f * ((b - r) / range + 2.0f)
                          : 60.0f * ((r - g) / range + 4.0f);
    }
    return {hue, high};
}

// A new player must never take the pushable box for the goal: the crate reads as dark wood, far
// from the goal's yellow in hue and much darker.
TEST(BlockLook, TheBoxIsDarkWoodNotTheYellowGoal) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load((std::string(FALLWARD_RESOURCES) + "/Textures/boxtex.png").c_str(), &width,
                                &height, &channels, 3);
    ASSERT_NE(pixels, nullptr);
    float sum[3] = {0.0f, 0.0f, 0.0f};
    for (int i = 0; i < width * height; ++i) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += static_cast<float>(pixels[i * 3 + c]) / 255.0f;
        }
    }
    stbi_image_free(pixels);
    const float count = static_cast<float>(width * height);
    const HueAndValue box = Describe(sum[0] / count, sum[1] / count, sum[2] / count);
    const float* goalColour = Graphics::GlowMaterial(20)->diffuse;
    const HueAndValue goal = Describe(goalColour[0], goalColour[1], goalColour[2]);
    EXPECT_GE(std::fabs(goal.hue - box.hue), 30.0f) << "box hue " << box.hue << ", goal hue " << goal.hue;
    EXPECT_LE(box.value, 0.6f * goal.value) << "box value " << box.value;
}

// The wall reads its picture and relief from one texture only where that loses nothing: the
// picture's red and green alike in every texel, and the two the same size.
TEST(BlockLook, TheTilePictureAndReliefPackIntoOneTextureOnlyWhereRedIsGreen) {
    const std::vector<std::uint8_t> relief = {10, 20, 30, 40, 50, 60, 70, 80};
    struct Case {
        std::vector<std::uint8_t> colour;
        bool packs;
    } cases[] = {
        {{7, 7, 9, 255, 1, 1, 2, 255}, true}, {{7, 7, 9, 255, 1, 2, 2, 255}, false}, {{7, 7, 9, 255}, false}};
    for (const Case& test : cases) {
        std::vector<std::uint8_t> packed = {99};
        EXPECT_EQ(Graphics::PackTile(test.colour, relief, packed), test.packs);
        const std::vector<std::uint8_t> expected = test.packs
                                                       ? std::vector<std::uint8_t>{7, 9, 10, 20, 1, 2, 50, 60}
                                                       : std::vector<std::uint8_t>{99};
        EXPECT_EQ(packed, expected);
    }
}

// Every kind a player must tell apart carries marks of its own; the grey blocks and tiles of no
// kind carry none.
TEST(BlockLook, EachBlockKindCarriesAPatternOfItsOwn) {
    const unsigned char kinds[] = {2, 5, 3, 4, 7, 20};
    std::vector<int> cells;
    for (unsigned char kind : kinds) {
        const int cell = Graphics::BlockPatternCell(kind);
        EXPECT_GT(cell, 0) << int(kind);
        EXPECT_EQ(std::count(cells.begin(), cells.end(), cell), 0) << int(kind) << " shares a pattern";
        cells.push_back(cell);
    }
    EXPECT_EQ(Graphics::BlockPatternCell(6), Graphics::BlockPatternCell(2)) << "both reds send the player back";
    // Marks light on the dark faces and dark on the bright ones: the glow fills a face's own colour.
    for (unsigned char dark : {2, 3, 4})
        EXPECT_LT(Graphics::BlockPatternMark(dark), 0.0f) << int(dark);
    for (unsigned char bright : {5, 7, 20})
        EXPECT_GT(Graphics::BlockPatternMark(bright), 0.0f) << int(bright);
    for (unsigned char plain : {0, 1, 9, 11, 21})
        EXPECT_EQ(Graphics::BlockPatternCell(plain), 0) << int(plain);
}

class CubeListTest : public ::testing::Test {
protected:
    void SetUp() override { map.Create(40, 40); }
    ZELM::LevelMap map;
    Graphics::CubeList cubes;
};

TEST_F(CubeListTest, TheDefaultCameraScansA33By33Window) {
    cubes.Build(16.0f, false, &map, 20.0f, 20.0f, 8.0f, 1.0f);
    EXPECT_EQ(cubes.GetBackground().size(), 33u * 33u);
    EXPECT_TRUE(cubes.GetBlocks().empty());
    const auto [low, high] = std::minmax_element(cubes.GetBackground().begin(), cubes.GetBackground().end(),
                                                 [](const auto& a, const auto& b) { return a.x < b.x; });
    EXPECT_FLOAT_EQ(low->x, 4.0f);
    EXPECT_FLOAT_EQ(high->x, 36.0f);

    // A farther camera widens the window to 0.8 of its distance.
    cubes.Build(16.0f, false, &map, 20.0f, 20.0f, 25.0f, 1.0f);
    EXPECT_EQ(cubes.GetBackground().size(), 43u * 43u);
}

TEST_F(CubeListTest, BlocksStandOneUnitInFrontOfTheirWall) {
    map.SetTileID(20, 20, 5);
    map.SetTileID(21, 20, 9);
    map.SetTileID(22, 20, 16);
    cubes.Build(16.0f, false, &map, 20.0f, 20.0f, 8.0f, 1.0f);
    ASSERT_EQ(cubes.GetBlocks().size(), 2u) << "id 16 leaves its cell empty";
    const Graphics::CubeRecord& green = cubes.GetBlocks()[0];
    EXPECT_EQ(green.tileId, 5);
    EXPECT_FLOAT_EQ(green.x, 20.0f);
    EXPECT_FLOAT_EQ(green.y, 20.0f);
    EXPECT_EQ(cubes.GetBlocks()[1].tileId, 9);
    for (const Graphics::CubeRecord& wall : cubes.GetBackground()) {
        if (wall.x == 20.0f && wall.y == 20.0f) {
            EXPECT_FLOAT_EQ(wall.z - green.z, 1.0f);
            EXPECT_FALSE(wall.animated);
        }
        if (wall.x == 22.0f && wall.y == 20.0f) {
            EXPECT_TRUE(wall.animated);
        }
    }
}

// Every tile id, by what it is: a tile kind added later must be decided in IsDrawnTile, and the
// cube list draws exactly what it answers. An invisible trigger drawn shows a stray column of
// colour in the middle of a corridor.
TEST_F(CubeListTest, EveryTileIdIsDrawnOrNotByItsKind) {
    const struct {
        unsigned first;
        unsigned last;
        bool drawn;
        const char* kind;
    } kTiles[] = {
        {0, 0, false, "empty"},
        {1, 7, true, "grey, red, blue, magenta, checkpoint, red, slippery blocks"},
        {8, 8, false, "clears the instruction line (invisible trigger)"},
        {9, 10, true, "plain solid blocks"},
        {11, 14, true, "see-through gravity arrows"},
        {15, 19, false, "tutorial texts (invisible triggers)"},
        {20, 20, true, "goal"},
        {21, 254, true, "solid ids that mean nothing, shown so no wall is invisible"},
        {255, 255, false, "reads as empty"},
    };
    map.Create(16, 16);
    for (unsigned id = 0; id < 256; ++id) {
        map.SetTileID(id % 16, id / 16, static_cast<unsigned char>(id));
    }
    cubes.Build(16.0f, false, &map, 8.0f, 8.0f, 8.0f, 1.0f);
    std::vector<bool> inList(256, false);
    for (const Graphics::CubeRecord& block : cubes.GetBlocks()) {
        inList[block.tileId] = true;
    }
    for (unsigned id = 0; id < 256; ++id) {
        int rows = 0;
        for (const auto& tile : kTiles) {
            if (id < tile.first || id > tile.last) {
                continue;
            }
            ++rows;
            EXPECT_EQ(Graphics::IsDrawnTile(static_cast<unsigned char>(id)), tile.drawn)
                << id << ": " << tile.kind;
            EXPECT_EQ(inList[id], tile.drawn) << id << ": " << tile.kind;
        }
        EXPECT_EQ(rows, 1) << "tile id " << id << " must be listed once";
    }
}

TEST_F(CubeListTest, TheWallWavesByPointFourAndMoreWithIntensity) {
    auto largestSwing = [&](float intensity) {
        float largest = 0.0f;
        for (int frame = 0; frame < 60; ++frame) {
            cubes.Build(50.0f, false, &map, 20.0f, 20.0f, 8.0f, intensity);
            for (const Graphics::CubeRecord& wall : cubes.GetBackground()) {
                largest = std::max(largest, std::fabs(wall.z - 1.5f));
            }
        }
        return largest;
    };
    const float calm = largestSwing(1.0f);
    EXPECT_LE(calm, 0.4f + 1e-5f);
    EXPECT_GT(calm, 0.39f);
    const float strong = largestSwing(1.2f);
    EXPECT_LE(strong, 0.8f + 1e-5f);
    EXPECT_GT(strong, 0.78f);
}

TEST_F(CubeListTest, PhasingFadesInAndOutOver200Milliseconds) {
    cubes.Build(200.0f, true, &map, 0.0f, 0.0f, 8.0f, 1.0f);
    EXPECT_FLOAT_EQ(cubes.GetPhaseFade(), 1.0f);
    cubes.Build(200.0f, false, &map, 0.0f, 0.0f, 8.0f, 1.0f);
    EXPECT_FLOAT_EQ(cubes.GetPhaseFade(), 0.0f);
    // Not clamped: the last step may pass the end.
    cubes.Build(150.0f, true, &map, 0.0f, 0.0f, 8.0f, 1.0f);
    cubes.Build(150.0f, true, &map, 0.0f, 0.0f, 8.0f, 1.0f);
    EXPECT_FLOAT_EQ(cubes.GetPhaseFade(), 1.5f);
    EXPECT_FLOAT_EQ(cubes.GetLevelTimer(), 700.0f);
}

TEST_F(CubeListTest, NoMapNoCubesAndAFarCameraStopsAtCapacity) {
    cubes.Build(16.0f, false, nullptr, 0.0f, 0.0f, 8.0f, 1.0f);
    EXPECT_TRUE(cubes.GetBackground().empty());
    map.Create(400, 400);
    for (unsigned x = 0; x < 400; ++x) {
        for (unsigned y = 0; y < 400; ++y) {
            map.SetTileID(x, y, 1);
        }
    }
    cubes.Build(16.0f, false, &map, 200.0f, 200.0f, 220.0f, 1.0f);
    EXPECT_EQ(cubes.GetBackground().size(), Graphics::CubeList::kCapacity);
    EXPECT_EQ(cubes.GetBlocks().size(), Graphics::CubeList::kCapacity);
    // Outside the map every cell is empty: only the wall.
    cubes.Build(16.0f, false, &map, -100.0f, -100.0f, 8.0f, 1.0f);
    EXPECT_EQ(cubes.GetBackground().size(), 33u * 33u);
    EXPECT_TRUE(cubes.GetBlocks().empty());
}

}  // namespace
