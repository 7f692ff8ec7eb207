// Whole games in one process, through the menus and level after level: the adventure's solutions
// chained reach the result screen, and a second into each drawn level the picture must look like the
// same level started alone, so nothing one level leaves in the frame reaches the next.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/AdventureScript.h"
#include "support/RunFallward.h"
#include "support/TestDisplay.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using ZELMTest::LongestRun;
using ZELMTest::OnScreen;
using ZELMTest::Press;

// A second into a level, at the fixed time step of the solutions.
constexpr int kShotFrame = 60;
const std::string kTiming = " --fixed-dt 16.6667 --problems fatal";
// How far a play-through's picture may stray from its level's alone, as a mean over every channel
// of every pixel (0 to 255), and how far its mean brightness.
constexpr double kMostDifference = 2.0;
constexpr double kMostBrightnessChange = 1.0;

struct LevelStart {
    std::string level;
    int frame = 0;  // the run's frame that the level plays first
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    double Brightness() const {
        double sum = 0.0;
        for (unsigned char channel : rgb) {
            sum += channel;
        }
        return rgb.empty() ? 0.0 : sum / static_cast<double>(rgb.size());
    }
};

std::string TempPath(const std::string& stem) {
    return (fs::temp_directory_path() / (stem + "-" + std::to_string(::getpid()))).string();
}

Picture ReadPicture(const std::string& path) {
    Picture picture;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &picture.width, &picture.height, &channels, 3);
    if (pixels != nullptr) {
        picture.rgb.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height * 3);
        stbi_image_free(pixels);
    }
    return picture;
}

// The mean difference of two pictures' channels, 0 to 255.
double MeanDifference(const Picture& a, const Picture& b) {
    double sum = 0.0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) {
        sum += std::abs(static_cast<int>(a.rgb[i]) - static_cast<int>(b.rgb[i]));
    }
    return sum / static_cast<double>(a.rgb.size());
}

// The last frame a script names, whatever its order.
int LastFrame(const std::string& script) {
    std::istringstream lines(script);
    int last = 0;
    for (std::string line; std::getline(lines, line);) {
        last = std::max(last, std::atoi(line.c_str()));
    }
    return last;
}

// Every level start of a trace, in order. A level is traced by the frame that loads it, at its end,
// and plays from the next frame; the first level plays from frame 1.
std::vector<LevelStart> LevelStarts(const std::string& trace) {
    std::vector<LevelStart> starts;
    std::ifstream file(trace);
    for (std::string line; std::getline(file, line);) {
        const std::size_t at = line.find("\"level\":\"") + 9;
        const std::string level = line.substr(at, line.find('"', at) - at);
        if (starts.empty() || starts.back().level != level) {
            const int frame = std::atoi(line.c_str() + line.find(':') + 1);
            starts.push_back({level, starts.empty() ? 1 : frame + 1});
        }
    }
    return starts;
}

// A picture a second into one level of a play-through.
struct Shot {
    std::string level;
    std::string picture;
};

class PlayThroughRun : public testing::Test {
protected:
    void TearDown() override {
        for (const std::string& file : files) {
            fs::remove(file);
        }
    }

    std::string Scratch(const std::string& name) {
        files.push_back(TempPath("fallward-" + name));
        return files.back();
    }

    // Plays `script` from the splash to `last` (the result screen unless told): first headless, to
    // learn where each level starts, then on the display, as far as the last picture, with a picture
    // a second into every start of `levels`. Empty when a run failed or there is nothing to draw on
    // (`noDrawing` then says why).
    std::vector<Shot> PlayThrough(const std::string& script, const std::vector<std::string>& levels,
                                  const std::string& last = "Win") {
        const std::string input = Scratch("chain.input");
        std::ofstream(input) << script;
        const std::string plan = Scratch("plan.jsonl");
        const ZELMTest::RunResult headless =
            ZELMTest::RunFallward("--headless --frames " + std::to_string(LongestRun(script)) + kTiming +
                                  " --input-script " + input + " --trace " + plan);
        EXPECT_EQ(headless.status, 0) << headless.errors;
        const std::vector<LevelStart> starts = LevelStarts(plan);
        if (starts.empty() || starts.back().level != last) {
            ADD_FAILURE() << "the play-through stopped in "
                          << (starts.empty() ? "nothing" : starts.back().level);
            return {};
        }
        if (!ZELMTest::HasDisplay()) {
            noDrawing = "no display to draw on";
            return {};
        }
        std::vector<Shot> shots;
        std::string screenshots;
        int lastShot = 0;
        for (const LevelStart& start : starts) {
            if (std::find(levels.begin(), levels.end(), start.level) != levels.end()) {
                shots.push_back(
                    {start.level, Scratch(start.level + "-" + std::to_string(shots.size()) + ".png")});
                lastShot = start.frame + kShotFrame - 1;
                screenshots += " --screenshot " + std::to_string(lastShot) + ":" + shots.back().picture;
            }
        }
        const std::string trace = Scratch("drawn.jsonl");
        const ZELMTest::RunResult drawn =
            ZELMTest::RunFallward("--frames " + std::to_string(lastShot) + kTiming + " --input-script " +
                                  input + " --trace " + trace + screenshots);
        if (drawn.status == 3 && drawn.errors.find("No picture to write") != std::string::npos) {
            noDrawing = drawn.errors;
            return {};
        }
        EXPECT_EQ(drawn.status, 0) << drawn.errors;
        const std::vector<LevelStart> drawnStarts = LevelStarts(trace);
        const bool sameWay = drawnStarts.size() <= starts.size() &&
                             std::equal(drawnStarts.begin(), drawnStarts.end(), starts.begin(),
                                        [](const LevelStart& a, const LevelStart& b) {
                                            return a.level == b.level && a.frame == b.frame;
                                        });
        EXPECT_TRUE(sameWay) << "the run on the display went another way than the headless one";
        return sameWay ? shots : std::vector<Shot>();
    }

