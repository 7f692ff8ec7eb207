// Tells the player about socket problems without flooding: each text in a message box once, its
// repeats on standard error at most once a second.
#pragma once

#include <functional>
#include <map>
#include <string>

namespace Networking {

class SocketErrorReporter {
public:
    using MessageBox = std::function<void(const std::string& title, const std::string& text)>;
    using Clock = std::function<double()>;
    using Repeats = std::function<void(const std::string& text)>;

    static constexpr const char* kTitle = "Network";

    // Boxes go to standard error until a box is set; the clock is the steady clock in seconds.
    SocketErrorReporter();

    void SetMessageBox(MessageBox box) { messageBox = std::move(box); }
    void SetClock(Clock newClock) { clock = std::move(newClock); }
    void SetRepeats(Repeats sink) { repeats = std::move(sink); }

    void Report(const std::string& text);

private:
    struct Seen {
        double lastWritten = 0.0;
        unsigned held = 0;  // repeats not written since
    };
    // Beyond this many different texts, the new ones share one rate limit.
    static constexpr std::size_t kMaxTexts = 64;

    void Repeat(const std::string& text, Seen& seen);

    MessageBox messageBox;
    Clock clock;
    Repeats repeats;
    std::map<std::string, Seen> seen;
    Seen overflow;
};

}  // namespace Networking
