// Renders a level with every block type on a real OpenGL context and checks the picture.
#include <SDL.h>
#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "editor/tweakbar/TweakBar.h"
#include "engine/AssetImpl.h"
#include "engine/AssetManager.h"
#include "engine/Entity.h"
#include "engine/EntityController.h"
#include "engine/LevelMap.h"
#include "engine/PathTable.h"
#include "graphics/Background.h"
#include "graphics/D3DMath.h"
#include "graphics/GraphicsService.h"
#include "graphics/LevelRenderer.h"
#include "graphics/TextureLoader.h"
#include "graphics/gl/Device.h"
#include "graphics/gl/Effect.h"
#include "graphics/gl/Texture.h"
#include "support/GraphicsFrame.h"
#include "support/TestDisplay.h"
#include "windows/WindowHandles.h"
#include "support/TestPaths.h"

namespace {

struct Pixel {
    int r, g, b;
};

class GraphicsRender : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        window = ZELMTest::OpenTestWindow("render test", 800, 600, 0, why);
        if (window == nullptr) {
            GTEST_SKIP() << why;
        }
        Windows::windowHandle = window;
        ZELM::PathTable::Instance().Set("Resources", std::string(FALLWARD_RESOURCES) + "/");
        service = std::make_unique<Graphics::GraphicsService>(false);
        service->SetMessageBox([this](const std::string&, const std::string& text) { fxErrors += text; });
        service->Bind();
        service->Init();
        if (service->GetDevice()->IsNull()) {
            GTEST_SKIP() << "no OpenGL 3.3 core context: " << service->GetDevice()->GetError();
        }
        Graphics::TextureLoader loader;
        for (const char* name : {"tile1", "tilenormal"}) {
            ZELM::AssetManager::Instance().Add(
                name, loader.Load(std::string(FALLWARD_RESOURCES) + "/Textures/" + name + ".png"));
        }
    }

    void TearDown() override {
        ZELM::AssetManager::DestroyInstance();
        service.reset();
        Windows::windowHandle = nullptr;
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ZELM::PathTable::DestroyInstance();
    }

    // Where a world point lands in the picture.
    void Project(const glm::vec3& point, int& x, int& y) const {
        const glm::vec4 clip = Graphics::TransformPoint(point, service->GetViewProj());
        x = static_cast<int>((clip.x / clip.w + 1.0f) * 0.5f * 800.0f);
        y = static_cast<int>((1.0f - clip.y / clip.w) * 0.5f * 600.0f);
    }

    // A "Background" entity showing the picture as the splash ("kvsplash").
    // A white picture and one line of large letters over it.
    Graphics::Text* ShowLineOverWhite(ZELM::EntityController& entities) {
        const std::vector<std::uint8_t> rgba(600 * 200 * 4, 255);
        ShowBackground(entities, 600, 200, rgba);
        Graphics::Text* line = service->AddText();
        *line = Graphics::Text(150, 280, 700, 2.5f);
        line->text = "Watch out";
        return line;
    }

    void ShowBackground(ZELM::EntityController& entities, int width, int height,
                        const std::vector<std::uint8_t>& rgba) {
        Graphics::Texture* picture = Graphics::Texture::FromPixels(width, height, rgba.data()).release();
        ZELM::AssetManager::Instance().Add("kvsplash", new ZELM::AssetImpl<Graphics::Texture*>(
                                                           picture, [](Graphics::Texture*& t) { delete t; }));
        auto* background = new Graphics::Background();
        background->SetTypeName("Background");
        background->SetParentService(service.get());
        entities.Create("Splash").Resolve()->AddComponent(background);
        background->Bind();
        background->AddToService();
    }

    Pixel At(int x, int y) const {
        const std::uint8_t* p = &pixels[static_cast<std::size_t>((y * width + x) * 4)];
        return {p[0], p[1], p[2]};
    }

    void Render() {
        ASSERT_TRUE(service->GetDevice()->ReadBackBuffer(pixels, width, height));
        ASSERT_EQ(width, 800);
        ASSERT_EQ(height, 600);
        // FALLWARD_RENDER_PICTURE=FILE keeps the picture for a person to look at.
        if (const char* keep = std::getenv("FALLWARD_RENDER_PICTURE")) {
            stbi_write_png(keep, width, height, 4, pixels.data(), width * 4);
        }
    }

    SDL_Window* window = nullptr;
    std::unique_ptr<Graphics::GraphicsService> service;
    std::string fxErrors;
    std::vector<std::uint8_t> pixels;
    int width = 0;
    int height = 0;
};

