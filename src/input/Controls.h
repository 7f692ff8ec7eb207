// The controls a player chose: two keys and two gamepad controls for every gameplay action, the
// rules that keep them sound, and the words that name them in the game's texts.
#pragma once

#include <array>
#include <string>

namespace Input {

class Controls {
public:
    enum Id : int {
        kGravityUp,
        kGravityDown,
        kGravityLeft,
        kGravityRight,
        kPhase,
        kWalkLeft,
        kWalkRight,
        kWalkUp,
        kWalkDown,
        kPause,
        kRestart,
        kCount
    };
    static constexpr int kSlots = 2;
    // No key or no pad control in a slot.
    static constexpr int kNone = 0;

    struct Binding {
        std::array<int, kSlots> keys{};  // scan codes, the newest first
        std::array<int, kSlots> pad{};   // Input::Action numbers, the newest first
    };

    // The bindings the game ships with.
    Controls();

    // The name settings files and texts use ("gravityup"), and the words a player reads ("gravity up").
    static const char* NameOf(Id id);
    static const char* LabelOf(Id id);
    // The action of a name, or kCount for one that is none.
    static Id IdOf(const std::string& name);
    // The key a race datagram carries for the action, whatever the player pressed: the peer reads
    // the keys the game shipped with.
    static int DefaultCodeOf(Id id);

    // Keys no action can take: ENTER confirms and ESC goes back in every menu, F11 switches the
    // display; whatever is bound, no player can lock themselves out.
    static bool IsReservedKey(int code);
    // A code a keyboard can report (the scan-code table knows it).
    static bool IsKnownKey(int code);
    static bool IsKnownPadControl(int action);

    // Binds a key to the action in its first slot, the one there moving to the second. A key
    // another action holds moves here and leaves that action; the same key pressed again for the
    // action makes it the only one. A reserved or unknown key is refused. The result is the line
    // the player reads about what happened.
    std::string BindKey(Id id, int code);
    // The same for a pad control.
    std::string BindPad(Id id, int action);

    const Binding& Get(Id id) const { return bindings[static_cast<std::size_t>(id)]; }
    // Puts a binding in place as a settings file gives it; false (and nothing changed) for a key or
    // pad control that cannot be bound, or one another action already holds.
    bool Set(Id id, const Binding& binding);
    bool HoldsKey(Id id, int code) const;
    bool operator==(const Controls& other) const;

    // The key's name in the player's keyboard layout, upper case ("LEFT SHIFT"); the game's own
    // name when the layout is not known (no display).
    static std::string KeyLabel(int code);
    static std::string PadLabel(int action);
    // Every bound key of the action, "I or UP"; "no key" when it has none.
    std::string KeysOf(Id id) const;
    std::string PadOf(Id id) const;

    // `text` with each "{name}" of an action replaced by its keys, or its pad controls when the
    // pad was the last device used, and "{gravity}" by the four gravity controls together ("arrow
    // keys" while they are the arrows). Anything else in braces is left as written.
    std::string NameIn(const std::string& text, bool pad) const;

private:
    std::string GravityWords(bool pad) const;
    // The action other than `id` holding the key (or pad control), or kCount.
    Id KeyHolder(int code, Id except) const;
    Id PadHolder(int action, Id except) const;

    std::array<Binding, kCount> bindings{};
};

}  // namespace Input
