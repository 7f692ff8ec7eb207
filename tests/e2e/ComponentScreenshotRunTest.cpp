// Runs the game on a level with the player and a crate, and finds each in its colours where the
// camera puts them.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "graphics/Camera.h"
#include "graphics/D3DMath.h"
#include "support/RunFallward.h"
#include "support/TestDisplay.h"
#include "support/TestPaths.h"

namespace {

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
};

std::string Entity(const std::string& name, float x, float y, float size, const std::string& graphic) {
    auto value = [](const char* tag, float v) {
        return std::string("<") + tag + "><float>" + std::to_string(v) + "</float></" + tag + ">";
    };
    return "<Entity><string>" + name + "</string><string>Not Set</string>" +
           "<Component><string>Logic</string><string>Physical</string>" + value("x", x) + value("y", y) +
           value("width", size) + value("height", size) + value("length", size) + "</Component>" +
           "<Component><string>Graphics</string><string>" + graphic + "</string></Component></Entity>";
}

// The average colour of the 5 x 5 pixels around where a world point is drawn by the frame's
// camera (the run turns debug drawing on, so it stays at the origin: eye (0, 1, -8), 80 degrees).
Colour Around(const stbi_uc* rgb, int width, int height, const glm::vec3& point) {
    Graphics::Camera camera;
    camera.SetProjection(1.3962634f, static_cast<float>(width) / static_cast<float>(height));
    camera.distance = -8.0f;
    camera.offsetA = 1.0f;
    camera.Update(0.0f, [](const char*) { return false; });
    const glm::vec4 clip = Graphics::TransformPoint(point, camera.GetViewProj());
    const int cx = static_cast<int>((clip.x / clip.w + 1.0f) * 0.5f * static_cast<float>(width));
    const int cy = static_cast<int>((1.0f - clip.y / clip.w) * 0.5f * static_cast<float>(height));
    Colour sum;
    for (int y = cy - 2; y <= cy + 2; ++y) {
        for (int x = cx - 2; x <= cx + 2; ++x) {
            const stbi_uc* p = rgb + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
            sum.r += p[0], sum.g += p[1], sum.b += p[2];
        }
    }
    return {sum.r / 25, sum.g / 25, sum.b / 25};
}

TEST(ComponentScreenshotRun, ThePlayerIsOrangeAndTheCrateWoodenWhereTheCameraSeesThem) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to draw on";
    }
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("fallward-components-" + std::to_string(::getpid()));
    fs::create_directories(root / "Working");
    fs::create_directories(root / "Levels");
    const std::string resources = std::string(FALLWARD_RESOURCES) + "/";
    std::ofstream(root / "Working" / "manifest.txt")
        << "Resources=" << resources << " Levels=" << (root / "Levels").string() << "/ Scripts=" << resources
        << "Scripts/\n";
    std::ofstream(root / "Levels" / "order.txt") << "Shot\n";
    std::ofstream(root / "Levels" / "Shot.xml")
        << "<?xml version=\"1.0\" ?>\n<Level>" << Entity("Player", -1.5f, 0.0f, 1.2f, "GravityGuyGraphic")
        << Entity("Crate", 1.5f, 0.0f, 1.2f, "Cube") << "</Level>\n";
    const std::string picture = (root / "shot.png").string();
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--data " + (root / "Working").string() +
                              " --frames 6 --fixed-dt 16.6667 --screenshot 4:" + picture + " --problems fatal --exec " +
                              ZELMTest::kFixtures + "/graphics/debug-draw.lua");
    if (run.status == 3 && run.errors.find("No picture to write") != std::string::npos) {
        fs::remove_all(root);
        GTEST_SKIP() << run.errors;
    }
    ASSERT_EQ(run.status, 0) << run.errors;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* rgb = stbi_load(picture.c_str(), &width, &height, &channels, 3);
    fs::remove_all(root);
    ASSERT_NE(rgb, nullptr);

    // Both centres are on the front faces (z = 0.5 - 0.6): the player's between its eyes and smile.
    const Colour player = Around(rgb, width, height, {-1.5f, 0.0f, -0.1f});
    const Colour crate = Around(rgb, width, height, {1.5f, 0.0f, -0.1f});
    const Colour empty = Around(rgb, width, height, {0.0f, 2.5f, 0.0f});
    stbi_image_free(rgb);
    EXPECT_GT(player.r, 180) << "orange: " << player.r << "," << player.g << "," << player.b;
    EXPECT_GT(player.r - player.g, 50);
    EXPECT_GT(player.g - player.b, 30);
    EXPECT_GT(crate.r, 150) << "wood: " << crate.r << "," << crate.g << "," << crate.b;
    EXPECT_GT(crate.g - crate.b, 30);
    EXPECT_LT(crate.r - crate.g, player.r - player.g - 30) << "the crate is not the player's orange";
    EXPECT_LT(std::abs(empty.r - 0x50) + std::abs(empty.b - 0x50), 8) << "nothing drawn between them";
}

}  // namespace