TEST_F(GraphicsRender, BlocksShowInTheirTileColoursBeforeTheWallWithText) {
    ASSERT_TRUE(fxErrors.empty()) << fxErrors;
    ZELM::LevelMap map;
    map.Create(24, 8);
    // One block of each look, every other column of row 3.
    const unsigned char ids[] = {1, 2, 3, 4, 5, 7, 20, 9};
    for (unsigned i = 0; i < 8; ++i) {
        map.SetTileID(3 + 2 * i, 3, ids[i]);
    }
    service->SetLevelDrawingPointer(&map);
    Graphics::Text* line = service->AddText();
    line->x = 20;
    line->y = 20;
    line->text = "HELLO WORLD";
    ZELMTest::RunGraphicsFrame(*service, 16.0f);  // the first frame resets the camera
    service->SetCamTargetX(10.0f);
    service->SetCamTargetY(3.5f);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();

    const std::vector<Graphics::CubeRecord>& blocks = service->GetLevelRenderer().GetCubes().GetBlocks();
    ASSERT_EQ(blocks.size(), 8u);
    std::vector<Pixel> seen;
    for (const Graphics::CubeRecord& block : blocks) {
        int x = 0;
        int y = 0;
        Project({block.x + 0.5f, block.y + 0.5f, block.z}, x, y);
        ASSERT_TRUE(x > 0 && x < 800 && y > 0 && y < 600) << "block " << int(block.tileId) << " out of view";
        seen.push_back(At(x, y));
    }
    auto dominant = [](const Pixel& p, bool r, bool g, bool b) {
        const int low = std::min({r ? 255 : p.r, g ? 255 : p.g, b ? 255 : p.b});
        const int high = std::min({r ? p.r : 255, g ? p.g : 255, b ? p.b : 255});
        return high > low + 20;
    };
    const Pixel grey = seen[0];
    EXPECT_LT(std::abs(grey.r - grey.g) + std::abs(grey.g - grey.b), 20) << "grey block";
    EXPECT_GT(grey.r, 0x50) << "grey blocks are lighter than the cleared background";
    EXPECT_TRUE(dominant(seen[1], true, false, false))
        << "red " << seen[1].r << "," << seen[1].g << "," << seen[1].b;
    EXPECT_TRUE(dominant(seen[2], false, false, true))
        << "blue " << seen[2].r << "," << seen[2].g << "," << seen[2].b;
    EXPECT_TRUE(dominant(seen[3], true, false, true))
        << "magenta " << seen[3].r << "," << seen[3].g << "," << seen[3].b;
    EXPECT_TRUE(dominant(seen[4], false, true, false))
        << "green " << seen[4].r << "," << seen[4].g << "," << seen[4].b;
    EXPECT_TRUE(dominant(seen[5], false, true, true))
        << "cyan " << seen[5].r << "," << seen[5].g << "," << seen[5].b;
    EXPECT_TRUE(dominant(seen[6], true, true, false))
        << "yellow " << seen[6].r << "," << seen[6].g << "," << seen[6].b;
    EXPECT_TRUE(dominant(seen[7], true, false, true))
        << "see-through magenta " << seen[7].r << "," << seen[7].g << "," << seen[7].b;

    // An empty cell shows the dark background wall, not the cleared colour.
    int x = 0;
    int y = 0;
    Project({10.5f, 6.5f, 1.5f}, x, y);
    const Pixel wall = At(x, y);
    EXPECT_LT(wall.r, 0x50) << "wall " << wall.r << "," << wall.g << "," << wall.b;
    EXPECT_LT(std::abs(wall.r - wall.b), 12);

    // The text line: white glyph pixels in its box, none just above it.
    int white = 0;
    for (int ty = 20; ty < 30; ++ty) {
        for (int tx = 20; tx < 20 + 11 * 12; ++tx) {
            const Pixel p = At(tx, ty);
            white += p.r > 240 && p.g > 240 && p.b > 240;
        }
    }
    EXPECT_GT(white, 100);
    EXPECT_LT(At(25, 17).r, 240);
}

// The wall reads the tile picture and its relief from one packed texture: the picture must be the
// one the two textures give, pixel for pixel.
TEST_F(GraphicsRender, TheWallLooksTheSameFromThePackedTileTexture) {
    ZELM::LevelMap map;
    map.Create(24, 8);
    for (unsigned column = 2; column < 20; column += 3) {
        map.SetTileID(column, 3, 1);
    }
    service->SetLevelDrawingPointer(&map);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);  // the first frame resets the camera
    service->SetCamTargetX(10.0f);
    service->SetCamTargetY(3.5f);
    // No time passes between the two pictures: the wall stands still.
    ZELMTest::RunGraphicsFrame(*service, 0.0f);
    Render();
    const std::vector<std::uint8_t> packed = pixels;
    service->GetLevelRenderer().SetTilePacking(false);
    ZELMTest::RunGraphicsFrame(*service, 0.0f);
    Render();
    ASSERT_EQ(pixels.size(), packed.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        differing += pixels[i] != packed[i];
    }
    EXPECT_EQ(differing, 0u);
    // And the wall was drawn: not the cleared black.
    EXPECT_GT(At(400, 300).r + At(400, 300).g + At(400, 300).b, 30);
}

