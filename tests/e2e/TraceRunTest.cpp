// The per-frame trace of a headless run: one JSON object a frame, following level changes.
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/RunFallward.h"

namespace {

using ZELMTest::kFixtures;
using ZELMTest::RunFallward;
using ZELMTest::RunResult;

std::vector<std::string> ReadLines(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(TraceRun, EveryFrameIsTracedWithItsLevel) {
    const std::string trace = "/tmp/fallward-trace-" + std::to_string(::getpid()) + ".jsonl";
    const RunResult run = RunFallward("--headless --frames 3 --fixed-dt 16.6667 --problems fatal --trace " + trace +
                                      " --exec " + kFixtures + "/lua/drive.lua --data " + kFixtures + "/lua/Working");
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::vector<std::string> lines = ReadLines(trace);
    ASSERT_EQ(lines.size(), 3u);
    // The script posts a level change that lands at the end of frame 1. Levels start with debug
    // drawing off, so no debug line is on screen.
    // The network object ends every line; what it received depends on who else is on port 8005.
    EXPECT_EQ(lines[0].rfind("{\"frame\":1,\"tick\":1,\"dt\":16.6667,\"level\":\"Next\","
                             "\"net\":{\"allow\":false,\"hosting\":false,\"connected\":false,\"association\":1,"
                             "\"sent\":0,\"received\":",
                             0),
              0u)
        << lines[0];
    EXPECT_EQ(lines[2].rfind("{\"frame\":3,\"tick\":3,\"dt\":16.6667,\"level\":\"Next\",\"net\":", 0), 0u) << lines[2];
    std::remove(trace.c_str());
}

TEST(TraceRun, AnUnwritableTraceIsRefused) {
    const RunResult run = RunFallward("--headless --frames 1 --trace /nonexistent/dir/trace.jsonl");
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.errors.find("cannot write the trace"), std::string::npos);
}

}  // namespace
