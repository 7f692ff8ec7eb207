// The bindings' rules and their words.
#include "input/Controls.h"

#include <SDL_keyboard.h>

#include <algorithm>
#include <cctype>

#include "input/Action.h"
#include "input/ScanCodeTable.h"

namespace Input {
namespace {

struct ActionInfo {
    const char* name;
    const char* label;
    Controls::Binding defaults;
};

// The keys and pad controls the game always had: arrows turn gravity, SPACE or a trigger phases,
// W A S D or the left stick and D-pad walk. The right stick's and the D-pad's sideways actions are
// crossed in the action table, so "left" is 7 and 11 there.
const ActionInfo kActions[Controls::kCount] = {
    {"gravityup", "gravity up", {{200, 0}, {kRightUp, 0}}},
    {"gravitydown", "gravity down", {{208, 0}, {kRightDown, 0}}},
    {"gravityleft", "gravity left", {{203, 0}, {kRightRight, 0}}},
    {"gravityright", "gravity right", {{205, 0}, {kRightLeft, 0}}},
    {"phase", "phase", {{57, 0}, {kRightTrigger, kLeftTrigger}}},
    {"walkleft", "walk left", {{30, 0}, {kLeftLeft, kDpadRight}}},
    {"walkright", "walk right", {{32, 0}, {kLeftRight, kDpadLeft}}},
    {"walkup", "walk up", {{17, 0}, {kLeftUp, kDpadUp}}},
    {"walkdown", "walk down", {{31, 0}, {kLeftDown, kDpadDown}}},
    {"pause", "pause", {{25, 0}, {kButtonStart, 0}}},
    {"restart", "restart", {{19, 0}, {kButtonBack, 0}}},
};

// What the player does with the pad for each action number, which is not always the action's name.
const char* const kPadLabels[kActionCount] = {
    "",
    "LEFT STICK UP",
    "LEFT STICK DOWN",
    "LEFT STICK RIGHT",
    "LEFT STICK LEFT",
    "RIGHT STICK UP",
    "RIGHT STICK DOWN",
    "RIGHT STICK LEFT",
    "RIGHT STICK RIGHT",
    "D-PAD UP",
    "D-PAD DOWN",
    "D-PAD LEFT",
    "D-PAD RIGHT",
    "LB",
    "RB",
    "LT",
    "RT",
    "RIGHT STICK CLICK",
    "",
    "A",
    "B",
    "X",
    "Y",
    "BACK",
    "START",
};

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// Puts `value` first in `slots`: the one there moves on, and the same value again stands alone.
void PushFirst(std::array<int, Controls::kSlots>& slots, int value) {
    if (slots[0] == value) {
        slots[1] = Controls::kNone;
        return;
    }
    slots[1] = slots[0];
    slots[0] = value;
}

void Remove(std::array<int, Controls::kSlots>& slots, int value) {
    if (slots[0] == value) {
        slots[0] = slots[1];
        slots[1] = Controls::kNone;
    } else if (slots[1] == value) {
        slots[1] = Controls::kNone;
    }
}

std::string Joined(const std::array<int, Controls::kSlots>& slots, std::string (*label)(int),
                   const char* none) {
    std::string words;
    for (const int value : slots) {
        if (value != Controls::kNone) {
            words += (words.empty() ? "" : " or ") + label(value);
        }
    }
    return words.empty() ? none : words;
}

}  // namespace

Controls::Controls() {
    for (int id = 0; id < kCount; ++id) {
        bindings[static_cast<std::size_t>(id)] = kActions[id].defaults;
    }
}

const char* Controls::NameOf(Id id) { return id >= 0 && id < kCount ? kActions[id].name : ""; }
const char* Controls::LabelOf(Id id) { return id >= 0 && id < kCount ? kActions[id].label : ""; }

Controls::Id Controls::IdOf(const std::string& name) {
    for (int id = 0; id < kCount; ++id) {
        if (name == kActions[id].name) {
            return static_cast<Id>(id);
        }
    }
    return kCount;
}

int Controls::DefaultCodeOf(Id id) { return id >= 0 && id < kCount ? kActions[id].defaults.keys[0] : 0; }

bool Controls::IsReservedKey(int code) { return code == 28 || code == 1 || code == 87; }

bool Controls::IsKnownKey(int code) {
    return code > 0 && code < 256 && SdlScancodeOf(code) != SDL_SCANCODE_UNKNOWN;
}

bool Controls::IsKnownPadControl(int action) {
    return action > kNoAction && action < kActionCount && *kPadLabels[action] != '\0';
}

Controls::Id Controls::KeyHolder(int code, Id except) const {
    for (int id = 0; id < kCount; ++id) {
        if (id != except && HoldsKey(static_cast<Id>(id), code)) {
            return static_cast<Id>(id);
        }
    }
    return kCount;
}

Controls::Id Controls::PadHolder(int action, Id except) const {
    for (int id = 0; id < kCount; ++id) {
        const Binding& binding = bindings[static_cast<std::size_t>(id)];
        if (id != except && (binding.pad[0] == action || binding.pad[1] == action)) {
            return static_cast<Id>(id);
        }
    }
    return kCount;
}

bool Controls::HoldsKey(Id id, int code) const {
    const Binding& binding = Get(id);
    return code != kNone && (binding.keys[0] == code || binding.keys[1] == code);
}

std::string Controls::BindKey(Id id, int code) {
    if (id < 0 || id >= kCount) {
        return "There is no such action.";
    }
    if (IsReservedKey(code)) {
        return KeyLabel(code) + " is kept for the menus and the display: choose another key.";
    }
    if (!IsKnownKey(code)) {
        return "That key cannot be bound: choose another key.";
    }
    std::string notice = KeyLabel(code) + " " + LabelOf(id);
    const Id holder = KeyHolder(code, id);
    if (holder != kCount) {
        Remove(bindings[static_cast<std::size_t>(holder)].keys, code);
        notice += " (taken from " + std::string(LabelOf(holder)) + ")";
    }
    PushFirst(bindings[static_cast<std::size_t>(id)].keys, code);
    return notice;
}

std::string Controls::BindPad(Id id, int action) {
    if (id < 0 || id >= kCount) {
        return "There is no such action.";
    }
    if (!IsKnownPadControl(action)) {
        return "That pad control cannot be bound: choose another.";
    }
    std::string notice = PadLabel(action) + " " + LabelOf(id);
    const Id holder = PadHolder(action, id);
    if (holder != kCount) {
        Remove(bindings[static_cast<std::size_t>(holder)].pad, action);
        notice += " (taken from " + std::string(LabelOf(holder)) + ")";
    }
    PushFirst(bindings[static_cast<std::size_t>(id)].pad, action);
    return notice;
}

bool Controls::Set(Id id, const Binding& binding) {
    if (id < 0 || id >= kCount) {
        return false;
    }
    for (const int code : binding.keys) {
        if (code != kNone && (IsReservedKey(code) || !IsKnownKey(code) || KeyHolder(code, id) != kCount)) {
            return false;
        }
    }
    for (const int action : binding.pad) {
        if (action != kNone && (!IsKnownPadControl(action) || PadHolder(action, id) != kCount)) {
            return false;
        }
    }
    bindings[static_cast<std::size_t>(id)] = binding;
    return true;
}

bool Controls::operator==(const Controls& other) const {
    for (int id = 0; id < kCount; ++id) {
        const Binding& mine = bindings[static_cast<std::size_t>(id)];
        const Binding& theirs = other.bindings[static_cast<std::size_t>(id)];
        if (mine.keys != theirs.keys || mine.pad != theirs.pad) {
            return false;
        }
    }
    return true;
}

std::string Controls::KeyLabel(int code) {
    const SDL_Keycode key = SDL_GetKeyFromScancode(SdlScancodeOf(code));
    const char* layoutName = key != SDLK_UNKNOWN ? SDL_GetKeyName(key) : "";
    if (*layoutName != '\0') {
        return Upper(layoutName);
    }
    for (std::size_t i = 0; i < kKeyNameCount; ++i) {
        if (kKeyNames[i].code == code) {
            return kKeyNames[i].name;
        }
    }
    return "KEY " + std::to_string(code);
}

std::string Controls::PadLabel(int action) { return IsKnownPadControl(action) ? kPadLabels[action] : ""; }

std::string Controls::KeysOf(Id id) const { return Joined(Get(id).keys, &Controls::KeyLabel, "no key"); }
std::string Controls::PadOf(Id id) const { return Joined(Get(id).pad, &Controls::PadLabel, "no pad control"); }

std::string Controls::GravityWords(bool pad) const {
    const Binding& up = Get(kGravityUp);
    const Binding& down = Get(kGravityDown);
    const Binding& left = Get(kGravityLeft);
    const Binding& right = Get(kGravityRight);
    if (pad) {
        const bool stick = up.pad[0] == kRightUp && down.pad[0] == kRightDown && left.pad[0] == kRightRight &&
                           right.pad[0] == kRightLeft;
        return stick ? "right stick" : PadOf(kGravityUp) + "/" + PadOf(kGravityDown) + "/" + PadOf(kGravityLeft) +
                                           "/" + PadOf(kGravityRight);
    }
    const bool arrows = up.keys[0] == 200 && down.keys[0] == 208 && left.keys[0] == 203 && right.keys[0] == 205;
    if (arrows) {
        return "arrow keys";
    }
    auto first = [](const Binding& binding) { return KeyLabel(binding.keys[0]); };
    return first(up) + "/" + first(down) + "/" + first(left) + "/" + first(right) + " keys";
}

std::string Controls::NameIn(const std::string& text, bool pad) const {
    std::string named;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = open == std::string::npos ? open : text.find('}', open);
        if (close == std::string::npos) {
            named += text.substr(at);
            break;
        }
        named += text.substr(at, open - at);
        const std::string name = text.substr(open + 1, close - open - 1);
        const Id id = IdOf(name);
        if (name == "gravity") {
            named += GravityWords(pad);
        } else if (name == "confirm" || name == "back") {
            // The menus' own keys and buttons, which no binding changes.
            named += name == "confirm" ? (pad ? "A" : "ENTER") : (pad ? "B" : "ESC");
        } else if (id != kCount) {
            named += pad ? PadOf(id) : KeysOf(id);
        } else {
            named += text.substr(open, close - open + 1);
        }
        at = close + 1;
    }
    return named;
}

}  // namespace Input
