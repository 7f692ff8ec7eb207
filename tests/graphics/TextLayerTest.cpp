// Text wrapping, metrics, the glyph map and the life of text lines.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>
#include <string>

#include "graphics/TextLayer.h"
#include "support/TestPaths.h"

namespace {

using Graphics::TextLayer;

// Metrics the cases can count with: every glyph 10 units but A (7) and B (5), and A before B
// kerned a unit closer.
Graphics::FontMetrics CountableMetrics() {
    std::vector<std::string> problems;
    return Graphics::FontMetrics::Parse("advance 65 7\nadvance 66 5\nkern 65 66 -1\n", problems);
}

class TextMeasured : public ::testing::Test {
protected:
    void SetUp() override { Graphics::FontMetrics::Use(CountableMetrics()); }
    void TearDown() override { Graphics::FontMetrics::Use(Graphics::FontMetrics()); }
};

TEST_F(TextMeasured, WordsFillLinesOfTheMeasuredWidthAndALongWordKeepsWhole) {
    using Lines = std::vector<std::string>;
    const struct {
        const char* text;
        float width;
        Lines lines;
    } kCases[] = {
        {"aa bb cc", 50.0f, {"aa bb", "cc"}},
        {"  spaced \t out\n\nwords  ", 1000.0f, {"spaced out words"}},
        {"abcdefghij", 50.0f, {"abcdefghij"}},  // no empty line before a word wider than the line
        {"ab abcdefghij cd", 50.0f, {"ab", "abcdefghij", "cd"}},
        {"ab cd ef gh", 0.0f, {"ab cd ef gh"}},  // no width: never wraps
        {"", 50.0f, {}},
    };
    for (const auto& c : kCases) {
        EXPECT_EQ(Graphics::TextMeasure::WrapLines(c.text, c.width, 1.0f), c.lines) << c.text;
    }
    EXPECT_FLOAT_EQ(Graphics::TextMeasure::Width("AB", 2.0f), 2.0f * (7.0f - 1.0f + 5.0f));
}

TEST_F(TextMeasured, EachGlyphMovesThePenByItsOwnAdvanceAndHighlightLowersAndFades) {
    TextLayer layer;
    Graphics::Text line(10, 20, 300, 1.0f);
    line.text = "ABA";
    auto glyphs = layer.LayOutLine(line);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_FLOAT_EQ(glyphs[0].x, 10.0f);
    EXPECT_FLOAT_EQ(glyphs[1].x, 16.0f) << "A's 7 less the kerning's 1";
    EXPECT_FLOAT_EQ(glyphs[2].x, 21.0f) << "B's 5, no kerning from B to A";
    EXPECT_FLOAT_EQ(glyphs[0].y, 20.0f);
    EXPECT_EQ(glyphs[0].alpha, 255);

    line.highlight = 0.0f;
    glyphs = layer.LayOutLine(line);
    EXPECT_FLOAT_EQ(glyphs[0].y, 27.0f);
    EXPECT_EQ(glyphs[0].alpha, 127);

    // A second line starts a line lower at the line's left edge.
    line.highlight = 1.0f;
    line.width = 20;
    line.text = "AB CD";
    glyphs = layer.LayOutLine(line);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_FLOAT_EQ(glyphs[2].x, 10.0f);
    EXPECT_FLOAT_EQ(glyphs[2].y, std::round(20.0f + Graphics::TextMeasure::LineHeight(1.0f)));
}

TEST(FontMetricsFile, AHostileFileIsReportedAndWhatItLacksKeepsTheDefault) {
    const struct {
        const char* name;
        const char* text;
        const char* said;
        float advanceOfA;
    } kCases[] = {
        {"truncated mid-line", "advance 65 7.5\nadvance 66", "line 2", 7.5f},
        {"an absurd advance", "advance 65 1e30", "0 to 20 units", 10.0f},
        {"a negative advance", "advance 65 -3", "0 to 20 units", 10.0f},
        {"not a number", "advance 65 nan", "0 to 20 units", 10.0f},
        {"a code past a byte", "advance 300 5", "character code", 10.0f},
        {"an absurd kerning", "advance 65 6\nkern 65 66 -90", "kerning", 6.0f},
        {"trailing words", "advance 65 6 and more", "line 1", 10.0f},
        {"another kind of line", "<html>", "neither", 10.0f},
        {"empty", "", "no advance for A", 10.0f},
    };
    for (const auto& c : kCases) {
        std::vector<std::string> problems;
        const Graphics::FontMetrics metrics = Graphics::FontMetrics::Parse(c.text, problems);
        std::string all;
        for (const std::string& p : problems) {
            all += p + "; ";
        }
        EXPECT_NE(all.find(c.said), std::string::npos) << c.name << ": " << all;
        EXPECT_FLOAT_EQ(metrics.Advance('A'), c.advanceOfA) << c.name;
        EXPECT_FLOAT_EQ(metrics.Kerning('A', 'B'), 0.0f) << c.name;
    }
}

TEST(FontMetricsFile, TheGamesFileGivesEveryGlyphAProportionalAdvance) {
    std::vector<std::string> problems;
    std::ifstream in(std::string(FALLWARD_RESOURCES) + "/Fonts/zolfont.metrics");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const Graphics::FontMetrics metrics = Graphics::FontMetrics::Parse(text, problems);
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_LT(metrics.Advance('i'), 0.6f * metrics.Advance('W')) << "a proportional face";
    EXPECT_GT(metrics.Advance(' '), 0.0f);
}

TEST(TextFont, TheGlyphMapFollowsTheTenByTenGrid) {
    EXPECT_EQ(std::strlen(TextLayer::kGlyphs), 87u);
    TextLayer layer;
    auto same = [](Graphics::GlyphRect r, int left, int top) {
        return r.left == left && r.top == top && r.right == left + 10 && r.bottom == top + 10;
    };
    EXPECT_TRUE(same(layer.Glyph('A'), 0, 0));
    EXPECT_TRUE(same(layer.Glyph('K'), 0, 10));
    EXPECT_TRUE(same(layer.Glyph('0'), 60, 20));
    EXPECT_TRUE(same(layer.Glyph('_'), 90, 50));
    EXPECT_TRUE(same(layer.Glyph('z'), 50, 80));
    EXPECT_TRUE(same(layer.Glyph(' '), 90, 90));
    const Graphics::GlyphRect unknown = layer.Glyph('~');
    EXPECT_EQ(unknown.right - unknown.left, 0);
}

// The font image: ten cells a side, fine enough for real letter shapes; every glyph has ink well
// inside its own cell and none on the cell's rim, where a neighbour would pick it up.
TEST(TextFont, EveryGlyphHasInkInsideItsOwnCell) {
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load((std::string(FALLWARD_RESOURCES) + "/Fonts/zolfont.png").c_str(), &width,
                                &height, &channels, 4);
    ASSERT_NE(pixels, nullptr);
    ASSERT_EQ(width, height);
    ASSERT_EQ(width % 10, 0);
    const int cell = width / 10;
    EXPECT_GE(cell, 12) << "too coarse for glyphs of at least 8 x 12 texels";
    const std::size_t count = std::strlen(TextLayer::kGlyphs);
    for (std::size_t i = 0; i < 100; ++i) {
        int ink = 0;
        int rim = 0;
        for (int y = 0; y < cell; ++y) {
            for (int x = 0; x < cell; ++x) {
                const int px = cell * static_cast<int>(i % 10) + x;
                const int py = cell * static_cast<int>(i / 10) + y;
                const int alpha = pixels[(py * width + px) * 4 + 3];
                ink += alpha > 127;
                rim += alpha > 0 && (x == 0 || y == 0 || x == cell - 1 || y == cell - 1);
            }
        }
        const bool drawn = i + 1 < count;  // the space and the cells after the glyph string stay clear
        const char c = i < count ? TextLayer::kGlyphs[i] : '~';
        EXPECT_EQ(ink > 0, drawn) << "cell " << i << " '" << c << "'";
        EXPECT_EQ(rim, 0) << "ink on the rim of cell " << i << " '" << c << "'";
    }
    stbi_image_free(pixels);
}

TEST(TextLines, NewLinesShowAPlaceholderAndEmptyLinesLeaveForGood) {
    TextLayer layer;
    Graphics::Text* kept = layer.CreateText(0, 0, 300, 1.0f);
    Graphics::Text* dropped = layer.CreateText(0, 20, 300, 1.0f);
    EXPECT_EQ(kept->text, "[put text here]");
    EXPECT_FLOAT_EQ(kept->highlight, 1.0f);
    dropped->text = "";
    kept->text = " ";
    layer.LayOut();
    ASSERT_EQ(layer.GetLines().size(), 1u);
    EXPECT_EQ(layer.GetLines()[0], kept) << "a blank line stays";
    dropped->text = "back again?";
    EXPECT_TRUE(layer.LayOut().empty()) << "a line of white space has no words to draw";
    EXPECT_EQ(layer.GetLines().size(), 1u);
}

TEST(TextPanels, LinesOfOnePanelStackInOneBoxThatMovesOffTheKeepOutArea) {
    TextLayer layer;
    Graphics::Text* notice = layer.CreateText(20, 300, 780, 1.0f);  // made first, placed lower
    Graphics::Text* tutorial = layer.CreateText(20, 60, 780, 1.0f);
    Graphics::Text* loose = layer.CreateText(20, 500, 780, 1.0f);
    notice->text = "Waiting";
    tutorial->text = "Phase";
    loose->text = "Time";
    notice->panel = tutorial->panel = 1;
    layer.LayOut();
    ASSERT_EQ(layer.GetPanels().size(), 1u) << "one box for the two lines, none for the loose one";
    // Glyphs 10 pixels high with a 5-pixel gap and padding: the notice moved up under the tutorial.
    const Graphics::ScreenRect box = layer.GetPanels()[0].rect;
    EXPECT_FLOAT_EQ(box.top, 55.0f);
    EXPECT_FLOAT_EQ(box.bottom, 90.0f);

    const struct {
        Graphics::ScreenRect keepOut;
        float top;  // where the box stands then
    } cases[] = {
        {{0.0f, 0.0f, 0.0f, 0.0f}, 55.0f},        // nothing to keep clear of
        {{0.0f, 30.0f, 800.0f, 120.0f}, 125.0f},  // no room above: below, a padding apart
        {{0.0f, 80.0f, 800.0f, 580.0f}, 40.0f},   // no room below: above
    };
    for (const auto& c : cases) {
        layer.KeepPanelsClearOf(c.keepOut, 800, 600);
        layer.LayOut();
        EXPECT_FLOAT_EQ(layer.GetPanels()[0].rect.top, c.top) << c.keepOut.top;
    }

    // Too tall for either side of the area: the letters shrink until the box fits beside it.
    tutorial->text.clear();
    for (int i = 0; i < 130; ++i) {
        tutorial->text += "ab ";
    }
    tutorial->width = 200;
    layer.KeepPanelsClearOf({0.0f, 250.0f, 800.0f, 350.0f}, 800, 600);
    const std::vector<Graphics::PlacedGlyph> glyphs = layer.LayOut();
    EXPECT_FALSE(layer.GetPanels()[0].rect.Overlaps({0.0f, 250.0f, 800.0f, 350.0f}));
    EXPECT_LT(glyphs.back().scale, 1.0f);
}

TEST(TextPanels, APanelKeepsClearOfTheSpotItsWordsNameAndOfThePlayer) {
    TextLayer layer;
    Graphics::Text* tutorial = layer.CreateText(20, 60, 780, 1.0f);
    tutorial->text = "RED below!";
    tutorial->panel = 1;
    const struct {
        Graphics::ScreenRect spot;
        Graphics::ScreenRect player;
        float top;  // where the box stands then (55 to 75 on its own)
    } cases[] = {
        {{}, {}, 55.0f},                                                       // no spot: its own place
        {{300.0f, 500.0f, 400.0f, 560.0f}, {}, 55.0f},                         // a spot elsewhere
        {{100.0f, 40.0f, 300.0f, 100.0f}, {}, 15.0f},                          // just above it, the nearer
        {{100.0f, 10.0f, 300.0f, 100.0f}, {}, 105.0f},                         // no room above: below
        {{100.0f, 10.0f, 300.0f, 100.0f}, {0.0f, 100.0f, 800.0f, 140.0f}, 145.0f},  // below both
        {{0.0f, 0.0f, 800.0f, 290.0f}, {0.0f, 280.0f, 800.0f, 320.0f}, 325.0f},     // past both
    };
    for (const auto& c : cases) {
        std::map<const Graphics::Text*, Graphics::ScreenRect> spots;
        if (c.spot.right > c.spot.left) {
            spots[tutorial] = c.spot;
        }
        layer.KeepPanelsClearOfSpots(spots);
        layer.KeepPanelsClearOf(c.player, 800, 600);
        layer.LayOut();
        EXPECT_FLOAT_EQ(layer.GetPanels()[0].rect.top, c.top) << c.spot.top << ".." << c.spot.bottom;
    }
}

}  // namespace
