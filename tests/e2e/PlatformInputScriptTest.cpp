// Input scripts driving a headless game: what gameplay sees frame by frame, and bad scripts.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/RunFallward.h"

namespace {

using ZELMTest::kFixtures;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

const std::string kPlatform = kFixtures + "/platform";
const std::string kRun = "--headless --frames 30 --fixed-dt 16.6667 --data " + kPlatform + "/Working --exec " + kPlatform +
                         "/report-keys.lua --input-script ";

TEST(PlatformInputScript, HoldingRightFromFrame10To20IsSeenInExactlyThoseFramesAndTriggeredOnce) {
    const RunResult run = RunFallward(kRun + kPlatform + "/hold-right.txt --problems fatal", true);
    ASSERT_EQ(run.status, 0) << run.errors;
    std::istringstream lines(run.errors);
    std::string line;
    int frames = 0;
    while (std::getline(lines, line)) {
        int frame = 0;
        char down[8] = {};
        char triggered[8] = {};
        ASSERT_EQ(std::sscanf(line.c_str(), "frame %d down=%5[a-z] triggered=%5[a-z]", &frame, down, triggered), 3)
            << line;
        ++frames;
        EXPECT_EQ(frame, frames);
        const bool held = frame >= 10 && frame <= 20;
        EXPECT_EQ(std::string(down), held ? "true" : "false") << line;
        EXPECT_EQ(std::string(triggered), frame == 10 ? "true" : "false") << line;
    }
    EXPECT_EQ(frames, 30);
}

TEST(PlatformInputScript, ABadLineIsReportedWithItsFileAndLineAndTheRestOfTheScriptPlays) {
    const RunResult run = RunFallward(kRun + kPlatform + "/bad-lines.txt --problems stderr", true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.errors.find("bad-lines.txt\", line 2: \"jump\" is not down, up, mouse, click, wheel, text, pad, stick or trigger"), std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("frame 15 down=true"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("frame 21 down=false"), std::string::npos) << run.errors;
}

TEST(PlatformInputScript, AMissingScriptIsReportedAndTheGameRunsWithoutInput) {
    const RunResult run = RunFallward(kRun + "/nonexistent/fallward/input.txt --problems stderr", true);
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.errors.find("Input script \"/nonexistent/fallward/input.txt\" cannot be read"), std::string::npos)
        << run.errors;
    EXPECT_NE(run.errors.find("frame 30 down=false"), std::string::npos) << run.errors;
}

}  // namespace
