// The whole adventure, played headless from the splash to the result screen, must make the same
// trace, byte for byte (but for what the network counts), as the one whose hash is kept in tests/fixtures/determinism/adventure.hash.
// Any change that moves any tick of any level fails here. When a change is meant to alter the game
// (a level, a rule, a constant), replace the kept hash with the one this test prints, and say in
// the commit message why the game changed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/AdventureScript.h"
#include "support/RunFallward.h"
#include "support/TestPaths.h"

namespace {

namespace fs = std::filesystem;

// The trace without its "net" objects: the game listens for races on the local network even in
// the adventure, so what they count depends on the machines around, not on the game.
std::string WithoutNetwork(const std::string& trace) {
    const std::string key = ",\"net\":{";
    std::string kept;
    std::size_t from = 0;
    for (std::size_t at = trace.find(key); at != std::string::npos; at = trace.find(key, from)) {
        kept.append(trace, from, at - from);
        std::size_t end = at + key.size();
        for (int depth = 1; end < trace.size() && depth > 0; ++end) {
            depth += trace[end] == '{' ? 1 : (trace[end] == '}' ? -1 : 0);
        }
        from = end;
    }
    kept.append(trace, from, std::string::npos);
    return kept;
}

// 64-bit FNV-1a: enough to tell any two traces apart, and simple to compute anywhere.
std::uint64_t Fnv1a(const std::string& bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : bytes) {
        hash = (hash ^ byte) * 1099511628211ull;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

std::string KeptHash() {
    std::string kept = ZELMTest::ReadWholeFile(ZELMTest::kFixtures + "/determinism/adventure.hash");
    kept.erase(kept.find_last_not_of(" \r\n") + 1);
    return kept;
}

TEST(DeterminismRun, TheWholeAdventureMakesTheKeptTrace) {
    const std::string base = (fs::temp_directory_path() / ("fallward-adventure-" + std::to_string(::getpid()))).string();
    const std::string script = ZELMTest::AdventureFromTheSplash(FALLWARD_GAME, FALLWARD_SOLUTIONS);
    std::ofstream(base + ".input") << script;
    const ZELMTest::RunResult run = ZELMTest::RunFallward(
        "--headless --fixed-dt 16.6667 --problems fatal --frames " + std::to_string(ZELMTest::LongestRun(script)) +
        " --input-script " + base + ".input --trace " + base + ".jsonl");
    fs::remove(base + ".input");
    ASSERT_EQ(run.status, 0) << run.errors;
    const std::string trace = ZELMTest::ReadWholeFile(base + ".jsonl");
    ASSERT_NE(trace.find("\"level\":\"Win\""), std::string::npos) << "the adventure did not reach the result; see "
                                                                  << base << ".jsonl";
    const std::string hash = Hex(Fnv1a(WithoutNetwork(trace)));
    const std::string kept = KeptHash();
    EXPECT_EQ(hash, kept) << "the adventure's trace changed (kept in " << base
                                << ".jsonl to compare with the last build's); if the game was meant to change, "
                                   "write "
                                << hash << " into tests/fixtures/determinism/adventure.hash";
    if (hash == kept) {
        fs::remove(base + ".jsonl");
    }
}

}  // namespace
