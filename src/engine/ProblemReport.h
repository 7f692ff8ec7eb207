// The problem report: how programming errors and bad data are raised, site by site.
#pragma once

#include <functional>
#include <string>

namespace ZELM {

enum class ProblemChoice { Ignore, Break, Continue };

// One raised report, as the sink receives it.
struct Problem {
    std::string message;   // the formatted message
    std::string file;      // the source file as shown in the report
    int line = 0;
    std::string function;  // the reporting function's qualified name
    std::string text;      // the whole report text
    bool interactive = true;
};

// Where reports go: a modal box, standard error, or a test's capture. Returns the choice made.
using ProblemSink = std::function<ProblemChoice(const Problem&)>;

// Installs the sink and returns the previous one. An empty sink restores the default (standard error).
ProblemSink SetProblemSink(ProblemSink sink);

// The default sink: writes the report text to standard error and continues.
ProblemChoice WriteProblemToStderr(const Problem& problem);

// Raises a report while the site's `enabled` flag is set. "Ignore" clears the flag so the site stays
// silent for the rest of the run. Returns true when the caller should stop in the debugger.
bool ProblemReport(bool& enabled, bool interactive, const char* file, int line, const char* function,
                   const char* format, ...) __attribute__((format(printf, 6, 7)));

// The file as a report names it: the path after its first directory named "source", or the whole path.
std::string ReportedFileName(const std::string& path);

// Stops in the debugger when one is attached; a run without one goes on.
void BreakIfDebugged();

}  // namespace ZELM

// Raises a problem report from this site, which owns its own `enabled` flag.
#define ZELM_PROBLEM(function, ...)                                                                  \
    do {                                                                                             \
        static bool zelmSiteEnabled = true;                                                          \
        if (::ZELM::ProblemReport(zelmSiteEnabled, true, __FILE__, __LINE__, function, __VA_ARGS__)) \
            ::ZELM::BreakIfDebugged();                                                               \
    } while (0)
