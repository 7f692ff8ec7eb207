// Reading input scripts. The file comes from the command line and is treated as hostile: every
// number is range-checked and every bad line is reported and skipped.
#include "input/InputScript.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/ProblemReport.h"
#include "input/ScanCodeTable.h"

namespace Input {
namespace {

constexpr std::size_t kLongestLine = 256;
constexpr long kLastFrame = 1000000000L;
constexpr long kFarthestPixel = 1000000L;
constexpr long kMostNotches = 100L;

// A token as a report may quote it: short, and printable characters only.
std::string Quoted(const std::string& token) {
    std::string shown;
    for (char c : token.substr(0, 32)) {
        shown += std::isprint(static_cast<unsigned char>(c)) ? c : '?';
    }
    return "\"" + shown + (token.size() > 32 ? "...\"" : "\"");
}

bool ParseWhole(const std::string& token, long low, long high, long& value) {
    if (token.empty() || token.size() > 12) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(token.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

int CodeOfName(const std::string& name) {
    const std::string upper = Upper(name);
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        if (upper == kKeyNames[i].name) {
            return kKeyNames[i].code;
        }
    }
    return 0;
}

void Report(const std::string& path, int line, const std::string& reason) {
    ZELM_PROBLEM("Input::InputScript::Load", "Input script \"%s\", line %d: %s", path.c_str(), line,
                 reason.c_str());
}

}  // namespace

bool InputScript::Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ZELM_PROBLEM("Input::InputScript::Load", "Input script \"%s\" cannot be read", path.c_str());
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), path);
}

bool InputScript::Parse(const std::string& text, const std::string& path) {
    events.clear();
    releases.clear();
    sections.assign(1, Section{});
    sections[0].firstFrame = 1;
    fresh.clear();
    state = State();
    releaseFrame.fill(0);
    bool clean = true;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        clean = ParseLine(line, number, path) && clean;
    }
    IndexSections();
    return clean;
}

void InputScript::IndexSections() {
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.section != b.section ? a.section < b.section : a.frame < b.frame;
    });
    std::size_t at = 0;
    for (std::size_t section = 0; section < sections.size(); ++section) {
        sections[section].next = at;
        while (at < events.size() && events[at].section == static_cast<int>(section)) {
            ++at;
        }
        sections[section].end = at;
    }
}

std::vector<std::string> InputScript::Words(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string token; words >> token;) {
        tokens.push_back(token);
    }
    return tokens;
}

bool InputScript::ParseLine(const std::string& line, int number, const std::string& path) {
    if (line.size() > kLongestLine) {
        Report(path, number, "the line is longer than " + std::to_string(kLongestLine) + " characters");
        return false;
    }
    const std::vector<std::string> tokens = Words(line);
    if (tokens.empty() || tokens[0][0] == '#') {
        return true;
    }
    if (Upper(tokens[0]) == "LEVEL") {
        return ParseLevel(tokens, number, path);
    }

    Event event;
    event.section = static_cast<int>(sections.size()) - 1;
    long frame = 0;
    if (!ParseWhole(tokens[0], 1, kLastFrame, frame)) {
        Report(path, number,
               "the frame " + Quoted(tokens[0]) + " is not a whole number from 1 to 1000000000");
        return false;
    }
    event.frame = static_cast<int>(frame);
    const std::string verb = tokens.size() > 1 ? Upper(tokens[1]) : std::string();
    if (verb == "TEXT") {
        return ParseText(line, event, number, path);
    }
    if (verb == "PAD") {
        return ParsePad(tokens, event, number, path);
    }
    if (verb == "STICK" || verb == "TRIGGER") {
        return ParseStickOrTrigger(tokens, event, number, path);
    }
    const std::size_t expected = verb == "MOUSE" ? 4 : 3;
    if (verb != "DOWN" && verb != "UP" && verb != "MOUSE" && verb != "CLICK" && verb != "WHEEL") {
        Report(path, number,
               (tokens.size() > 1 ? Quoted(tokens[1]) : std::string("nothing")) +
                   " is not down, up, mouse, click, wheel, text, pad, stick or trigger");
        return false;
    }
    if (tokens.size() != expected) {
        Report(path, number,
               Quoted(tokens[1]) + " takes " + std::to_string(expected - 2) + " value(s) after the frame");
        return false;
    }

    if (verb == "DOWN" || verb == "UP") {
        event.kind = verb == "DOWN" ? Kind::Down : Kind::Up;
        event.code = CodeOfName(tokens[2]);
        if (event.code == 0) {
            Report(path, number, Quoted(tokens[2]) + " is not a key name");
            return false;
        }
    } else if (verb == "MOUSE") {
        event.kind = Kind::Mouse;
        long x = 0;
        long y = 0;
        if (!ParseWhole(tokens[2], -kFarthestPixel, kFarthestPixel, x) ||
            !ParseWhole(tokens[3], -kFarthestPixel, kFarthestPixel, y)) {
            Report(path, number,
                   "the mouse position " + Quoted(tokens[2]) + " " + Quoted(tokens[3]) +
                       " is not two whole numbers of pixels");
            return false;
        }
        event.x = static_cast<int>(x);
        event.y = static_cast<int>(y);
    } else if (verb == "WHEEL") {
        event.kind = Kind::Wheel;
        long notches = 0;
        if (!ParseWhole(tokens[2], -kMostNotches, kMostNotches, notches) || notches == 0) {
            Report(path, number,
                   "the wheel turn " + Quoted(tokens[2]) + " is not a whole number of notches from -" +
                       std::to_string(kMostNotches) + " to " + std::to_string(kMostNotches) + ", not 0");
            return false;
        }
        event.notches = static_cast<int>(notches);
    } else {
        event.kind = Kind::Click;
        const std::string button = Upper(tokens[2]);
        if (button != "LEFT" && button != "RIGHT") {
            Report(path, number, Quoted(tokens[2]) + " is not left or right");
            return false;
        }
        event.button = button == "LEFT" ? 0 : 1;
    }
    events.push_back(event);
    return true;
}

