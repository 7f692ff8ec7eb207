// The menu button and the background picture, loaded from level elements into a headless frame.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/InitVisitor.h"
#include "engine/Physical.h"
#include "engine/XmlReader.h"
#include "graphics/Background.h"
#include "graphics/Button.h"
#include "graphics/GraphicsService.h"
#include "logic/screens/PauseMenuLayout.h"
#include "support/GraphicsFrame.h"
#include "support/ProblemCapture.h"
#include "support/WindowStandIn.h"

namespace {

using ZELMTest::WindowStandIn;

// Stands in for the logic service, which runs the entities' places.
class LogicStandIn : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override {
        ZELM::ComponentRegistry::Instance().Register<ZELM::Physical>("Logic", "Physical");
    }
    void Update(float) override {}
};

class MenuGraphics : public ::testing::Test {
protected:
    void SetUp() override {
        services.push_back(std::make_unique<LogicStandIn>());
        services.push_back(std::make_unique<Graphics::GraphicsService>(true));
        services[0]->SetServiceName("Logic");
        services[1]->SetServiceName("Graphics");
        graphics = static_cast<Graphics::GraphicsService*>(services[1].get());
        for (auto& each : services) {
            each->Bind();
            each->Init();
        }
        ZELM::ComponentRegistry::Instance().SetServices(&services);
    }
    void TearDown() override {
        entities.DestroyAllEntities();
        ZELM::ComponentRegistry::Instance().SetServices(nullptr);
    }

    // An entity loaded and initialised from its component elements, as a level file gives them.
    ZELM::EntityHandle Load(const std::string& name, const std::string& components) {
        // The test processes run side by side and name their entities alike: each writes its own file.
        const std::string path = testing::TempDir() + "menu-graphics-" + std::to_string(::getpid()) + "-" + name + ".xml";
        std::ofstream(path) << "<?xml version=\"1.0\" ?>\n<Entity>" << components << "</Entity>\n";
        ZELM::XmlReader reader(path);
        ZELM::EntityHandle entity = entities.Create(name);
        entity.Resolve()->LoadComponents(reader, *reader.GetRoot());
        ZELM::InitVisitor init;
        entity.Resolve()->VisitComponents(init);
        std::filesystem::remove(path);
        return entity;
    }

    // A button entity whose name is also its text.
    Graphics::Button* LoadButton(const std::string& text, float y) {
        const std::string place = "<Component><string>Logic</string><string>Physical</string><y><float>" +
                                  std::to_string(y) + "</float></y></Component>";
        const std::string button =
            "<Component><string>Graphics</string><string>Button</string><Button_Text>"
            "<string>" +
            text + "</string></Button_Text></Component>";
        return dynamic_cast<Graphics::Button*>(Load(text, place + button).Resolve()->GetComponent("Button"));
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            ZELMTest::RunGraphicsFrame(*graphics, 16.0f);
        }
    }

    std::vector<std::unique_ptr<ZELM::Service>> services;
    Graphics::GraphicsService* graphics = nullptr;
    ZELM::EntityController entities;
};

TEST_F(MenuGraphics, TheLabelIsCentredAcrossTheWindowAndScaledToItsHeight) {
    struct Case {
        int width, height;
        float y;
        const char* text;
        int x, top;
        float scale;
        int wrap;
    };
    const Case cases[] = {
        // Half the words' width left of the middle: without the font's metrics every glyph moves
        // the pen a whole cell, 7 x 30 pixels; the top 17 below y = 450 of 600, both scaled by 1.5.
        {1600, 900, 450.7f, "Options", 800 - 105, 700, 3.0f, 1200},
        // An odd width: 399.5 - 4 x 20 / 2, rounded toward zero.
        {799, 600, 150.0f, "Quit", 359, 150 + 17, 2.0f, 800},
    };
    for (const Case& c : cases) {
        WindowStandIn window(c.width, c.height);
        window.Bind();
        Graphics::Button* button = LoadButton(c.text, c.y);
        ASSERT_NE(button, nullptr);
        Frames(1);
        const Graphics::Text* label = button->GetLabel();
        EXPECT_EQ(label->text, c.text) << "from the file";
        EXPECT_EQ(label->x, c.x) << c.width << " x " << c.height;
        EXPECT_EQ(label->y, c.top) << c.width << " x " << c.height;
        EXPECT_FLOAT_EQ(label->scale, c.scale);
        EXPECT_EQ(label->width, c.wrap);
    }
}

// The words' extent of the lines, spaces left out, as the text layer places them.
Graphics::ScreenRect InkOf(Graphics::TextLayer& layer, const std::vector<const Graphics::Text*>& lines) {
    Graphics::ScreenRect ink{1e9f, 1e9f, -1e9f, -1e9f};
    for (const Graphics::Text* line : lines) {
        for (const Graphics::PlacedGlyph& glyph : layer.LayOutLine(*line)) {
            if (glyph.source.left == layer.Glyph(' ').left && glyph.source.top == layer.Glyph(' ').top) {
                continue;
            }
            const float size = Graphics::TextMeasure::GlyphSize(glyph.scale);
            ink = {std::min(ink.left, glyph.x), std::min(ink.top, glyph.y),
                   std::max(ink.right, glyph.x + size), std::max(ink.bottom, glyph.y + size)};
        }
    }
    return ink;
}

