// Runs the fallward program and captures its standard error and exit status.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "support/ScratchData.h"
#include "support/TestPaths.h"

namespace ZELMTest {

struct RunResult {
    int status = -1;
    std::string errors;
};

// Captures standard error only, or (withOutput) standard output and error together in their order.
// A run that names no data directory plays the bundled game from a scratch one, so what it saves
// for the player stays out of the repository and out of the next run.
inline RunResult RunFallward(const std::string& arguments, bool withOutput = false) {
    const ScratchData scratch;
    const std::string data =
        arguments.find("--data") == std::string::npos ? " --data " + scratch.Working() : "";
    const std::string command =
        std::string(FALLWARD_BINARY) + " " + arguments + data + (withOutput ? " 2>&1" : " 2>&1 1>/dev/null");
    RunResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer;
    std::size_t read = 0;
    while ((read = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        result.errors.append(buffer.data(), read);
    }
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

inline const std::string kFixtures = FALLWARD_FIXTURES;

}  // namespace ZELMTest