namespace {

struct PadButtonName {
    const char* name;
    std::uint16_t bit;
};

const PadButtonName kPadButtons[] = {
    {"A", ControllerState::kA},           {"B", ControllerState::kB},
    {"X", ControllerState::kX},           {"Y", ControllerState::kY},
    {"START", ControllerState::kStart},   {"BACK", ControllerState::kBack},
    {"LB", ControllerState::kLeftShoulder}, {"RB", ControllerState::kRightShoulder},
    {"LS", ControllerState::kLeftThumb},  {"RS", ControllerState::kRightThumb},
    {"DUP", ControllerState::kDpadUp},    {"DDOWN", ControllerState::kDpadDown},
    {"DLEFT", ControllerState::kDpadLeft}, {"DRIGHT", ControllerState::kDpadRight},
};

int PadButtonBit(const std::string& name) {
    for (const PadButtonName& button : kPadButtons) {
        if (name == button.name) {
            return button.bit;
        }
    }
    return 0;
}

}  // namespace

bool InputScript::ParsePad(const std::vector<std::string>& tokens, Event& event, int number,
                           const std::string& path) {
    const std::string what = tokens.size() > 2 ? Upper(tokens[2]) : std::string();
    if ((what == "CONNECT" || what == "DISCONNECT") && tokens.size() == 3) {
        event.kind = Kind::PadConnect;
        event.button = what == "CONNECT" ? 1 : 0;
        events.push_back(event);
        return true;
    }
    if ((what != "DOWN" && what != "UP") || tokens.size() != 4) {
        Report(path, number, "pad takes down or up and a button, or connect or disconnect");
        return false;
    }
    event.kind = Kind::PadButton;
    event.button = what == "DOWN" ? 1 : 0;
    event.code = PadButtonBit(Upper(tokens[3]));
    if (event.code == 0) {
        Report(path, number, Quoted(tokens[3]) + " is not a pad button (A B X Y START BACK LB RB LS RS DUP DDOWN DLEFT DRIGHT)");
        return false;
    }
    events.push_back(event);
    return true;
}

bool InputScript::ParseStickOrTrigger(const std::vector<std::string>& tokens, Event& event, int number,
                                      const std::string& path) {
    const bool stick = Upper(tokens[1]) == "STICK";
    const std::size_t expected = stick ? 5 : 4;
    const std::string side = tokens.size() > 2 ? Upper(tokens[2]) : std::string();
    if (tokens.size() != expected || (side != "LEFT" && side != "RIGHT")) {
        Report(path, number, stick ? "stick takes left or right and two values" : "trigger takes left or right and a value");
        return false;
    }
    event.kind = stick ? Kind::PadStick : Kind::PadTrigger;
    event.button = side == "LEFT" ? 0 : 1;
    long x = 0;
    long y = 0;
    const bool good = stick ? ParseWhole(tokens[3], -32768, 32767, x) && ParseWhole(tokens[4], -32768, 32767, y)
                            : ParseWhole(tokens[3], 0, 255, x);
    if (!good) {
        Report(path, number, stick ? "a stick's values are whole numbers from -32768 to 32767"
                                   : "a trigger's value is a whole number from 0 to 255");
        return false;
    }
    event.x = static_cast<int>(x);
    event.y = static_cast<int>(y);
    events.push_back(event);
    return true;
}

