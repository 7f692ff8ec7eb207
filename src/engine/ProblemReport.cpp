// Formats problem reports and hands them to the installed sink.
#include "engine/ProblemReport.h"

#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <vector>

namespace ZELM {
namespace {

std::recursive_mutex sinkLock;

ProblemSink& CurrentSink() {
    static ProblemSink sink = WriteProblemToStderr;
    return sink;
}

std::string FormatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatV(format, args);
    va_end(args);
    return text;
}

bool DebuggerAttached() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "TracerPid:") {
            int pid = 0;
            status >> pid;
            return pid != 0;
        }
    }
    return false;
}

}  // namespace

ProblemSink SetProblemSink(ProblemSink sink) {
    std::lock_guard<std::recursive_mutex> guard(sinkLock);
    ProblemSink previous = CurrentSink();
    CurrentSink() = sink ? std::move(sink) : ProblemSink(WriteProblemToStderr);
    return previous;
}

ProblemChoice WriteProblemToStderr(const Problem& problem) {
    std::fprintf(stderr, "%s\n\n", problem.text.c_str());
    std::fflush(stderr);
    return ProblemChoice::Continue;
}

std::string ReportedFileName(const std::string& path) {
    // "source" counts only as a whole directory name: "ResourceCache.cpp" is not inside one.
    for (std::size_t at = path.find("source"); at != std::string::npos; at = path.find("source", at + 1)) {
        const std::size_t rest = at + 6;
        const bool startsName = at == 0 || path[at - 1] == '/' || path[at - 1] == '\\';
        const bool endsDirectory = rest < path.size() && (path[rest] == '/' || path[rest] == '\\');
        if (startsName && endsDirectory) {
            return path.substr(rest + 1);
        }
    }
    return path;
}

bool ProblemReport(bool& enabled, bool interactive, const char* file, int line, const char* function,
                   const char* format, ...) {
    if (!enabled) {
        return false;
    }
    Problem problem;
    va_list args;
    va_start(args, format);
    problem.message = FormatV(format, args);
    va_end(args);
    problem.file = ReportedFileName(file ? file : "");
    problem.line = line;
    problem.function = function ? function : "";
    problem.interactive = interactive;
    problem.text = Format("Problem: %s\n\nFile:\t%s\nLine:\t%i\nFunction: %s", problem.message.c_str(),
                          problem.file.c_str(), line, problem.function.c_str());

    ProblemSink sink;
    {
        std::lock_guard<std::recursive_mutex> guard(sinkLock);
        sink = CurrentSink();
    }
    const ProblemChoice choice = sink(problem);
    if (!interactive) {
        return true;
    }
    switch (choice) {
        case ProblemChoice::Ignore:
            enabled = false;
            return false;
        case ProblemChoice::Break:
            return true;
        case ProblemChoice::Continue:
            return false;
    }
    return false;
}

void BreakIfDebugged() {
    if (DebuggerAttached()) {
        std::raise(SIGTRAP);
    }
}

}  // namespace ZELM
