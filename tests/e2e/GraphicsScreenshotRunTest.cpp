// Runs the game on a display and has it write a frame as a picture.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/RunFallward.h"

namespace {

TEST(GraphicsScreenshotRun, AFrameIsWrittenAsAPictureWithTheDebugLine) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        GTEST_SKIP() << "no display to draw on";
    }
    const std::string picture =
        (std::filesystem::temp_directory_path() / ("fallward-shot-" + std::to_string(::getpid()) + ".png"))
            .string();
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        "--level Level1 --frames 12 --fixed-dt 16 --screenshot 10:" + picture + " --problems fatal");
    if (run.status == 3 && run.errors.find("No picture to write") != std::string::npos) {
        // No OpenGL 3.3 context here: the game ran on the null device and had nothing to write.
        GTEST_SKIP() << run.errors;
    }
    ASSERT_EQ(run.status, 0) << run.errors;
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(picture.c_str(), &width, &height, &channels, 3);
    std::filesystem::remove(picture);
    ASSERT_NE(pixels, nullptr) << "the run ended well but left no picture";
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    // The debug line is drawn in white from (300, 580); the picture's rows run from the top.
    int white = 0;
    for (int y = 580; y < 590; ++y) {
        for (int x = 300; x < 700; ++x) {
            const stbi_uc* p = pixels + (y * width + x) * 3;
            white += p[0] > 240 && p[1] > 240 && p[2] > 240;
        }
    }
    const stbi_uc* top = pixels;
    EXPECT_GT(white, 200);
    EXPECT_LT(top[0], 240) << "nothing white at the top-left corner";
    stbi_image_free(pixels);
}

TEST(GraphicsScreenshotRun, AScreenshotNeedsAFrameAndAFile) {
    for (const char* bad : {"--screenshot 10", "--screenshot :x.png", "--screenshot 0:x.png",
                            "--screenshot 10:", "--screenshot ten:x.png"}) {
        EXPECT_EQ(ZELMTest::RunFallward(std::string("--headless ") + bad).status, 2) << bad;
    }
}

}  // namespace