void InputScript::ApplyPad(const Event& event) {
    ControllerState& pad = state.pad;
    state.padConnected = event.kind != Kind::PadConnect || event.button == 1;
    switch (event.kind) {
        case Kind::PadButton:
            pad.buttons = static_cast<std::uint16_t>(event.button == 1 ? pad.buttons | event.code
                                                                       : pad.buttons & ~event.code);
            break;
        case Kind::PadStick:
            (event.button == 0 ? pad.thumbLX : pad.thumbRX) = static_cast<std::int16_t>(event.x);
            (event.button == 0 ? pad.thumbLY : pad.thumbRY) = static_cast<std::int16_t>(event.y);
            break;
        case Kind::PadTrigger:
            (event.button == 0 ? pad.leftTrigger : pad.rightTrigger) = static_cast<std::uint8_t>(event.x);
            break;
        default:
            if (!state.padConnected) {
                pad = ControllerState();  // nothing is held on a pad that is gone
            }
            break;
    }
}

// The typed text is the rest of the line after the verb and one separating space, so it may hold
// spaces of its own; only printable characters can be typed.
bool InputScript::ParseText(const std::string& line, Event& event, int number, const std::string& path) {
    std::size_t at = line.find_first_not_of(" \t");
    at = line.find_first_of(" \t", at);  // past the frame
    at = line.find_first_not_of(" \t", at);
    at = line.find_first_of(" \t", at);  // past the verb
    event.text = at == std::string::npos ? std::string() : line.substr(at + 1);
    if (!event.text.empty() && event.text.back() == '\r') {
        event.text.pop_back();
    }
    if (event.text.empty()) {
        Report(path, number, "text takes the characters to type after it");
        return false;
    }
    for (char c : event.text) {
        if (!std::isprint(static_cast<unsigned char>(c))) {
            Report(path, number, "text can only type printable characters");
            return false;
        }
    }
    event.kind = Kind::Text;
    events.push_back(event);
    return true;
}

bool InputScript::ParseLevel(const std::vector<std::string>& tokens, int number, const std::string& path) {
    if (tokens.size() != 2) {
        Report(path, number, "level takes the name of one level");
        return false;
    }
    Section section;
    section.level = tokens[1];
    sections.push_back(section);
    return true;
}

bool InputScript::StartLevel(const std::string& name, int frame) {
    // Sections start in their order: only the first one still waiting can start.
    const auto waiting = std::find_if(sections.begin(), sections.end(),
                                      [](const Section& section) { return section.firstFrame == 0; });
    if (waiting == sections.end() || waiting->level != name) {
        return false;
    }
    waiting->firstFrame = frame;
    // What the sections before have not reached belongs to the levels they were written for.
    for (auto earlier = sections.begin(); earlier != waiting; ++earlier) {
        earlier->next = earlier->end;
    }
    LetGoOfHeldKeys();
    return true;
}

void InputScript::LetGoOfHeldKeys() {
    for (std::size_t code = 0; code < state.keys.size(); ++code) {
        if (state.keys[code] != 0) {
            Event release;
            release.kind = Kind::Up;
            release.code = static_cast<int>(code);
            releases.push_back(release);
        }
    }
}

void InputScript::AdvanceTo(int frame) {
    fresh.clear();
    for (std::size_t button = 0; button < releaseFrame.size(); ++button) {
        if (releaseFrame[button] != 0 && releaseFrame[button] <= frame) {
            state.buttons[button] = 0;
            releaseFrame[button] = 0;
        }
    }
    for (const Event& release : releases) {
        Apply(release, frame);
    }
    releases.clear();
    for (Section& section : sections) {
        if (section.firstFrame == 0) {
            break;  // this level has not started yet, nor has any later one
        }
        for (; section.next < section.end; ++section.next) {
            const Event& event = events[section.next];
            const long long runFrame = static_cast<long long>(section.firstFrame) - 1 + event.frame;
            if (runFrame > frame) {
                break;
            }
            Apply(event, static_cast<int>(runFrame));
        }
    }
}

void InputScript::Apply(const Event& event, int runFrame) {
    fresh.push_back(event);
    switch (event.kind) {
        case Kind::Down:
            state.keys[static_cast<std::size_t>(event.code)] = static_cast<char>(0x80);
            break;
        case Kind::Up:
            state.keys[static_cast<std::size_t>(event.code)] = 0;
            break;
        case Kind::Mouse:
            state.cursorX = event.x;
            state.cursorY = event.y;
            break;
        case Kind::Click:
            state.buttons[static_cast<std::size_t>(event.button)] = 0x80;
            releaseFrame[static_cast<std::size_t>(event.button)] = runFrame + 1;
            break;
        case Kind::Text:
        case Kind::Wheel:
            break;
        case Kind::PadButton:
        case Kind::PadStick:
        case Kind::PadTrigger:
        case Kind::PadConnect:
            ApplyPad(event);
            break;
    }
}

}  // namespace Input
