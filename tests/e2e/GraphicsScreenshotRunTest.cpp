// Runs the game on a display and has it write a frame as a picture.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/TestDisplay.h"

namespace {

// In a window the frames take the time they measure, start-up included; the clock counts ticks only.
TEST(GraphicsScreenshotRun, ATimeAttackStartedInAWindowClocksItsTicksAndNoLoadingTime) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to draw on";
    }
    const std::string trace =
        (std::filesystem::temp_directory_path() / ("fallward-clock-" + std::to_string(::getpid()) + ".jsonl")).string();
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--level TimeAttack --frames 40 --problems fatal --trace " + trace);
    ASSERT_EQ(run.status, 0) << run.errors;
    std::ifstream lines(trace);
    int clocked = 0;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t clock = line.find("\"Time: ");
        if (clock == std::string::npos) {
            continue;
        }
        const double shown = std::strtod(line.c_str() + clock + 7, nullptr);
        const long tick = std::strtol(line.c_str() + line.find("\"tick\":") + 7, nullptr, 10);
        EXPECT_NEAR(shown, tick * 0.0166667, 0.0011) << line;
        if (clocked++ == 0 && tick > 0) {
            EXPECT_LE(tick, 4) << "the first frame with time in it ran more ticks than a frame may";
        }
    }
    std::filesystem::remove(trace);
    EXPECT_GT(clocked, 30);
}

TEST(GraphicsScreenshotRun, AFrameIsWrittenAsAPictureWithTheDebugLine) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to draw on";
    }
    const std::string picture =
        (std::filesystem::temp_directory_path() / ("fallward-shot-" + std::to_string(::getpid()) + ".png"))
            .string();
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        "--level Level1 --frames 12 --fixed-dt 16.6667 --screenshot 10:" + picture + " --problems fatal --exec " +
        ZELMTest::kFixtures + "/graphics/debug-draw.lua");
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

std::string TempFile(const std::string& stem) {
    return (std::filesystem::temp_directory_path() / (stem + std::to_string(::getpid()))).string();
}

struct Picture {
    int width = 0;
    int height = 0;
    // Pixels of the rectangle that are not black.
    int LitIn(int left, int top, int right, int bottom) const {
        int lit = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
                lit += rgb[at] + rgb[at + 1] + rgb[at + 2] > 30;
            }
        }
        return lit;
    }
    std::vector<stbi_uc> rgb;
};

// Runs Level1 with the key presses of `script` and returns the picture of frame `frame`; skips
// without a display or an OpenGL context.
bool ShotWithKeys(const std::string& script, int frame, Picture& picture, std::string& why) {
    if (!ZELMTest::HasDisplay()) {
        why = "no display to draw on";
        return false;
    }
    const std::string keys = TempFile("fallward-keys-") + ".txt";
    const std::string shot = TempFile("fallward-mode-") + ".png";
    std::ofstream(keys) << script;
    const ZELMTest::RunResult run =
        ZELMTest::RunFallward("--level Level1 --frames " + std::to_string(frame + 2) + " --fixed-dt 16.6667 --input-script " +
                              keys + " --screenshot " + std::to_string(frame) + ":" + shot + " --problems fatal");
    std::filesystem::remove(keys);
    if (run.status == 3 && run.errors.find("No picture to write") != std::string::npos) {
        why = run.errors;
        return false;
    }
    EXPECT_EQ(run.status, 0) << run.errors;
    int channels = 0;
    stbi_uc* pixels = stbi_load(shot.c_str(), &picture.width, &picture.height, &channels, 3);
    std::filesystem::remove(shot);
    if (pixels != nullptr) {
        picture.rgb.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height * 3);
        stbi_image_free(pixels);
    }
    return true;
}

TEST(GraphicsScreenshotRun, F11FillsTheScreenAndAltEnterBringsTheWindowBack) {
    Picture full;
    std::string why;
    if (!ShotWithKeys("5 down F11\n6 up F11\n", 20, full, why)) {
        GTEST_SKIP() << why;
    }
    // The test display is 1024 x 768 and offers no 60 Hz mode: full screen takes the desktop.
    ASSERT_EQ(full.width, 1024);
    ASSERT_EQ(full.height, 768);
    EXPECT_GT(full.LitIn(824, 0, 1024, 168), 200 * 168 / 2) << "the picture reaches the top-right corner";
    EXPECT_GT(full.LitIn(0, 600, 200, 768), 200 * 168 / 2);

    Picture back;
    ASSERT_TRUE(ShotWithKeys("5 down F11\n6 up F11\n20 down LALT\n21 down ENTER\n22 up ENTER\n23 up LALT\n", 35,
                             back, why));
    ASSERT_EQ(back.width, 800);
    ASSERT_EQ(back.height, 600);
    EXPECT_GT(back.LitIn(600, 0, 800, 150), 200 * 150 / 2) << "the whole window is drawn again";
}

TEST(GraphicsScreenshotRun, EveryScreenshotIsWrittenAndRelativeFilesAreFoundFromTheStartingDirectory) {
    // The game changes into its data directory at start; the files named on the command line are
    // still the ones beside where it was started.
    const std::filesystem::path started = TempFile("fallward-started-");
    std::filesystem::create_directories(started / "shots");
    std::ofstream(started / "keys.input") << "2 down RIGHT\n";
    std::ofstream(started / "say.lua") << "Engine.SetDebug_Draw(true)\n";
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(started);
    const bool display = ZELMTest::HasDisplay();
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        std::string(display ? "" : "--headless ") +
        "--level Level1 --frames 6 --fixed-dt 16.6667 --problems fatal --input-script keys.input --exec say.lua "
        "--trace trace.jsonl" +
        (display ? " --screenshot 3:early.png --screenshot 5:shots/late.png" : ""));
    std::filesystem::current_path(before);
    std::ifstream traceFile(started / "trace.jsonl");
    const std::string trace((std::istreambuf_iterator<char>(traceFile)), std::istreambuf_iterator<char>());
    const bool shotEarly = std::filesystem::exists(started / "early.png");
    const bool shotLate = std::filesystem::exists(started / "shots" / "late.png");
    std::filesystem::remove_all(started);
    if (run.status == 3 && run.errors.find("No picture to write") != std::string::npos) {
        GTEST_SKIP() << run.errors;
    }
    ASSERT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(trace.find("\"gx\":1,"), std::string::npos) << "the script's key turned gravity: " << trace;
    EXPECT_NE(trace.find("Cursor world position"), std::string::npos) << "the Lua file ran: " << trace;
    if (!display) {
        GTEST_SKIP() << "no display to take screenshots on";
    }
    EXPECT_TRUE(shotEarly);
    EXPECT_TRUE(shotLate);
}

TEST(GraphicsScreenshotRun, AScreenshotNeedsAFrameAndAFile) {
    for (const char* bad : {"--screenshot 10", "--screenshot :x.png", "--screenshot 0:x.png",
                            "--screenshot 10:", "--screenshot ten:x.png"}) {
        EXPECT_EQ(ZELMTest::RunFallward(std::string("--headless ") + bad).status, 2) << bad;
    }
}

}  // namespace
