// Text wrapping, metrics, the glyph map and the life of text lines.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstring>
#include <map>
#include <string>

#include "graphics/TextLayer.h"
#include "support/TestPaths.h"

namespace {

using Graphics::TextLayer;

TEST(TextWrap, WordsFillLinesOfTheGivenLength) {
    EXPECT_EQ(TextLayer::Wrap("hello world", 22), "hello world ");
    EXPECT_EQ(TextLayer::Wrap("  spaced \t out\n\nwords  ", 22), "spaced out words ")
        << "runs of white space";
    EXPECT_EQ(TextLayer::Wrap("aa bb cc", 6), "aa bb \ncc ");
    EXPECT_EQ(TextLayer::Wrap("a\nb", 22), "a b ") << "written line breaks are not kept";
    EXPECT_EQ(TextLayer::Wrap("", 22), "");
}

TEST(TextWrap, LongWordsKeepWholeAndNarrowWidthsBreakEveryWord) {
    EXPECT_EQ(TextLayer::Wrap("abcdefghij", 5), "\nabcdefghij ") << "a first word that does not fit";
    EXPECT_EQ(TextLayer::Wrap("ab abcdefghij cd", 5), "ab \nabcdefghij \ncd ");
    EXPECT_EQ(TextLayer::Wrap("ab cd", 0), "\nab \ncd ");
    EXPECT_EQ(TextLayer::Wrap("ab cd ef gh ij kl mn op qr st uv wx yz", -1),
              "ab cd ef gh ij kl mn op qr st uv wx yz ")
        << "a negative count never wraps";
}

TEST(TextMetrics, WidthsGiveTheCharactersPerLine) {
    EXPECT_FLOAT_EQ(12.0f * TextLayer::PenScale(1.0f), 12.8f);
    EXPECT_EQ(TextLayer::CharactersPerLine(300, 1.0f), 22);
    EXPECT_EQ(TextLayer::CharactersPerLine(500, 1.0f), 38);
    EXPECT_EQ(TextLayer::CharactersPerLine(0, 1.0f), -1);
    EXPECT_LT(TextLayer::CharactersPerLine(-50, 1.0f), 0);
    EXPECT_EQ(TextLayer::CharactersPerLine(25, 1.0f), 0) << "below twice the advance";
    EXPECT_EQ(TextLayer::CharactersPerLine(300, 2.0f), 10);
}

TEST(TextLayout, ThePenMovesByWholePixelsAndHighlightLowersAndFades) {
    TextLayer layer;
    Graphics::Text line(10, 20, 300, 1.0f);
    line.text = "ABC";
    auto glyphs = layer.LayOutLine(line);
    ASSERT_EQ(glyphs.size(), 4u) << "three letters and the trailing space";
    EXPECT_FLOAT_EQ(glyphs[0].x, 10.0f);
    EXPECT_FLOAT_EQ(glyphs[1].x, 22.0f);
    EXPECT_FLOAT_EQ(glyphs[2].x, 34.0f);
    EXPECT_FLOAT_EQ(glyphs[0].y, 20.0f);
    EXPECT_EQ(glyphs[0].alpha, 255);

    line.highlight = 0.0f;
    glyphs = layer.LayOutLine(line);
    EXPECT_FLOAT_EQ(glyphs[0].y, 27.0f);
    EXPECT_EQ(glyphs[0].alpha, 127);

    // A second line starts 14 pixels lower at the line's left edge.
    line.highlight = 1.0f;
    line.width = 60;  // three characters a line
    line.text = "AB CD";
    glyphs = layer.LayOutLine(line);
    ASSERT_EQ(glyphs.size(), 6u);
    EXPECT_FLOAT_EQ(glyphs[3].x, 10.0f);
    EXPECT_FLOAT_EQ(glyphs[3].y, 34.0f);

    // Characters the font lacks draw nothing but still move the pen.
    line.width = 300;
    line.text = "A~B";
    glyphs = layer.LayOutLine(line);
    ASSERT_EQ(glyphs.size(), 3u);
    EXPECT_FLOAT_EQ(glyphs[1].x, 34.0f);
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
        layer.KeepPanelsClearOf(c.keepOut, 600);
        layer.LayOut();
        EXPECT_FLOAT_EQ(layer.GetPanels()[0].rect.top, c.top) << c.keepOut.top;
    }

    // Too tall for either side of the area: the letters shrink until the box fits beside it.
    tutorial->text.clear();
    for (int i = 0; i < 130; ++i) {
        tutorial->text += "ab ";
    }
    tutorial->width = 200;
    layer.KeepPanelsClearOf({0.0f, 250.0f, 800.0f, 350.0f}, 600);
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
        layer.KeepPanelsClearOf(c.player, 600);
        layer.LayOut();
        EXPECT_FLOAT_EQ(layer.GetPanels()[0].rect.top, c.top) << c.spot.top << ".." << c.spot.bottom;
    }
}

}  // namespace
