// A level played at half speed: the same run tick for tick, but no time that counts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "support/RunFallward.h"
#include "support/ScaledScript.h"
#include "support/ScratchData.h"

namespace {

struct SpeedRun {
    long goalTick = -1;  // the tick Level2 began in
    bool saidAssisted = false;
    std::string records;
    bool keptReplay = false;
};

std::string ReadAll(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Level1's solution on a 60 Hz display at `percent` game speed: at 50% each tick spans two
// frames, so the presses are moved to the frames of the same ticks.
SpeedRun PlayLevel1At(int percent) {
    const ZELMTest::ScratchData scratch;
    std::ofstream(scratch.Working() + "/settings.xml")
        << "<Settings><GameSpeed>" << percent << "</GameSpeed></Settings>\n";
    const std::string script = scratch.Working() + "/solution.input";
    std::ofstream(script) << ZELMTest::ScaledScript(
        ReadAll(std::string(FALLWARD_SOLUTIONS) + "/Level1.input"), 16.6667 * percent / 100.0);
    const std::string trace = scratch.Working() + "/trace.jsonl";
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        "--headless --data " + scratch.Working() + " --level Level1 --fixed-dt 16.6667 --problems fatal --frames " +
        std::to_string(800 * 100 / percent) + " --input-script " + script + " --trace " + trace);
    EXPECT_EQ(run.status, 0) << run.errors;
    SpeedRun result;
    std::ifstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        if (line.find("\"level\":\"Level1\"") != std::string::npos) {
            result.saidAssisted |= line.find("assisted") != std::string::npos;
        } else if (result.goalTick < 0 && line.find("\"level\":\"Level2\"") != std::string::npos) {
            result.goalTick = std::stol(line.substr(line.find("\"tick\":") + 7));
        }
    }
    result.records = ReadAll(scratch.Working() + "/records.xml");
    result.keptReplay = std::filesystem::exists(scratch.Working() + "/replays/Level1.replay");
    return result;
}

TEST(GameSpeedRun, AtHalfSpeedASolutionReachesTheGoalOnTheSameTickAndSetsNoRecordNoBestRun) {
    const SpeedRun full = PlayLevel1At(100);
    const SpeedRun half = PlayLevel1At(50);
    ASSERT_GT(full.goalTick, 0) << "Level1 was not solved at full speed";
    EXPECT_EQ(half.goalTick, full.goalTick);
    // At full speed the time counts: a best time and the run kept for its ghost.
    EXPECT_NE(full.records.find("<Best level=\"Level1\">"), std::string::npos) << full.records;
    EXPECT_TRUE(full.keptReplay);
    EXPECT_FALSE(full.saidAssisted);
    EXPECT_TRUE(half.saidAssisted);
    EXPECT_EQ(half.records.find("<Best level=\"Level1\">"), std::string::npos) << half.records;
    EXPECT_FALSE(half.keptReplay);
}

}  // namespace