TEST_F(MenuGraphics, ThePauseTitleAndItemsAreOneBlockCentredAtEveryResolution) {
    const char* const items[] = {"[how to]",         "[toggle fullscreen]",   "[toggle resolution]",
                                 "[restart level]",  "[return to main menu]", "[return to game]",
                                 "[quit]"};
    ASSERT_EQ(std::size(items), static_cast<std::size_t>(Logic::PauseMenuLayout::kItems));
    for (const auto& [width, height] : {std::pair{800, 600}, std::pair{1024, 768}}) {
        WindowStandIn window(width, height);
        window.Bind();
        std::vector<const Graphics::Text*> block;
        Graphics::Text title(0, 0, 0, 1.0f);
        title.text = "[paused]";
        Logic::PauseMenuLayout::PlaceTitle(title, static_cast<float>(width), static_cast<float>(height));
        block.push_back(&title);
        for (int i = 0; i < Logic::PauseMenuLayout::kItems; ++i) {
            block.push_back(LoadButton(items[i], Logic::PauseMenuLayout::ItemY(i))->GetLabel());
        }
        Frames(1);
        // Within the few pixels that whole-pixel pens and the unscaled drop of dim labels lose.
        const Graphics::ScreenRect ink = InkOf(graphics->GetTextLayer(), block);
        EXPECT_NEAR((ink.left + ink.right) / 2.0f, width / 2.0f, 3.0f) << width << " x " << height;
        EXPECT_NEAR((ink.top + ink.bottom) / 2.0f, height / 2.0f, 3.0f) << width << " x " << height;
        EXPECT_GT(ink.left, 0.0f) << "nothing clipped at the edges";
        EXPECT_LT(ink.right, static_cast<float>(width));
        entities.DestroyAllEntities();
    }
}

TEST_F(MenuGraphics, TheHighlightStepsEveryUpdateAndTheHoverFlagsFollowTheSelection) {
    Graphics::Button* button = LoadButton("Play", 300.0f);
    ZELM::EntityHandle entity = button->GetOwner();
    struct Step {
        bool select;
        int updates;
        float highlight;
        bool hovered, triggered;
    };
    const Step steps[] = {
        {true, 1, 0.096f, true, true},    {true, 1, 0.192f, true, false}, {true, 8, 0.96f, true, false},
        {true, 1, 1.0f, true, false},     {false, 1, 0.904f, false, false}, {false, 10, 0.0f, false, false},
        {true, 1, 0.096f, true, true},    {false, 1, 0.0f, false, true},  // the trigger keeps its value
    };
    // The label is laid out before the step: it shows the highlight of the update before.
    for (const Step& step : steps) {
        entity.Resolve()->Call("Select", step.select);
        for (int i = 0; i < step.updates; ++i) {
            button->Update(16.0f);
        }
        EXPECT_NEAR(button->GetHighlight(), step.highlight, 1e-5f);
        EXPECT_EQ(entity.Resolve()->Call<bool>("IsHovered"), step.hovered);
        EXPECT_EQ(entity.Resolve()->Call<bool>("IsHoverTriggered"), step.triggered);
    }
    button->Update(16.0f);
    EXPECT_FLOAT_EQ(button->GetLabel()->highlight, 0.0f);
    entity.Resolve()->Call("Select", true);
    button->Update(16.0f);
    button->Update(16.0f);
    EXPECT_FLOAT_EQ(button->GetLabel()->highlight, 0.096f) << "the label lags one update behind";
}

TEST_F(MenuGraphics, TheLabelStaysListedEvenEmptiedUntilTheButtonIsDestroyed) {
    Graphics::Button* button = LoadButton("Play", 300.0f);
    Graphics::Text* label = button->GetLabel();
    const std::vector<Graphics::Text*>& lines = graphics->GetTextLayer().GetLines();
    button->GetOwner().Resolve()->Call("SetText", std::string(""));
    Frames(1);
    button->GetOwner().Resolve()->Call("SetText", std::string("Again"));
    Frames(1);
    EXPECT_EQ(label->text, "Again");
    EXPECT_NE(std::find(lines.begin(), lines.end(), label), lines.end()) << "emptied, the label stays listed";

    entities.DestroyAllEntities();
    EXPECT_EQ(label->text, "");
    Frames(1);
    EXPECT_EQ(std::find(lines.begin(), lines.end(), label), lines.end()) << "off the screen for good";
}

TEST_F(MenuGraphics, ButtonsAndBackgroundsGetAPlaceAndAHeadlessBackgroundDrawsNothingSilently) {
    ZELMTest::ProblemCapture problems;
    ZELM::EntityHandle screen = Load("Screen",
                                     "<Component><string>Graphics</string><string>Background</string>"
                                     "<Texture><string>nosuchpicture</string></Texture></Component>");
    ZELM::EntityHandle bare =
        Load("Bare", "<Component><string>Graphics</string><string>Button</string></Component>");
    auto* background = dynamic_cast<Graphics::Background*>(screen.Resolve()->GetComponent("Background"));
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->GetTextureName(), "nosuchpicture");
    EXPECT_NE(screen.Resolve()->GetComponent("Physical"), nullptr) << "attached by Init";
    EXPECT_NE(bare.Resolve()->GetComponent("Physical"), nullptr);
    Frames(2);
    screen.Resolve()->Call("Draw");
    EXPECT_EQ(problems.Count(), 0u) << problems.Last().message;
}

}  // namespace
