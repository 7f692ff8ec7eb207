// Key and mouse input read from a file, frame by frame, in place of the devices.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace Input {

class InputScript {
public:
    enum class Kind { Down, Up, Mouse, Click, Text };

    struct Event {
        int frame = 0;
        Kind kind = Kind::Down;
        int code = 0;    // Down, Up: the key's scan code
        int x = 0;       // Mouse: client pixels
        int y = 0;
        int button = 0;  // Click: 0 left, 1 right
        std::string text;  // Text: the characters typed
    };

    // The state the script has produced so far: the same tables the devices fill.
    struct State {
        std::array<char, 256> keys{};
        std::array<unsigned char, 4> buttons{};
        int cursorX = 0;
        int cursorY = 0;
    };

    // Reads the file: lines "FRAME down KEY", "FRAME up KEY", "FRAME mouse X Y", "FRAME click left|right",
    // "FRAME text STRING" (the rest of the line, typed), blank lines and lines starting with '#'. A bad line is reported with the file and line and skipped;
    // an unreadable file is reported and leaves the script empty. False when anything was reported.
    bool Load(const std::string& path);
    // Parses the script's text; `path` only names it in reports.
    bool Parse(const std::string& text, const std::string& path);

    // Applies the events of every frame up to and including `frame` that have not been applied yet.
    // A click holds its button for its own frame only.
    void AdvanceTo(int frame);
    const State& GetState() const { return state; }
    // The events the last AdvanceTo applied, in order: what a device would also have sent to the
    // window as messages.
    const std::vector<Event>& GetFreshEvents() const { return fresh; }
    const std::vector<Event>& GetEvents() const { return events; }

private:
    bool ParseLine(const std::string& line, int number, const std::string& path);
    bool ParseText(const std::string& line, Event& event, int number, const std::string& path);

    std::vector<Event> events;  // in frame order, file order within a frame
    std::vector<Event> fresh;
    std::size_t next = 0;
    State state;
    std::array<int, 4> releaseFrame{};  // the frame a clicked button lets go again (0: none pending)
};

}  // namespace Input
