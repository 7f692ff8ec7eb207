// Replays: a recorded run plays back to the same trace, a level's kept best run plays back to the
// same finish, and a replay that cannot be the run it claims (a changed level, a malformed file) is
// refused like a bad argument.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/RunFallward.h"
#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

const std::string kScratch = "/tmp/fallward-replay-" + std::to_string(::getpid());

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class ReplayRun : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(kScratch); }
    void TearDown() override { fs::remove_all(kScratch); }
};

// Without --fixed-dt every frame takes the time it measured, so the replay has to carry them all.
TEST_F(ReplayRun, AMeasuredRunReplaysToTheSameTrace) {
    const std::string replay = kScratch + "/run.replay";
    const RunResult recorded =
        RunFallward("--headless --problems fatal --frames 240 --level Level1 --input-script " +
                    std::string(FALLWARD_SOLUTIONS) + "/Level1.input --record " + replay + " --trace " +
                    kScratch + "/recorded.jsonl");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    std::set<std::string> frameTimes;
    std::istringstream lines(ReadFile(replay));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("dt ", 0) == 0) {
            // "dt FRAME MS TICKS": the milliseconds.
            const std::size_t ms = line.find(' ', 3) + 1;
            frameTimes.insert(line.substr(ms, line.find(' ', ms) - ms));
        }
    }
    ASSERT_GT(frameTimes.size(), 1u) << "the measured frames all took the same time";

    const RunResult played = RunFallward("--headless --problems fatal --replay " + replay + " --trace " +
                                         kScratch + "/played.jsonl");
    ASSERT_EQ(played.status, 0) << played.errors;
    EXPECT_EQ(ReadFile(kScratch + "/played.jsonl"), ReadFile(kScratch + "/recorded.jsonl"));
}

// The player's part of the trace after each tick: the line of the first frame that shows it.
std::vector<std::string> PlayerTicks(const std::string& trace) {
    std::vector<std::string> ticks;
    std::istringstream lines(ReadFile(trace));
    long last = 0;
    for (std::string line; std::getline(lines, line);) {
        const long tick = std::strtol(line.c_str() + line.find("\"tick\":") + 7, nullptr, 10);
        const std::size_t at = line.find("\"player\":{");
        if (tick != last && at != std::string::npos) {
            ticks.push_back(std::to_string(tick) + " " + line.substr(at, line.find('}', at) - at));
        }
        last = tick;
    }
    return ticks;
}

// A replay holds ticks: recorded on a 144 Hz display and played on a 60 Hz one, it is the same run.
TEST_F(ReplayRun, AReplayRecordedAt144HzPlaysTheSameTicksAt60Hz) {
    const std::string replay = kScratch + "/fast.replay";
    WriteFile(kScratch + "/fast.input", "20 down RIGHT\n70 up RIGHT\n71 down DOWN\n72 up DOWN\n150 down UP\n");
    const RunResult recorded = RunFallward("--headless --problems fatal --fixed-dt 6.9444 --frames 400 --level Level1 "
                                           "--input-script " + kScratch + "/fast.input --record " + replay +
                                           " --trace " + kScratch + "/recorded.jsonl");
    ASSERT_EQ(recorded.status, 0) << recorded.errors;
    const RunResult played = RunFallward("--headless --problems fatal --fixed-dt 16.6667 --replay " + replay +
                                         " --trace " + kScratch + "/played.jsonl");
    ASSERT_EQ(played.status, 0) << played.errors;
    std::vector<std::string> recordedTicks = PlayerTicks(kScratch + "/recorded.jsonl");
    const std::vector<std::string> playedTicks = PlayerTicks(kScratch + "/played.jsonl");
    ASSERT_GT(recordedTicks.size(), 150u);
    // The last tick's frame quits the game: at 60 Hz no later frame of that tick shows the player.
    ASSERT_EQ(playedTicks.size() + 1, recordedTicks.size());
    recordedTicks.pop_back();
    EXPECT_EQ(playedTicks, recordedTicks);
}

// The player's part of each line of a trace, from the line that names the level on.
std::vector<std::string> PlayerFrames(const std::string& trace, const std::string& level) {
    std::vector<std::string> frames;
    std::istringstream lines(ReadFile(trace));
    for (std::string line; std::getline(lines, line);) {
        const std::size_t at = line.find("\"player\":{");
        if (line.find("\"level\":\"" + level + "\"") != std::string::npos && at != std::string::npos) {
            frames.push_back(line.substr(at, line.find('}', at) - at));
        }
    }
    return frames;
}

