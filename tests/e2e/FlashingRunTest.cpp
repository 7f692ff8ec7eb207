// The brightness of the screen through Level1's win, with flashing full and reduced.
#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/ScratchData.h"
#include "support/TestDisplay.h"

namespace {

// Level1's solution touches the goal so that its last 90 frames are the win's white-out.
constexpr int kLastFrame = 703;
constexpr int kFrames = 90;
constexpr int kFramesASecond = 60;
// A flash: the brightness of a quarter of the screen or more rises and falls (or falls and rises)
// by at least a tenth of full white; more than three in a second can set off a seizure.
constexpr float kFlashStep = 0.1f;
constexpr int kMostFlashesASecond = 3;

// The mean brightness (0 to 1) of the whole frame and of each of its quarters, by frame.
struct Brightness {
    std::vector<float> whole;
    std::array<std::vector<float>, 4> quarters;
};

float Luma(const stbi_uc* p) { return (0.2126f * p[0] + 0.7152f * p[1] + 0.0722f * p[2]) / 255.0f; }

bool MeasureWin(bool reducedFlashing, Brightness& measured, std::string& why) {
    const ZELMTest::ScratchData scratch;
    std::ofstream(scratch.Working() + "/settings.xml")
        << "<Settings><Flashing>" << (reducedFlashing ? "reduced" : "full") << "</Flashing></Settings>\n";
    std::string shots;
    for (int frame = kLastFrame - kFrames + 1; frame <= kLastFrame; ++frame) {
        shots += " --screenshot " + std::to_string(frame) + ":" + scratch.Working() + "/" + std::to_string(frame) + ".png";
    }
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        "--data " + scratch.Working() + " --level Level1 --fixed-dt 16.6667 --problems fatal --frames " +
        std::to_string(kLastFrame + 2) + " --input-script " + FALLWARD_SOLUTIONS + "/Level1.input" + shots);
    if (run.status == 3 && run.errors.find("No picture to write") != std::string::npos) {
        why = run.errors;
        return false;
    }
    EXPECT_EQ(run.status, 0) << run.errors;
    for (int frame = kLastFrame - kFrames + 1; frame <= kLastFrame; ++frame) {
        int width = 0;
        int height = 0;
        int channels = 0;
        const std::string shot = scratch.Working() + "/" + std::to_string(frame) + ".png";
        stbi_uc* pixels = stbi_load(shot.c_str(), &width, &height, &channels, 3);
        if (pixels == nullptr) {
            ADD_FAILURE() << "no picture of frame " << frame;
            return true;
        }
        std::array<double, 4> sums{};
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                sums[(y * 2 / height) * 2 + x * 2 / width] += Luma(pixels + (static_cast<std::size_t>(y) * width + x) * 3);
            }
        }
        stbi_image_free(pixels);
        const double quarter = static_cast<double>(width) * height / 4.0;
        double whole = 0.0;
        for (int q = 0; q < 4; ++q) {
            measured.quarters[q].push_back(static_cast<float>(sums[q] / quarter));
            whole += sums[q] / quarter / 4.0;
        }
        measured.whole.push_back(static_cast<float>(whole));
    }
    return true;
}

// The most flashes in any second of the series: each turn of the brightness by at least kFlashStep
// against the previous turn is half a flash.
int MostFlashesASecond(const std::vector<float>& series) {
    std::vector<int> turns;  // the frames at which the brightness turned
    float extreme = series.empty() ? 0.0f : series[0];
    int direction = 0;
    for (int i = 1; i < static_cast<int>(series.size()); ++i) {
        const float change = series[i] - extreme;
        if ((direction >= 0 && change <= -kFlashStep) || (direction <= 0 && change >= kFlashStep)) {
            if (direction != 0) {
                turns.push_back(i);
            }
            direction = change > 0 ? 1 : -1;
            extreme = series[i];
        } else if ((direction > 0 && series[i] > extreme) || (direction < 0 && series[i] < extreme)) {
            extreme = series[i];
        }
    }
    int most = 0;
    for (std::size_t first = 0; first < turns.size(); ++first) {
        std::size_t last = first;
        while (last + 1 < turns.size() && turns[last + 1] - turns[first] < kFramesASecond) ++last;
        most = std::max(most, static_cast<int>((last - first + 2) / 2));
    }
    return most;
}

float Range(const std::vector<float>& series) {
    const auto [low, high] = std::minmax_element(series.begin(), series.end());
    return *high - *low;
}

TEST(FlashingRun, TheWinsWhiteOutChangesTheScreenAThirdAsMuchWithReducedFlashingAndNeverFlashes) {
    if (!ZELMTest::HasDisplay()) {
        GTEST_SKIP() << "no display to draw on";
    }
    Brightness full;
    Brightness reduced;
    std::string why;
    if (!MeasureWin(false, full, why) || !MeasureWin(true, reduced, why)) {
        GTEST_SKIP() << why;
    }
    ASSERT_EQ(full.whole.size(), static_cast<std::size_t>(kFrames));
    ASSERT_EQ(reduced.whole.size(), static_cast<std::size_t>(kFrames));
    std::printf("mean brightness, frame by frame (full / reduced):\n");
    for (int i = 0; i < kFrames; ++i) {
        std::printf("%d %.3f %.3f\n", kLastFrame - kFrames + 1 + i, full.whole[i], reduced.whole[i]);
    }
    // The white-out is there in full, over the same frames in both.
    EXPECT_GT(Range(full.whole), 0.3f);
    EXPECT_LT(Range(reduced.whole), Range(full.whole) / 3.0f);
    EXPECT_GT(reduced.whole.back(), reduced.whole.front()) << "reduced still brightens towards the end";
    for (const Brightness* run : {&full, &reduced}) {
        const char* setting = run == &full ? "full" : "reduced";
        EXPECT_LE(MostFlashesASecond(run->whole), kMostFlashesASecond) << setting;
        for (int q = 0; q < 4; ++q) {
            EXPECT_LE(MostFlashesASecond(run->quarters[q]), kMostFlashesASecond) << setting << ", quarter " << q;
            if (run == &reduced) {
                EXPECT_LT(Range(reduced.quarters[q]), Range(full.quarters[q]) / 3.0f) << "quarter " << q;
            }
        }
    }
}

}  // namespace