TEST_F(GraphicsRender, MeshesDrawWithTheLevelEffectWhereTheirWorldMatrixPutsThem) {
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Graphics::LevelRenderer& level = service->GetLevelRenderer();
    Graphics::LevelLighting lighting;
    lighting.viewProj = service->GetViewProj();
    lighting.eye = service->GetCamPos();
    const glm::mat4 world = Graphics::Translation(2.0f, 0.0f, 0.0f);
    ASSERT_TRUE(level.BeginMeshDraw(lighting, world, nullptr, nullptr, Graphics::MeshLook::kFlat));
    level.GetBox()->Draw();
    level.EndMeshDraw();
    Render();
    int x = 0;
    int y = 0;
    Project({2.0f, 0.0f, -0.5f}, x, y);
    const Pixel box = At(x, y);
    EXPECT_GT(box.b, box.r + 40) << "the flat blue of a phasing mesh " << box.r << "," << box.g << ","
                                 << box.b;
    Project({-2.0f, 0.0f, -0.5f}, x, y);
    const Pixel elsewhere = At(x, y);
    EXPECT_EQ(elsewhere.r, 0x50) << "nothing drawn where the mesh is not";
}

TEST_F(GraphicsRender, ABackgroundCoversTheWindowCentredAndUnlit) {
    // 100 x 60: a violet left half and a green right half, colours a glow would brighten.
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool left = x < 50;
            rgba.insert(rgba.end(), {std::uint8_t(left ? 100 : 40), std::uint8_t(left ? 50 : 160),
                                     std::uint8_t(left ? 200 : 90), 255});
        }
    }
    ZELM::EntityController entities;
    ShowBackground(entities, 100, 60, rgba);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    entities.DestroyAllEntities();

    // Scaled ten times to 1000 x 600, it fills the 800 x 600 window, its seam at the centre and
    // its sides cut evenly: the window's corners and the seam, and no cleared grey anywhere.
    const int expected[][5] = {{0, 0, 100, 50, 200},   {0, 599, 100, 50, 200},  {390, 300, 100, 50, 200},
                               {410, 300, 40, 160, 90}, {799, 0, 40, 160, 90},  {799, 599, 40, 160, 90}};
    for (const auto& [x, y, r, g, b] : expected) {
        const Pixel p = At(x, y);
        EXPECT_LE(std::abs(p.r - r) + std::abs(p.g - g) + std::abs(p.b - b), 6)
            << x << "," << y << ": " << p.r << "," << p.g << "," << p.b;
    }
}

TEST_F(GraphicsRender, TextOverAWhitePictureKeepsADarkOutline) {
    // A white picture over the middle of the screen: 600 x 200, from (100, 200) to (700, 400).
    const std::vector<std::uint8_t> rgba(600 * 200 * 4, 255);
    ZELM::EntityController entities;
    ShowBackground(entities, 600, 200, rgba);
    Graphics::Text* line = service->AddText();
    line->x = 150;
    line->y = 280;
    line->width = 700;
    line->scale = 2.5f;
    line->text = "Watch out";
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    entities.DestroyAllEntities();

    // The glyphs' white stays, ringed by dark pixels that set it off from the picture.
    int light = 0;
    int dark = 0;
    for (int y = 270; y < 320; ++y) {
        for (int x = 140; x < 450; ++x) {
            const Pixel p = At(x, y);
            light += p.r > 240 && p.g > 240 && p.b > 240;
            dark += p.r < 64 && p.g < 64 && p.b < 64;
        }
    }
    EXPECT_GT(dark, 300) << "outline";
    EXPECT_GT(light, 300) << "the picture and the letters";
    EXPECT_GT(At(120, 290).r, 240) << "the picture beside the line is untouched";
}

TEST_F(GraphicsRender, TextThatMovesLeavesNothingWhereItWas) {
    ZELM::EntityController entities;
    Graphics::Text* line = ShowLineOverWhite(entities);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    line->y = 340;
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    entities.DestroyAllEntities();
    int darkBefore = 0;
    int darkNow = 0;
    for (int x = 140; x < 450; ++x) {
        for (int y = 270; y < 320; ++y) {
            darkBefore += At(x, y).r < 64;
            darkNow += At(x, y + 60).r < 64;
        }
    }
    EXPECT_EQ(darkBefore, 0) << "the line's old place";
    EXPECT_GT(darkNow, 300) << "the line's new place";
}