TEST_F(ReplayRun, AKeptBestRunPlaysBackToTheSameFinish) {
    const ZELMTest::ScratchData data;
    const RunResult best = RunFallward(
        "--headless --problems fatal --fixed-dt 16.6667 --frames 530 --input-script " + ZELMTest::kFixtures +
        "/flows/time-attack-twice.input --trace " + kScratch + "/best.jsonl --data " + data.Working());
    ASSERT_EQ(best.status, 0) << best.errors;
    const RunResult played = RunFallward("--headless --problems fatal --replay " + data.Working() +
                                         "/replays/TimeAttack.replay --trace " + kScratch +
                                         "/played.jsonl --data " + data.Working());
    ASSERT_EQ(played.status, 0) << played.errors;
    const std::vector<std::string> bestFrames = PlayerFrames(kScratch + "/best.jsonl", "TimeAttack");
    const std::vector<std::string> playedFrames = PlayerFrames(kScratch + "/played.jsonl", "TimeAttack");
    ASSERT_GT(playedFrames.size(), 200u);
    // The best run's first traced frame of the level is the menu's frame that loaded it.
    ASSERT_GT(bestFrames.size(), playedFrames.size());
    for (std::size_t i = 0; i < playedFrames.size(); ++i) {
        EXPECT_EQ(playedFrames[i], bestFrames[i + 1]) << "the level's frame " << i + 1;
    }
    // The replay's last frame quits the game, so the finish shows in the one before.
    const std::string trace = ReadFile(kScratch + "/played.jsonl");
    const std::size_t lastButOne = trace.rfind('\n', trace.rfind('\n', trace.size() - 2) - 1);
    EXPECT_NE(trace.find("\"Time: 4.200\"", lastButOne), std::string::npos) << trace.substr(lastButOne);
}

TEST_F(ReplayRun, AReplayOfAChangedTileMapIsRefused) {
    fs::copy(FALLWARD_GAME, kScratch + "/game", fs::copy_options::recursive);
    const std::string data = " --data " + kScratch + "/game/Working";
    const std::string replay = kScratch + "/run.replay";
    ASSERT_EQ(RunFallward("--headless --problems fatal --frames 5 --fixed-dt 16.6667 --level Level1 --record " +
                          replay + data)
                  .status,
              0);
    // The last tile of the map, past its header: the level still loads, as another level.
    const std::string tiles = kScratch + "/game/Resources/Levels/Tiles/Level1";
    std::string map = ReadFile(tiles);
    map.back() = static_cast<char>(map.back() == '1' ? '2' : '1');
    WriteFile(tiles, map);

    const RunResult played = RunFallward("--headless --problems fatal --replay " + replay + data);
    EXPECT_EQ(played.status, 2);
    EXPECT_NE(played.errors.find("\"Level1\" is not the one it was recorded on"), std::string::npos)
        << played.errors;
}

TEST_F(ReplayRun, AMalformedReplayIsRefused) {
    const std::string head = "version " + std::string(FALLWARD_VERSION_LINE) + "\nstart Level1\ndt 1 16 1\n";
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"garbage", std::string("\x01\xff garbage\n", 11)},
        {"no version", "start Level1\ndt 1 16 1\n"},
        {"another version", "version fallward 0.0.1\nstart Level1\ndt 1 16 1\n"},
        {"frames without their ticks", head + "dt 2 16\n"},
        {"no frames", "version " + std::string(FALLWARD_VERSION_LINE) + "\nstart Level1\n"},
        {"frames out of order", head + "dt 3 16 1\n"},
        {"a negative frame", head + "-3 down RIGHT\n"},
        {"a huge frame", head + "99999999999999999999 down RIGHT\n"},
        {"input after the last frame", head + "900 down RIGHT\n"},
        {"an unknown key", head + "1 down NOKEY\n"},
        {"dt NaN", head + "dt 2 nan 1\n"},
        {"dt negative", head + "dt 2 -5 1\n"},
        {"dt huge", head + "dt 2 1e30 1\n"},
        {"ticks huge", head + "dt 2 16 99999999999\n"},
        {"a bad hash", head + "level 12zz - Level1\n"},
        {"a truncated line", head + "level 0123456789abcdef\n"},
        {"a long line", head + std::string(10000, '7') + "\n"},
    };
    for (const auto& bad : cases) {
        const std::string replay = kScratch + "/bad.replay";
        WriteFile(replay, bad.text);
        const RunResult played = RunFallward("--headless --problems fatal --replay " + replay);
        EXPECT_EQ(played.status, 2) << bad.what << ": " << played.errors;
        EXPECT_NE(played.errors.find("cannot play the replay"), std::string::npos)
            << bad.what << ": " << played.errors;
    }
}

}  // namespace
