// Every menu's buttons and every notice, laid out by the text layer at 800 x 600 and 1024 x 768:
// no word and no panel outside the window.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include <tinyxml.h>

#include "engine/ComponentRegistry.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/InitVisitor.h"
#include "engine/Physical.h"
#include "engine/XmlReader.h"
#include "graphics/FontMetrics.h"
#include "graphics/GraphicsService.h"
#include "logic/NotificationComponent.h"
#include "logic/PlayerMovement.h"
#include "logic/TimingComponent.h"
#include "support/GraphicsFrame.h"
#include "support/TestPaths.h"
#include "support/WindowStandIn.h"

namespace {

using ZELMTest::WindowStandIn;

class LogicStandIn : public ZELM::Service {
public:
    void Bind() override {}
    void Init() override { ZELM::ComponentRegistry::Instance().Register<ZELM::Physical>("Logic", "Physical"); }
    void Update(float) override {}
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The texts the level scripts show on the notice line and as instructions.
std::vector<std::string> ScriptTexts() {
    std::vector<std::string> texts;
    const std::regex shown(R"((?:text\s*=\s*|PostSomeText\()\"([^\"]+)\")");
    for (const auto& file : std::filesystem::directory_iterator(std::string(FALLWARD_RESOURCES) + "/Scripts")) {
        const std::string script = ReadFile(file.path().string());
        for (std::sregex_iterator it(script.begin(), script.end(), shown), end; it != end; ++it) {
            texts.push_back((*it)[1].str());
        }
    }
    return texts;
}

class ScreenFit : public ::testing::TestWithParam<std::pair<int, int>> {
protected:
    void SetUp() override {
        Graphics::FontMetrics::Load(std::string(FALLWARD_RESOURCES) + "/Fonts/zolfont.metrics");
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
        window = std::make_unique<WindowStandIn>(GetParam().first, GetParam().second);
        window->Bind();
    }
    void TearDown() override {
        entities.DestroyAllEntities();
        ZELM::ComponentRegistry::Instance().SetServices(nullptr);
        Graphics::FontMetrics::Use(Graphics::FontMetrics());
    }

    // The level's button entities, loaded as the level file gives them.
    void LoadButtons(const std::string& level) {
        TiXmlDocument document;
        std::string refusal;
        const std::string path = std::string(FALLWARD_RESOURCES) + "/Levels/" + level + ".xml";
        ASSERT_TRUE(ZELM::XmlReader::ParseFile(document, path, refusal)) << refusal;
        ZELM::XmlReader reader(path);
        for (const TiXmlElement* entity = document.RootElement()->FirstChildElement("Entity"); entity != nullptr;
             entity = entity->NextSiblingElement("Entity")) {
            const TiXmlElement* kind = entity->FirstChildElement("string")->NextSiblingElement("string");
            if (kind == nullptr || std::string(kind->GetText() ? kind->GetText() : "") != "button") {
                continue;
            }
            ZELM::EntityHandle made = entities.Create(entity->FirstChildElement("string")->GetText());
            made.Resolve()->LoadComponents(reader, *entity);
            ZELM::InitVisitor init;
            made.Resolve()->VisitComponents(init);
        }
    }

    // What lies outside the window after a frame's layout: a word's glyph or a panel, by its words.
    std::vector<std::string> Outside() {
        for (int i = 0; i < 3; ++i) {
            ZELMTest::RunGraphicsFrame(*graphics, 16.0f);
        }
        Graphics::TextLayer& layer = graphics->GetTextLayer();
        const float width = static_cast<float>(GetParam().first);
        const float height = static_cast<float>(GetParam().second);
        std::vector<std::string> outside;
        for (const Graphics::Text* line : layer.GetLines()) {
            for (const Graphics::PlacedGlyph& glyph : layer.LayOutLine(*line)) {
                const float size = Graphics::TextMeasure::GlyphSize(glyph.scale);
                // The left half of a cell holds ink of every glyph but the space.
                if (glyph.x < 0.0f || glyph.x + 0.5f * size > width || glyph.y < 0.0f || glyph.y + size > height) {
                    outside.push_back("\"" + line->text + "\"");
                    break;
                }
            }
        }
        for (const Graphics::TextPanel& panel : layer.GetPanels()) {
            const Graphics::ScreenRect& r = panel.rect;
            if (r.left < 0.0f || r.top < 0.0f || r.right > width || r.bottom > height) {
                outside.push_back("a panel " + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom));
            }
        }
        return outside;
    }

    std::vector<std::unique_ptr<ZELM::Service>> services;
    std::unique_ptr<WindowStandIn> window;
    Graphics::GraphicsService* graphics = nullptr;
    ZELM::EntityController entities;
};

TEST_P(ScreenFit, EveryMenusButtonsStayInsideTheWindow) {
    for (const char* level : {"Menu", "GameMenu", "Options", "Courses", "LevelSelect", "MyLevels", "ImportLevel"}) {
        LoadButtons(level);
        const std::vector<std::string> outside = Outside();
        EXPECT_TRUE(outside.empty()) << level << ": " << ::testing::PrintToString(outside);
        entities.DestroyAllEntities();
    }
}

TEST_P(ScreenFit, TheClockLineAndEveryNoticeStayInsideTheWindow) {
    Logic::TimingComponent clock;
    Graphics::Text* clockLine = graphics->GetTextLayer().GetLines().back();
    Logic::NotificationComponent notice;
    Graphics::Text* noticeLine = graphics->GetTextLayer().GetLines().back();
    Logic::PlayerMovement player;
    Graphics::Text* instructions = graphics->GetTextLayer().GetLines().back();
    // The clock's line at its widest: a best time and the ghost's difference.
    clockLine->text = "Time: 100.233 NEW BEST! +10.512";
    EXPECT_TRUE(Outside().empty()) << ::testing::PrintToString(Outside());
    const std::vector<std::string> texts = ScriptTexts();
    ASSERT_GT(texts.size(), 20u);
    for (const std::string& text : texts) {
        noticeLine->text = text;
        instructions->text = text;
        const std::vector<std::string> outside = Outside();
        EXPECT_TRUE(outside.empty()) << ::testing::PrintToString(outside);
    }
}

INSTANTIATE_TEST_SUITE_P(BothWindows, ScreenFit,
                         ::testing::Values(std::make_pair(800, 600), std::make_pair(1024, 768)));

}  // namespace