TEST_F(GraphicsRender, APanelDarkensThePictureBehindItsLinesAndTheMenuDimTheWholeFrame) {
    ZELM::EntityController entities;
    Graphics::Text* line = ShowLineOverWhite(entities);
    line->panel = 1;
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    // The panel reaches half a glyph (12.5 pixels) past the words: (140, 272) is panel, not letter.
    EXPECT_LT(At(140, 272).r, 128) << "behind the panel";
    EXPECT_GT(At(120, 290).r, 240) << "beside the panel the picture is untouched";

    service->SetMenuDim(true);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    entities.DestroyAllEntities();
    EXPECT_LT(At(120, 290).r, 160) << "an open menu dims the whole frame";
}

float ReadValue = 0.5f;
void GetValue(void* value, void*) {
    *static_cast<float*>(value) = ReadValue;
}

TEST_F(GraphicsRender, TweakBarsAreDrawnLastOverTheFrame) {
    TwBar* bar = TwNewBar("Frame Test");
    ASSERT_NE(bar, nullptr) << TwGetLastError();
    ASSERT_NE(TwDefine("'Frame Test' position='500 50' size='200 150' color='200 30 30' alpha=255"), 0)
        << TwGetLastError();
    ASSERT_NE(TwAddVarCB(bar, "Value", TW_TYPE_FLOAT, nullptr, GetValue, nullptr, ""), 0) << TwGetLastError();
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    const Pixel inside = At(600, 150);
    EXPECT_GT(inside.r, inside.g + 60) << "the bar's red " << inside.r << "," << inside.g << "," << inside.b;
    EXPECT_EQ(At(100, 300).r, 0x50) << "the frame around it is untouched";
    TwDeleteBar(bar);
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    EXPECT_EQ(At(600, 150).r, 0x50) << "a deleted bar is gone from the next frame";
}

// Stands in for the game-flow service: column 0 is a phase block.
class PhaseColumn : public ZELM::DynamicBinder {
public:
    PhaseColumn() {
        SetName("Engine");
        Bind("GetTileID", this, &PhaseColumn::GetTileID);
    }
    ~PhaseColumn() override { UnbindAll(); }
    unsigned char GetTileID(unsigned x, unsigned) { return x == 0 ? 3 : 0; }
};

TEST_F(GraphicsRender, ABlueSplashBurstsWhereThePlayerEntersAPhaseBlock) {
    ASSERT_TRUE(fxErrors.empty()) << fxErrors;
    Graphics::TextureLoader loader;
    for (const char* name : {"splashparticle", "dust"}) {
        ZELM::AssetManager::Instance().Add(
            name, loader.Load(std::string(FALLWARD_RESOURCES) + "/Textures/" + name + ".png"));
    }
    PhaseColumn level;
    const glm::vec3 player(0.5f, 0.5f, 0.0f);
    auto bluePixels = [&] {
        int x = 0;
        int y = 0;
        Project(player, x, y);
        int blue = 0;
        for (int py = std::max(y - 50, 0); py < std::min(y + 50, 600); ++py) {
            for (int px = std::max(x - 50, 0); px < std::min(x + 50, 800); ++px) {
                const Pixel p = At(px, py);
                blue += p.b > p.r + 40;
            }
        }
        return blue;
    };
    service->SetP1Light(player + glm::vec3(1.0f, 0.0f, 0.0f));
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    EXPECT_EQ(bluePixels(), 0) << "only grey dust before the splash";

    service->SetP1Light(player);  // into column 0
    ZELMTest::RunGraphicsFrame(*service, 16.0f);
    Render();
    EXPECT_GT(bluePixels(), 40);
}

TEST_F(GraphicsRender, ABrokenEffectIsReportedAndTheGameGoesOn) {
    std::string errors;
    EXPECT_EQ(Graphics::Effect::FromText("@vertex V\nvoid main() { nonsense; }\n@fragment F\nvoid main() {}\n"
                                         "@technique T\npass 0 V F\n",
                                         errors),
              nullptr);
    EXPECT_NE(errors.find("T pass 0"), std::string::npos) << errors;
    std::string good;
    EXPECT_NE(
        Graphics::Effect::FromText("@vertex V\nvoid main() { gl_Position = vec4(0.0); }\n@fragment F\n"
                                   "out vec4 c;\nvoid main() { c = vec4(1.0); }\n@technique T\npass 0 V F\n",
                                   good),
        nullptr)
        << good;
}

}  // namespace
