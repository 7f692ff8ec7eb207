// Key and mouse input read from a file, frame by frame, in place of the devices.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "input/ControllerState.h"

namespace Input {

class InputScript {
public:
    // The pad's kinds: a button (code: its ControllerState bit; button: 1 down, 0 up), a stick
    // (button: 0 left, 1 right; x, y), a trigger (button: 0 left, 1 right; x: 0 to 255) and the
    // pad plugged in or out (button: 1 in, 0 out). Any pad line plugs the pad in.
    enum class Kind { Down, Up, Mouse, Click, Text, Wheel, PadButton, PadStick, PadTrigger, PadConnect };

    struct Event {
        int frame = 0;    // counted from 1 at the first frame of its section's level
        int section = 0;  // the "level" line it follows; 0: none, frames count from the run's start
        Kind kind = Kind::Down;
        int code = 0;  // Down, Up: the key's scan code
        int x = 0;     // Mouse: client pixels
        int y = 0;
        int button = 0;    // Click: 0 left, 1 right
        int notches = 0;   // Wheel: turned away from the user when positive
        std::string text;  // Text: the characters typed
    };

    // A line's words, split at spaces; the replay file reads its lines the same way.
    static std::vector<std::string> Words(const std::string& line);

    // The state the script has produced so far: the same tables the devices fill.
    struct State {
        std::array<char, 256> keys{};
        std::array<unsigned char, 4> buttons{};
        int cursorX = 0;
        int cursorY = 0;
        ControllerState pad;
        bool padConnected = false;
    };

    // Reads the file: lines "FRAME down KEY", "FRAME up KEY", "FRAME mouse X Y", "FRAME click left|right",
    // "FRAME wheel NOTCHES" (-100 to 100, not 0), "FRAME pad down|up BUTTON" (A B X Y START BACK LB RB LS
    // RS DUP DDOWN DLEFT DRIGHT), "FRAME pad connect|disconnect", "FRAME stick left|right X Y" (-32768
    // to 32767, y up), "FRAME trigger left|right VALUE" (0 to 255), "FRAME text STRING" (the rest of the line, typed), "level
    // NAME", blank lines and lines starting with '#'. The frames after "level NAME" count from 1 at the first
    // frame of the next start of that level after the previous "level" line's, and that frame begins with no
    // key held, so the solutions of single levels chain into a play-through. A bad line is reported with the
    // file and line and skipped; an unreadable file is reported and leaves the script empty. False when
    // anything was reported.
    bool Load(const std::string& path);
    // Parses the script's text; `path` only names it in reports.
    bool Parse(const std::string& text, const std::string& path);

    // Applies the events of every frame up to and including `frame` that have not been applied yet.
    // A click holds its button for its own frame only.
    void AdvanceTo(int frame);
    // The level `name` has started and its first frame is `frame` of the run. True when this is the
    // start the next waiting "level" line waits for: its events then count from `frame`, the
    // events of earlier lines not reached yet are dropped, and the next AdvanceTo lets go of the
    // keys held before, as a run started at that level holds none.
    bool StartLevel(const std::string& name, int frame);
    const State& GetState() const { return state; }
    // The events the last AdvanceTo applied, in order: what a device would also have sent to the
    // window as messages.
    const std::vector<Event>& GetFreshEvents() const { return fresh; }
    // Every event, section by section, each section in frame order.
    const std::vector<Event>& GetEvents() const { return events; }

private:
    // The events after one "level" line (or before the first), and where they stand in the run.
    struct Section {
        std::string level;     // empty for the events before any "level" line
        int firstFrame = 0;    // the run's frame of the section's frame 1; 0 while its level has not started
        std::size_t next = 0;  // its first event not applied yet
        std::size_t end = 0;   // past its last event
    };

    bool ParseLine(const std::string& line, int number, const std::string& path);
    bool ParseText(const std::string& line, Event& event, int number, const std::string& path);
    bool ParsePad(const std::vector<std::string>& tokens, Event& event, int number, const std::string& path);
    bool ParseStickOrTrigger(const std::vector<std::string>& tokens, Event& event, int number,
                             const std::string& path);
    void ApplyPad(const Event& event);
    bool ParseLevel(const std::vector<std::string>& tokens, int number, const std::string& path);
    // Sorts each section's events by frame and marks where each section's events lie.
    void IndexSections();
    // One event, in the run's frame `runFrame`.
    void Apply(const Event& event, int runFrame);
    // Queues a key-up for every key held, for the next AdvanceTo.
    void LetGoOfHeldKeys();

    std::vector<Event> events;  // section by section, in frame order, file order within a frame
    std::vector<Section> sections;
    std::vector<Event> releases;  // the keys to let go of at a level's start
    std::vector<Event> fresh;
    State state;
    std::array<int, 4> releaseFrame{};  // the frame a clicked button lets go again (0: none pending)
};

}  // namespace Input
