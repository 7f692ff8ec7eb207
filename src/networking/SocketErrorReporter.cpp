// Socket problems: a box once, then rate-limited lines.
#include "networking/SocketErrorReporter.h"

#include <chrono>
#include <cstdio>

namespace Networking {

SocketErrorReporter::SocketErrorReporter() {
    messageBox = [](const std::string& title, const std::string& text) {
        std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
    };
    clock = [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
    repeats = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
}

void SocketErrorReporter::Report(const std::string& text) {
    const auto found = seen.find(text);
    if (found != seen.end()) {
        Repeat(text, found->second);
        return;
    }
    if (seen.size() >= kMaxTexts) {
        Repeat(text, overflow);
        return;
    }
    seen[text].lastWritten = clock();
    if (messageBox) {
        messageBox(kTitle, text);
    }
}

void SocketErrorReporter::Repeat(const std::string& text, Seen& entry) {
    const double now = clock();
    if (now - entry.lastWritten < 1.0) {
        ++entry.held;
        return;
    }
    std::string line = text;
    if (entry.held > 0) {
        line += " (and " + std::to_string(entry.held) + " more like it)";
    }
    entry.lastWritten = now;
    entry.held = 0;
    if (repeats) {
        repeats(line);
    }
}

}  // namespace Networking