    // The picture a second into `level` started alone with its solution.
    Picture Alone(const std::string& level) {
        const std::string picture = Scratch(level + "-alone.png");
        const ZELMTest::RunResult run =
            ZELMTest::RunFallward("--level " + level + " --frames " + std::to_string(kShotFrame + 1) +
                                  kTiming + " --input-script " + FALLWARD_SOLUTIONS + "/" + level +
                                  ".input --screenshot " + std::to_string(kShotFrame) + ":" + picture);
        EXPECT_EQ(run.status, 0) << run.errors;
        return ReadPicture(picture);
    }

    // Each picture of the play-through against its level alone: alike pixel by pixel (the dust is
    // random, and the gravity sphere's skin drifts on through the whole run) and as bright.
    void ExpectEachLikeAlone(const std::vector<Shot>& shots) {
        std::map<std::string, Picture> alone;
        for (std::size_t i = 0; i < shots.size(); ++i) {
            const Shot& shot = shots[i];
            if (alone.count(shot.level) == 0) {
                alone[shot.level] = Alone(shot.level);
            }
            const Picture chained = ReadPicture(shot.picture);
            const Picture& single = alone[shot.level];
            ASSERT_FALSE(chained.rgb.empty()) << shot.picture;
            ASSERT_EQ(chained.rgb.size(), single.rgb.size()) << shot.level;
            const double difference = MeanDifference(chained, single);
            RecordProperty("difference-" + std::to_string(i) + "-" + shot.level, std::to_string(difference));
            EXPECT_LT(difference, kMostDifference)
                << shot.level << " in the play-through looks unlike it alone";
            EXPECT_NEAR(chained.Brightness(), single.Brightness(), kMostBrightnessChange) << shot.level;
        }
    }

    std::vector<std::string> files;
    std::string noDrawing;  // why nothing could be drawn, when nothing could
};

TEST_F(PlayThroughRun, TheAdventureChainsToTheResultAndItsFirstLevelsLookAsTheyDoAlone) {
    // Drawing in software costs a frame what a headless run spends on hundreds: the pictures are of
    // the first levels (several changes of level), the headless run plays every level to the result.
    constexpr std::size_t kDrawnLevels = 4;
    const std::string script = ZELMTest::AdventureFromTheSplash(FALLWARD_GAME, FALLWARD_SOLUTIONS);
    const std::vector<std::string> adventure = ZELMTest::AdventureLevels(FALLWARD_GAME);
    ASSERT_GT(adventure.size(), kDrawnLevels);
    const std::vector<std::string> drawn(adventure.begin(), adventure.begin() + kDrawnLevels);
    const std::vector<Shot> shots = PlayThrough(script, drawn);
    if (!noDrawing.empty()) {
        GTEST_SKIP() << noDrawing;
    }
    ASSERT_EQ(shots.size(), drawn.size()) << "the first levels of the adventure, in one run";
    ExpectEachLikeAlone(shots);
}

TEST_F(PlayThroughRun, TheTimeAttackLooksTheSameTheSecondTimeInARow) {
    // ESC, a second after the solution's last key, when the result is up, takes it back to the
    // course menu, which starts the course again.
    const std::string timeAttack = ZELMTest::Solution(FALLWARD_SOLUTIONS, "TimeAttack");
    const std::string toCourses = Press("ESC", LastFrame(timeAttack) + 60);
    const std::string toTimeAttack =
        OnScreen("Menu", Press("ENTER", 10)) + OnScreen("GameMenu", Press("DOWN", 10) + Press("ENTER", 22)) +
        OnScreen("Courses", Press("ENTER", 10));
    const std::string script = Press("ENTER", 10) + toTimeAttack + timeAttack + toCourses +
                               OnScreen("Courses", Press("ENTER", 10)) + timeAttack + toCourses;
    const std::vector<Shot> shots = PlayThrough(script, {"TimeAttack"}, "Courses");
    if (!noDrawing.empty()) {
        GTEST_SKIP() << noDrawing;
    }
    ASSERT_EQ(shots.size(), 2u) << "the time attack twice, in one run";
    ExpectEachLikeAlone(shots);
}

}  // namespace
